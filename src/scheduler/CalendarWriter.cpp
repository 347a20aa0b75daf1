#include "scheduler/CalendarWriter.h"

#include <QCryptographicHash>

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

CalendarWriter::CalendarWriter(const QDateTime& stamp, const QTimeZone& zone)
    : m_stamp(stamp), m_zone(zone) {}

QString CalendarWriter::uidOf(const QDateTime& start, const QString& text) {
    const QByteArray digest = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1);
    return start.toString(QStringLiteral("yyyyMMdd'T'HHmm")) + QLatin1Char('-') +
           QString::fromLatin1(digest.toHex().left(16)) + QStringLiteral("@tavenel");
}

QByteArray CalendarWriter::text(const std::vector<CalendarReader::Entry>& appointments) const {
    ical::keepErrorsQuiet();
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

    const icaltimetype stamp = icaltime_from_timet_with_zone(m_stamp.toSecsSinceEpoch(), 0,
                                                             icaltimezone_get_utc_timezone());
    for (const CalendarReader::Entry& appointment : appointments) {
        const QDateTime& start = appointment.start;
        const QByteArray summary = calendarTextOf(appointment.text);
        icalcomponent* event = icalcomponent_new_vevent();
        icalcomponent_add_property(
            event, icalproperty_new_uid(uidOf(start, appointment.text).toUtf8().constData()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
        icalcomponent_add_property(event,
                                   timeProperty(&icalproperty_new_dtstart, start, zoneName, m_zone));
        icalcomponent_add_property(
            event, timeProperty(&icalproperty_new_dtend, start.addSecs(kDurationMinutes * 60),
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
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    const QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}
