#include "scheduler/CalendarExport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSaveFile>

#include "AppContext.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "scheduler/AppointmentBook.h"
#include "scheduler/AppointmentSlot.h"
#include "scheduler/Ical.h"

namespace {

icaltimetype icalTime(const QDateTime& wall, const icaltimezone* zone) {
    icaltimetype t = icaltime_null_time();
    t.year = wall.date().year();
    t.month = wall.date().month();
    t.day = wall.date().day();
    t.hour = wall.time().hour();
    t.minute = wall.time().minute();
    t.second = wall.time().second();
    t.zone = zone;
    return t;
}

// A date and time property at `wall` on the computer's clock: by zone name
// when the zone is known, else converted to UTC.
icalproperty* timeProperty(icalproperty* (*make)(icaltimetype), const QDateTime& wall,
                           const QByteArray& zoneName, const QTimeZone& zone) {
    if (zoneName.isEmpty()) {
        const QDateTime utc = QDateTime(wall.date(), wall.time(), zone).toUTC();
        return make(icalTime(utc, icaltimezone_get_utc_timezone()));
    }
    icalproperty* property = make(icalTime(wall, nullptr));
    icalproperty_add_parameter(property, icalparameter_new_tzid(zoneName.constData()));
    return property;
}

// Line breaks as iCalendar texts hold them (the planner stores CR LF).
QByteArray calendarTextOf(const QString& text) {
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).toUtf8();
}

}  // namespace

CalendarExport::CalendarExport(const AppContext& app, const Services& services,
                               const QTimeZone& zone)
    : m_app(app), m_services(services), m_zone(zone) {}

QString CalendarExport::uidOf(const QDateTime& start, const QString& text) {
    const QByteArray digest = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1);
    return start.toString(QStringLiteral("yyyyMMdd'T'HHmm")) + QLatin1Char('-') +
           QString::fromLatin1(digest.toHex().left(16)) + QStringLiteral("@tavenel");
}

QByteArray CalendarExport::calendarText(const std::vector<QVariantList>& records,
                                        Result* result) const {
    ical::keepErrorsQuiet();
    Result counts;
    ical::Component calendar(
        icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                            icalproperty_new_prodid("-//Tavenel//Tavenel 1.0//EN"),
                            icalproperty_new_calscale("GREGORIAN"), nullptr));

    QByteArray zoneName;
    if (icaltimezone* builtin = ical::builtinZone(m_zone)) {
        // The zone's definition under its plain name, which other programs
        // also recognise without it.
        zoneName = m_zone.id();
        icalcomponent* definition = icalcomponent_new_clone(icaltimezone_get_component(builtin));
        icalproperty* tzid = icalcomponent_get_first_property(definition, ICAL_TZID_PROPERTY);
        if (tzid) icalproperty_set_tzid(tzid, zoneName.constData());
        icalcomponent_add_component(calendar.get(), definition);
    }

    const icaltimetype stamp = icaltime_from_timet_with_zone(
        m_services.clock->now().toSecsSinceEpoch(), 0, icaltimezone_get_utc_timezone());
    for (const QVariantList& record : records) {
        const auto start = AppointmentSlot::startOf(record);
        if (!start) {
            ++counts.unreadable;
            continue;
        }
        const QString text = record.value(Appointment::Text).toString();
        const QByteArray summary = calendarTextOf(text);
        icalcomponent* event = icalcomponent_new_vevent();
        icalcomponent_add_property(event,
                                   icalproperty_new_uid(uidOf(*start, text).toUtf8().constData()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
        icalcomponent_add_property(
            event, timeProperty(&icalproperty_new_dtstart, *start, zoneName, m_zone));
        icalcomponent_add_property(
            event, timeProperty(&icalproperty_new_dtend, start->addSecs(kDurationMinutes * 60),
                                zoneName, m_zone));
        if (!summary.isEmpty())
            icalcomponent_add_property(event, icalproperty_new_summary(summary.constData()));

        // A notice on screen when the appointment starts, as the planner gives.
        icaltriggertype trigger{};
        trigger.time = icaltime_null_time();
        trigger.duration = icaldurationtype_null_duration();
        icalcomponent* alarm = icalcomponent_vanew(
            ICAL_VALARM_COMPONENT, icalproperty_new_action(ICAL_ACTION_DISPLAY),
            icalproperty_new_trigger(trigger),
            icalproperty_new_description(summary.isEmpty() ? "Appointment" : summary.constData()),
            nullptr);
        icalcomponent_add_component(event, alarm);
        icalcomponent_add_component(calendar.get(), event);
        ++counts.written;
    }
    if (result) *result = counts;
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    const QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

bool CalendarExport::writeFile(const QString& path, const std::vector<QVariantList>& records,
                               Result* result, QString* error) const {
    const QByteArray text = calendarText(records, result);
    // Whole or not at all: a file cut short by a full disk would lose
    // appointments without a word.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

QString CalendarExport::resultText(const QString& path, const Result& result) {
    QString text = (result.written == 1 ? QStringLiteral("1 appointment was written to %2.")
                                        : QStringLiteral("%1 appointments were written to %2."))
                       .arg(result.written)
                       .arg(QDir::toNativeSeparators(path));
    if (result.unreadable > 0)
        text +=
            QStringLiteral("\r\n\r\n") +
            (result.unreadable == 1
                 ? QStringLiteral("1 appointment was left out: its date or time cannot be read.")
                 : QStringLiteral("%1 appointments were left out: their date or time cannot "
                                  "be read.")
                       .arg(result.unreadable));
    return text;
}

void CalendarExport::run() {
    IDialogs& dialogs = *m_services.dialogs;
    const std::vector<QVariantList> records = AppointmentBook(m_app).readAll();
    if (records.empty()) {
        dialogs.message(QStringLiteral("No schedules have been made"));
        return;
    }
    const auto path = dialogs.saveFile(QDir::home().filePath(QStringLiteral("schedules.ics")),
                                       QStringLiteral("Calendar files (*.ics);;All files (*)"),
                                       QStringLiteral("Export schedules to a calendar file"));
    if (!path) return;
    Result result;
    QString why;
    if (!writeFile(*path, records, &result, &why)) {
        dialogs.message(QStringLiteral("The calendar file %1 could not be written: %2. Nothing was "
                                       "exported.")
                            .arg(QDir::toNativeSeparators(*path), why),
                        MessageKind::Failure);
        return;
    }
    dialogs.message(resultText(*path, result));
}
