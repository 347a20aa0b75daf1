// Marking the days of a month on a planner with a large appointment table,
// 300 of its appointments in the month on show, and a diary file for every
// day of that month. Marking runs on every planner tick (900 ms), so one run
// should stay far below that; the goal for the whole tick is 1 ms.
//
//   bench_markdays [appointments] [runs]      (default 100000, 500)
#include <sqlite3.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "AppContext.h"
#include "BenchSupport.h"
#include "Database.h"
#include "Texts.h"
#include "diary/CalendarGrid.h"
#include "diary/CalendarLabel.h"
#include "diary/DayMarker.h"
#include "diary/DiaryFiles.h"
#include "platform/IClock.h"
#include "platform/QtDialogs.h"
#include "scheduler/Form2.h"

namespace {

class FixedClock final : public IClock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 8), QTime(17, 6, 58)); }
};

bool fillTable(const QString& path, int appointments) {
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) return false;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO scheduler VALUES (?, ?, ?, ?, ?, ?, ?)", -1, &insert,
                       nullptr);
    for (int i = 0; i < appointments; ++i) {
        // 300 in December 2026, the rest over other months and years.
        const bool shown = i % 33 == 0 && i / 33 < 300;
        const int month = shown ? 12 : 1 + i % 11;
        const int year = shown ? 2026 : 2020 + i % 10;
        const QByteArray day = QByteArray::number(1 + i % 28);
        const QByteArray name = texts::monthName(month).toLatin1();
        const QByteArray yearText = QByteArray::number(year);
        const QByteArray hour = QByteArray::number(1 + i % 12).rightJustified(2, '0');
        sqlite3_bind_text(insert, 1, day.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, yearText.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, hour.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 5, i % 60);
        sqlite3_bind_text(insert, 6, i % 2 ? "AM" : "PM", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 7, "Appointment text of moderate length", -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

struct Figures {
    double median = 0, max = 0;
    std::vector<double> cpu;  // this thread's processor time, which other programs do not inflate
};

template <class F>
Figures measure(int runs, F&& f) {
    std::vector<double> ms;
    Figures fig;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double cpuStart = bench::threadCpuMs();
        t.start();
        f();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        fig.cpu.push_back(bench::threadCpuMs() - cpuStart);
    }
    std::sort(ms.begin(), ms.end());
    fig.median = ms[ms.size() / 2];
    fig.max = ms.back();
    return fig;
}

void print(const char* what, const Figures& f) {
    std::printf("%-42s wall median %7.3f ms  max %7.3f ms  cpu median %7.3f ms\n", what, f.median,
                f.max, bench::median(f.cpu));
}

}  // namespace

int main(int argc, char* argv[]) {
    bench::OffscreenArgs args(argc, argv);
    QApplication app(args.argc(), args.argv());
    const int appointments = bench::dataSize(argc, argv, 100000);
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 500;

    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QString error;
    if (!Database::createFresh(folder + QStringLiteral("scheduler.mdb"), &error) ||
        !fillTable(folder + QStringLiteral("scheduler.mdb"), appointments)) {
        std::fprintf(stderr, "cannot make the database: %s\n", qPrintable(error));
        return 1;
    }
    for (int d = 1; d <= 31; ++d) {
        QFile f(folder + diaryfiles::fileName(QString::number(d), QStringLiteral("December"),
                                                  QStringLiteral("2026")));
        if (f.open(QIODevice::WriteOnly)) f.write("{\\rtf1 entry}");
    }

    FixedClock clock;
    QtDialogs dialogs;
    const Services services = bench::services(&clock, &dialogs);
    AppContext context;
    context.appFolder = folder;
    Form2 form(context, services);
    if (!form.load()) return 1;

    int green = 0, blue = 0;
    for (int k = 0; k < DayMarker::kCells; ++k) {
        green += form.dayCell(k)->textColor() == DayMarker::kSchedule;
        blue += form.dayCell(k)->textColor() == DayMarker::kDiary;
    }
    std::printf("%d appointments; December 2026: %d green days, %d blue days, %d runs each\n",
                appointments, green, blue, runs);

    print("MarkDays", measure(runs, [&] { form.markDays(); }));
    const Figures tick = measure(runs, [&] { form.on_Timer1_timeout(); });
    print("planner tick (caption, flags, MarkDays)", tick);

    // Where the time goes.
    RecordSet& records = *context.scheduleRecords;
    print("  one pass over the table", measure(runs, [&] {
              int n = 0;
              for (bool ok = records.moveFirst(); ok && !records.atEnd(); ok = records.moveNext())
                  n += records.field(1).isValid();
              if (n < 0) std::puts("");
          }));
    print("  31 diary file checks", measure(runs, [&] {
              int n = 0;
              for (int d = 1; d <= 31; ++d)
                  n += QFileInfo::exists(folder + QString::number(d) + "-December-2026.rtf");
              if (n < 0) std::puts("");
          }));
    print("  one listing of the data folder instead", measure(runs, [&] {
              const QStringList names = QDir(folder).entryList(QDir::Files);
              if (names.isEmpty()) std::puts("");
          }));
    std::printf("process resident %.1f MiB\n", bench::residentMiB());
    bench::result("planner_tick", tick.cpu);
    return 0;
}
