// How long the clean-up of past appointments with the rebuilding of today's
// reminder list takes, and how long the list of all appointments takes to
// build, with 10,000 appointments of which none has passed.
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "AppContext.h"
#include "BenchSupport.h"
#include "RichTextBox.h"
#include "Texts.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "scheduler/ObsoleteCleanup.h"
#include "scheduler/ScheduleListing.h"

namespace {

constexpr int kAppointments = 10000;
constexpr int kRuns = 20;

class FixedClock final : public IClock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 8), QTime(9, 0, 0)); }
};

// Counts what would have been shown; a question here would mean something
// was found to have passed, which the data rules out.
class CountingDialogs final : public IDialogs {
public:
    void message(const QString& text) override { shown += int(text.size()); }
    bool question(const QString&) override {
        ++questions;
        return false;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return QString(); }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
    int questions = 0;
    qint64 shown = 0;
};

bool fill(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) return false;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO scheduler VALUES (?,?,?,?,?,?,?)", -1, &stmt, nullptr);
    for (int i = 0; i < kAppointments; ++i) {
        // Every tenth appointment is later today, the rest in later years.
        const bool today = i % 10 == 0;
        const QByteArray day = QByteArray::number(today ? 8 : 1 + i % 28);
        const QByteArray month = texts::monthName(today ? 12 : 1 + i % 12).toLatin1();
        const QByteArray year = QByteArray::number(today ? 2026 : 2027 + i % 20);
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


// Wall-clock time and the CPU time of this thread: on a machine shared with
// other work the second shows what the step itself costs.
template <class Step>
void measure(const char* what, Step step, double goalMs) {
    std::vector<double> wall, cpu;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        const double cpuStart = bench::threadCpuMs();
        timer.start();
        step();
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(bench::threadCpuMs() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf(
        "%s (goal < %.0f ms)\n  wall: median %7.2f ms  best %7.2f ms  worst %7.2f ms\n"
        "  cpu:  median %7.2f ms  best %7.2f ms  worst %7.2f ms\n",
        what, goalMs, wall[wall.size() / 2], wall.front(), wall.back(), cpu[cpu.size() / 2],
        cpu.front(), cpu.back());
}

}  // namespace

int main(int argc, char* argv[]) {
    bench::OffscreenArgs args(argc, argv);
    QApplication app(args.argc(), args.argv());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scheduler.mdb"));
    QString error;
    if (!Database::createFresh(path, &error) || !fill(path)) {
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
    QListWidget reminderList;
    RichTextBox scratch;
    ObsoleteCleanup cleanup(context, services, &reminderList);
    ScheduleListing listing(context, services, ScratchBox(&scratch));

    std::printf("%d appointments, %d runs each\n", kAppointments, kRuns);
    measure(
        "refresh (scan and today's reminder list)", [&] { cleanup.refresh(ScratchBox(&scratch)); },
        20);
    measure(
        "list of all appointments (built and shown)", [&] { listing.listAll(); }, 100);
    std::printf("reminder list entries %d, questions asked %d, list text %lld characters a run\n",
                reminderList.count(), dialogs.questions, dialogs.shown / kRuns);
    return dialogs.questions == 0 ? 0 : 1;
}
