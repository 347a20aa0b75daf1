// The planner's scans on a large appointment table: the refresh (the scan for
// past appointments with the rebuilding of today's reminder list) when
// nothing has passed, the list of all appointments, and the refresh that
// finds 2,000 past appointments and removes them after the user's Yes.
//
//   bench_refresh [appointments]      (default 100000)
//
// The database lives in a folder made in the current directory, so that the
// removal is timed on the disk the caller chose (its writes are flushed).
#include <sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include "clock/ReminderList.h"
#include <QTemporaryDir>
#include <cstdio>

#include "AppContext.h"
#include "BenchSupport.h"
#include "RichTextBox.h"
#include "Texts.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "scheduler/ObsoleteCleanup.h"
#include "scheduler/ScheduleListing.h"

namespace {

constexpr int kRuns = 11;
constexpr int kRemoveRuns = 5;
constexpr int kPassed = 2000;

class FixedClock final : public IClock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 8), QTime(9, 0, 0)); }
};

// Answers every question with `yes` and counts what would have been shown.
class CountingDialogs final : public IDialogs {
public:
    void message(const QString& text, MessageKind) override { shown += int(text.size()); }
    bool question(const QString&) override {
        ++questions;
        return yes;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return QString(); }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
    bool yes = false;
    int questions = 0;
    qint64 shown = 0;
};

// Appends `count` appointments; with `passed`, all of them in 2025.
bool fill(const QString& path, int count, bool passed) {
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) return false;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO scheduler VALUES (?,?,?,?,?,?,?)", -1, &stmt, nullptr);
    for (int i = 0; i < count; ++i) {
        // 40 appointments later today (a busy day), the rest in later years.
        const bool today = !passed && i % (count / 40 + 1) == 0;
        const QByteArray day = QByteArray::number(today ? 8 : 1 + i % 28);
        const QByteArray month = texts::monthName(today ? 12 : 1 + i % 12).toLatin1();
        const QByteArray year = QByteArray::number(passed ? 2025 : today ? 2026 : 2027 + i % 20);
        const QByteArray hour =
            QByteArray::number(today ? 10 + i % 2 : 1 + i % 12).rightJustified(2, '0');
        const QByteArray ampm = today && i % 2 == 0 ? "AM" : "PM";
        const QByteArray text =
            "Appointment number " + QByteArray::number(i) + " with a longer description";
        sqlite3_bind_text(stmt, 1, day.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 2, month.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 3, year.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 4, hour.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 5, i % 60);
        sqlite3_bind_text(stmt, 6, ampm.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 7, text.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

struct Times {
    std::vector<double> wall, cpu;
};

// Wall-clock time and the processor time of this thread: on a machine shared
// with other work the second shows what the step itself costs.
template <class Step>
void time(Times& times, Step step) {
    QElapsedTimer timer;
    const double cpuStart = bench::threadCpuMs();
    timer.start();
    step();
    times.wall.push_back(double(timer.nsecsElapsed()) / 1e6);
    times.cpu.push_back(bench::threadCpuMs() - cpuStart);
}

void print(const char* what, const Times& times) {
    std::printf("%-48s wall median %8.2f ms   cpu median %8.2f ms  (%zu runs)\n", what,
                bench::median(times.wall), bench::median(times.cpu), times.cpu.size());
}

}  // namespace

int main(int argc, char* argv[]) {
    const int appointments = bench::dataSize(argc, argv, 100000);
    bench::OffscreenArgs args(argc, argv);
    QApplication app(args.argc(), args.argv());

    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-refresh-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("scheduler.mdb"));
    QString error;
    if (!Database::createFresh(path, &error) || !fill(path, appointments, false)) {
        std::fprintf(stderr, "cannot prepare the database: %s\n", qPrintable(error));
        return 1;
    }
    AppContext context;
    context.appFolder = dir.path() + QLatin1Char('/');
    context.plannerDb = Database::open(path, &error);
    if (!context.plannerDb) return 1;
    context.scheduleRecords = context.plannerDb->openRecordSet(QStringLiteral("scheduler"));

    FixedClock clock;
    CountingDialogs dialogs;
    Services services;
    services.clock = &clock;
    services.dialogs = &dialogs;
    ReminderList reminderList;
    RichTextBox scratch;
    ObsoleteCleanup cleanup(context, services, &reminderList);
    ScheduleListing listing(context, services, ScratchBox(&scratch));

    std::printf("%d appointments, none passed; database in %s\n", appointments,
                qPrintable(dir.path()));
    Times refresh, listAll, remove;
    cleanup.refresh(ScratchBox(&scratch));  // reads the table into memory
    for (int run = 0; run < kRuns; ++run) time(refresh, [&] { cleanup.refresh(ScratchBox(&scratch)); });
    print("refresh (scan and today's reminder list)", refresh);
    for (int run = 0; run < kRuns; ++run) time(listAll, [&] { listing.listAll(); });
    print("list of all appointments (built and shown)", listAll);
    std::printf("reminder list entries %d, process resident %.1f MiB\n", reminderList.count(),
                bench::residentMiB());
    const int questionsBefore = dialogs.questions;

    dialogs.yes = true;
    for (int run = 0; run < kRemoveRuns; ++run) {
        // Not timed: 2,000 appointments that have passed, written by another
        // connection and read in by a scan, as a day's change finds them.
        if (!fill(path, kPassed, true)) return 1;
        context.scheduleRecords->moveFirst();
        time(remove, [&] { cleanup.refresh(ScratchBox(&scratch)); });
    }
    print("refresh removing 2,000 passed appointments (Yes)", remove);
    int left = 0;
    for (bool ok = context.scheduleRecords->moveFirst(); ok && !context.scheduleRecords->atEnd();
         ok = context.scheduleRecords->moveNext())
        ++left;
    std::printf("questions %d (none expected before the removals), records left %d of %d\n",
                questionsBefore, left, appointments);

    bench::result("refresh", refresh.cpu);
    bench::result("list_all", listAll.cpu);
    bench::result("remove_2000", remove.cpu);
    // The removal waits for the disk: what the user waits for is the wall time.
    bench::result("remove_2000_wall", remove.wall);
    return questionsBefore == 0 && left == appointments ? 0 : 1;
}
