// The cost of one clock tick on a planner with many appointments, 50 of
// them today, with today's reminder list filled. Prints the time per tick,
// alone and with the painting of what it changed. Under an X server (DISPLAY
// set) the window is really shown and exposed, and the painting is the
// window system's; without one Qt's offscreen platform paints into memory.
//
//   bench_tick [appointments]      (default 100000)
#include <sqlite3.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include "clock/ReminderList.h"
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "AppContext.h"
#include "BenchSupport.h"
#include "Database.h"
#include "Texts.h"
#include "clock/Form1.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "platform/IPauser.h"
#include "platform/Services.h"

namespace {

class SteppedClock final : public IClock {
public:
    QDateTime now() const override { return m_now; }
    void advance() { m_now = m_now.addMSecs(900); }

private:
    QDateTime m_now{QDate(2026, 12, 8), QTime(17, 6, 59)};
};

// Counts the paint events of the clock window's controls.
class PaintCounter final : public QObject {
public:
    using QObject::QObject;
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

bool fillPlanner(const QString& path, const QDate& today, int count, QStringList* todayTimes) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) return false;
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO scheduler VALUES (?, ?, ?, ?, ?, ?, ?)", -1, &insert,
                       nullptr);
    QRandomGenerator random(42);
    for (int i = 0; i < count; ++i) {
        QDate date = today;
        if (i >= 50) {
            do date = QDate(2025, 1, 1).addDays(random.bounded(4 * 365));
            while (date == today);
        }
        const int hour = 1 + random.bounded(12);
        const int minute = random.bounded(60);
        // Today's appointments are in the morning, long past: a reminder
        // coming due would hide the clock window in the middle of the run.
        const QString ampm = random.bounded(2) && date != today ? QStringLiteral("PM")
                                                                : QStringLiteral("AM");
        const QList<QByteArray> values{QByteArray::number(date.day()),
                                       texts::monthName(date.month()).toUtf8(),
                                       QByteArray::number(date.year()), QByteArray::number(hour)};
        for (int c = 0; c < 4; ++c)
            sqlite3_bind_text(insert, c + 1, values[c].constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 5, minute);
        const QByteArray ampmBytes = ampm.toUtf8();
        sqlite3_bind_text(insert, 6, ampmBytes.constData(), -1, SQLITE_TRANSIENT);
        const QByteArray text =
            QStringLiteral("Appointment number %1 with some words of text").arg(i).toUtf8();
        sqlite3_bind_text(insert, 7, text.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
        if (date == today)
            *todayTimes << QStringLiteral("%1:%2:%3").arg(hour).arg(minute).arg(ampm);
    }
    sqlite3_finalize(insert);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// CPU time of this thread: unlike the wall clock it does not count the time
// the machine gave to other programs.
qint64 threadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

struct Figures {
    double mean, median, p99, max;
};

Figures figures(std::vector<qint64> ns) {
    std::sort(ns.begin(), ns.end());
    double sum = 0;
    for (qint64 v : ns) sum += double(v);
    const auto at = [&](double q) {
        return double(ns[std::size_t(q * double(ns.size() - 1))]) / 1e6;
    };
    return {sum / double(ns.size()) / 1e6, at(0.5), at(0.99), double(ns.back()) / 1e6};
}

}  // namespace

int main(int argc, char* argv[]) {
    const int appointments = bench::dataSize(argc, argv, 100000);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QString error;
    if (!Database::createFresh(folder + QStringLiteral("scheduler.mdb"), &error)) {
        out << "cannot create the planner: " << error << "\n";
        return 1;
    }
    SteppedClock clock;
    QStringList todayTimes;
    if (!fillPlanner(folder + QStringLiteral("scheduler.mdb"), clock.now().date(), appointments,
                     &todayTimes)) {
        out << "cannot fill the planner\n";
        return 1;
    }

    bench::SilentDialogs dialogs;
    bench::NoPause pauser;
    const Services services = bench::services(&clock, &dialogs, &pauser);
    AppContext app;
    app.appFolder = folder;
    Form1 form(app, services);
    if (!form.load()) {
        out << "the clock window did not load\n";
        return 1;
    }
    // Let the window system show the window, so that a repaint really paints.
    QElapsedTimer waiting;
    waiting.start();
    while (!(form.windowHandle() && form.windowHandle()->isExposed()) && waiting.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    PaintCounter painted;
    for (QWidget* control : form.findChildren<QWidget*>()) control->installEventFilter(&painted);
    form.List2->addItems(todayTimes);
    form.Timer1->stop();  // the bench drives the ticks itself
    app.appToday = true;

    constexpr int kTicks = 5000;
    for (int i = 0; i < 200; ++i) {  // warm up
        clock.advance();
        form.tick();
    }
    std::vector<qint64> tickOnly, withPaint;
    tickOnly.reserve(kTicks);
    withPaint.reserve(kTicks);
    QElapsedTimer timer;
    qint64 cpu = threadCpuNs();
    for (int i = 0; i < kTicks; ++i) {
        clock.advance();
        timer.start();
        form.tick();
        tickOnly.push_back(timer.nsecsElapsed());
    }
    const double tickCpuMs = double(threadCpuNs() - cpu) / kTicks / 1e6;
    cpu = threadCpuNs();
    std::vector<double> cpuPerTick;
    cpuPerTick.reserve(kTicks);
    const int paintsBefore = painted.paints;
    int ticksPainted = 0;
    for (int i = 0; i < kTicks; ++i) {
        clock.advance();
        const qint64 tickCpu = threadCpuNs();
        timer.start();
        const int paintsThen = painted.paints;
        form.tick();
        // What the event loop does next: paint the parts the tick changed
        // (the repaint is asked for by a posted call, then painted).
        for (int round = 0; round < 3 && painted.paints == paintsThen; ++round)
            QCoreApplication::processEvents();
        ticksPainted += painted.paints > paintsThen;
        withPaint.push_back(timer.nsecsElapsed());
        cpuPerTick.push_back(double(threadCpuNs() - tickCpu) / 1e6);
    }
    const double paintCpuMs = double(threadCpuNs() - cpu) / kTicks / 1e6;

    out << "window shown: " << (form.isVisible() ? "yes" : "no")
        << ", exposed: " << (form.windowHandle() && form.windowHandle()->isExposed() ? "yes" : "no")
        << "\n";
    out << "planner: " << appointments << " appointments, " << todayTimes.size() << " today, "
        << form.List2->count() << " in the reminder list\n";
    out << "ticks that painted: " << ticksPainted << " of " << kTicks << " ("
        << painted.paints - paintsBefore << " paint events)\n";
    const Figures a = figures(tickOnly);
    const Figures b = figures(withPaint);
    out << QStringLiteral(
               "tick:          mean %1 ms  median %2 ms  p99 %3 ms  max %4 ms  (%5 ticks)\n")
               .arg(a.mean, 0, 'f', 4)
               .arg(a.median, 0, 'f', 4)
               .arg(a.p99, 0, 'f', 4)
               .arg(a.max, 0, 'f', 4)
               .arg(kTicks);
    out << QStringLiteral(
               "tick + painting: mean %1 ms  median %2 ms  p99 %3 ms  max %4 ms  (%5 ticks)\n")
               .arg(b.mean, 0, 'f', 4)
               .arg(b.median, 0, 'f', 4)
               .arg(b.p99, 0, 'f', 4)
               .arg(b.max, 0, 'f', 4)
               .arg(kTicks);
    out << QStringLiteral("CPU time per tick: %1 ms alone, %2 ms with its painting\n")
               .arg(tickCpuMs, 0, 'f', 4)
               .arg(paintCpuMs, 0, 'f', 4);
    out << "goal: under 0.5 ms per tick\n";
    out.flush();
    bench::result("clock_tick", cpuPerTick);
    return 0;
}
