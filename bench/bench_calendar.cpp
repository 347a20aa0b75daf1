// How long calendar files take with 10,000 appointments: writing them all
// to a file, importing that file into an empty table, and importing it again
// into the full table, where every event meets the duplicate rule.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

#include "AppContext.h"
#include "BenchSupport.h"
#include "Database.h"
#include "platform/IClock.h"
#include "platform/ModuleLoader.h"
#include "scheduler/AppointmentBook.h"
#include "scheduler/AppointmentSlot.h"
#include "scheduler/CalendarExport.h"
#include "scheduler/CalendarImport.h"

namespace {

constexpr int kAppointments = 10000;

class FixedClock final : public IClock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 8), QTime(17, 6, 58)); }
};

std::unique_ptr<AppContext> freshPlanner(const QString& folder) {
    auto app = std::make_unique<AppContext>();
    app->appFolder = folder + QLatin1Char('/');
    QDir().mkpath(folder);
    QString why;
    if (!Database::createFresh(app->dataPath(QStringLiteral("scheduler.mdb")), &why) ||
        !(app->plannerDb = Database::open(app->dataPath(QStringLiteral("scheduler.mdb")), &why))) {
        std::fprintf(stderr, "no database: %s\n", qPrintable(why));
        return nullptr;
    }
    return app;
}

// Prints one step's wall-clock and processor time.
class Step {
public:
    Step() {
        m_wall.start();
        m_cpu = bench::threadCpuMs();
    }
    void print(const char* what) const {
        std::printf("%-46s %8lld ms wall %8.0f ms cpu\n", what, m_wall.elapsed(),
                    bench::threadCpuMs() - m_cpu);
    }

private:
    QElapsedTimer m_wall;
    double m_cpu = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir work;
    auto source = freshPlanner(work.filePath(QStringLiteral("source")));
    auto target = freshPlanner(work.filePath(QStringLiteral("target")));
    if (!work.isValid() || !source || !target) return 1;
    FixedClock clock;
    // The calendar module from the build tree: its loading is part of the
    // first step's figure, as it is of a first export in the program.
    ModuleLoader modules({QStringLiteral(TAVENEL_MODULE_DIR)});
    Services services;
    services.clock = &clock;
    services.modules = &modules;
    const QTimeZone zone("Europe/Berlin");

    {
        // Every 37 minutes from 1 January 2027: 10,000 different slots.
        const QDateTime first(QDate(2027, 1, 1), QTime(8, 0));
        std::vector<QVariantList> records;
        for (int i = 0; i < kAppointments; ++i)
            records.push_back(AppointmentSlot::columnsAt(
                first.addSecs(qint64(i) * 37 * 60),
                QStringLiteral("Appointment number %1\r\nwith a second line").arg(i)));
        Step step;
        if (!AppointmentBook(*source).appendAll(records, nullptr)) return 1;
        step.print("store 10,000 records in one write");
    }

    const QString file = work.filePath(QStringLiteral("schedules.ics"));
    {
        Step step;
        CalendarExport::Result result;
        QString why;
        const CalendarExport exporter(*source, services, zone);
        if (!exporter.writeFile(file, AppointmentBook(*source).readAll(), &result, &why)) return 1;
        step.print("export 10,000 appointments");
        std::printf("  %d written, file %lld bytes\n", result.written, QFileInfo(file).size());
    }
    for (const char* what : {"import into an empty table", "import again: all 10,000 duplicates"}) {
        Step step;
        const CalendarImport::Result result =
            CalendarImport(*target, services, zone).importFile(file);
        step.print(what);
        std::printf("  %d added, %d duplicates, %s\n", result.added, result.duplicates,
                    result.error.isEmpty() ? "no error" : qPrintable(result.error));
    }
    return 0;
}
