#include "scheduler/CalendarImport.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include "StartWithDesktop.h"
#include "clock/Form1.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "scheduler/AppointmentBook.h"
#include "scheduler/AppointmentSlot.h"
#include "scheduler/CalendarFiles.h"
#include "scheduler/Form2.h"

namespace {

QString counted(int n, const QString& one, const QString& many) {
    return n == 1 ? one : many.arg(n);
}

// Each reason an event gave no appointment, as the closing message says it.
QString skipText(CalendarReader::Skip why, int n) {
    using Skip = CalendarReader::Skip;
    switch (why) {
        case Skip::Past:
            return counted(n, QStringLiteral("1 event was not added: it lies in the past."),
                           QStringLiteral("%1 events were not added: they lie in the past."));
        case Skip::NoneWithinYear:
            return counted(n,
                           QStringLiteral("1 recurring event was not added: it does not occur "
                                          "in the coming year."),
                           QStringLiteral("%1 recurring events were not added: they do not "
                                          "occur in the coming year."));
        case Skip::AllDay:
            return counted(n,
                           QStringLiteral("1 all-day event was not added: an appointment needs "
                                          "a time of day."),
                           QStringLiteral("%1 all-day events were not added: an appointment "
                                          "needs a time of day."));
        case Skip::NoStart:
            return counted(n, QStringLiteral("1 event was not added: its start cannot be read."),
                           QStringLiteral("%1 events were not added: their start cannot be "
                                          "read."));
        case Skip::UnknownZone:
            return counted(n,
                           QStringLiteral("1 event was not added: its time zone is neither "
                                          "defined in the file nor known here."),
                           QStringLiteral("%1 events were not added: their time zone is "
                                          "neither defined in the file nor known here."));
        case Skip::Cancelled:
            return counted(n, QStringLiteral("1 cancelled event was not added."),
                           QStringLiteral("%1 cancelled events were not added."));
        case Skip::AfterLastYear:
            return counted(n,
                           QStringLiteral("1 event was not added: it lies after %2, the "
                                          "calendar's last year."),
                           QStringLiteral("%1 events were not added: they lie after %2, the "
                                          "calendar's last year."))
                .arg(CalendarReader::kLastYear);
    }
    return QString();
}

}  // namespace

CalendarImport::CalendarImport(const AppContext& app, const Services& services,
                               const QTimeZone& zone)
    : m_app(app), m_services(services), m_zone(zone) {}

CalendarImport::Result CalendarImport::importFile(const QString& path) {
    Result result;
    QFile file(path);
    if (file.size() > kLargestFile) {
        result.error = QStringLiteral("at %1 MB it is too large for a calendar file")
                           .arg(file.size() / (1024 * 1024));
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("it cannot be read: %1").arg(file.errorString());
        return result;
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("it cannot be read: %1").arg(file.errorString());
        return result;
    }
    const CalendarFiles* calendarFiles = CalendarFiles::load(m_services.modules, &result.error);
    if (!calendarFiles) return result;
    result.read = calendarFiles->read(m_services.clock->now(), m_zone, text);
    if (!result.read.error.isEmpty()) {
        result.error = result.read.error;
        return result;
    }

    AppointmentBook book(m_app);
    if (!book.isOpen()) {
        result.error = QStringLiteral("the planner database is not open");
        return result;
    }
    QSet<AppointmentSlot> taken;
    for (const QVariantList& record : book.readAll())
        if (const auto slot = AppointmentSlot::of(record)) taken.insert(*slot);
    std::vector<QVariantList> added;
    for (const CalendarReader::Entry& entry : result.read.entries) {
        const QVariantList columns = AppointmentSlot::columnsAt(entry.start, entry.text);
        const AppointmentSlot slot = AppointmentSlot::wanted(
            {columns[Appointment::Day].toString(), columns[Appointment::Month].toString(),
             columns[Appointment::Year].toString()},
            columns[Appointment::Hour].toString(), columns[Appointment::Minute].toString(),
            columns[Appointment::AmPm].toString());
        if (taken.contains(slot)) {
            ++result.duplicates;
            continue;
        }
        taken.insert(slot);
        added.push_back(columns);
    }
    // All or nothing: an import cut off half-way could not be repeated
    // without doubling what it had stored.
    QString why;
    if (!added.empty() && !book.appendAll(added, &why)) {
        result.error = QStringLiteral("the appointments could not be stored: %1").arg(why);
        return result;
    }
    result.added = int(added.size());
    return result;
}

QString CalendarImport::resultText(const QString& path, const Result& result) {
    const QString file = QDir::toNativeSeparators(path);
    if (!result.error.isEmpty())
        return QStringLiteral("Nothing was imported from %1: %2.").arg(file, result.error);
    if (result.read.events == 0)
        return QStringLiteral("The calendar file %1 holds no events. Nothing was imported.")
            .arg(file);

    QStringList lines;
    lines << QStringLiteral("From the calendar file %1:").arg(file) << QString();
    lines << counted(result.added, QStringLiteral("1 appointment was added."),
                     QStringLiteral("%1 appointments were added."));
    if (result.duplicates > 0)
        lines << counted(result.duplicates,
                         QStringLiteral("1 was not added: a schedule is already there at that "
                                        "time."),
                         QStringLiteral("%1 were not added: a schedule is already there at "
                                        "that time."));
    for (auto it = result.read.skipped.cbegin(); it != result.read.skipped.cend(); ++it)
        lines << skipText(it.key(), it.value());
    if (result.read.limited > 0)
        lines << counted(result.read.limited,
                         QStringLiteral("1 recurring event occurs more than %2 times in the "
                                        "coming year: its first %2 were added."),
                         QStringLiteral("%1 recurring events occur more than %2 times in the "
                                        "coming year: the first %2 of each were added."))
                     .arg(CalendarReader::kOccurrenceLimit);
    return lines.join(QStringLiteral("\r\n"));
}

void CalendarImport::run(Form2& planner) {
    IDialogs& dialogs = *m_services.dialogs;
    const auto path = dialogs.openFile(
        QDir::homePath(),
        QStringLiteral("Calendar files (*.ics *.ical *.icalendar *.ifb);;All files (*)"),
        QStringLiteral("Import schedules from a calendar file"));
    if (!path) return;
    const Result result = importFile(*path);
    dialogs.message(resultText(*path, result),
                    result.error.isEmpty() ? MessageKind::Notice : MessageKind::Failure);
    if (result.added == 0) return;
    // As after "Make schedule": the calendar marked, today's reminders rebuilt.
    planner.refresh();
    if (Form1* clock = planner.clockWindow()) clock->startWithDesktop().offerOnce();
}
