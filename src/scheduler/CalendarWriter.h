#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <vector>

#include "scheduler/CalendarReader.h"

// Writes appointments as an iCalendar file (RFC 5545): one event each, at
// its start on the computer's clock, with an alarm on screen at the start.
//
// The times carry the computer's time zone by name (TZID) with its
// definition (VTIMEZONE) in the file, which every common calendar program
// reads, and which keeps the wall-clock time the appointment was made for.
// A zone that libical does not know by name is written as UTC instead, which
// every program reads too. Floating times, the other choice, are read by
// some programs as UTC and by others as their own zone.
class CalendarWriter {
public:
    // How long each event lasts in the file: the planner's appointments
    // have a start only.
    static constexpr int kDurationMinutes = 15;

    // `stamp`: when the file is written; `zone`: the zone of the computer's clock.
    CalendarWriter(const QDateTime& stamp, const QTimeZone& zone);

    // The calendar text of these appointments (UTF-8, CRLF lines).
    QByteArray text(const std::vector<CalendarReader::Entry>& appointments) const;
    // The event's UID: the same for the same appointment in every export, so
    // that a calendar that imports the file again updates rather than
    // doubles it.
    static QString uidOf(const QDateTime& start, const QString& text);

private:
    QDateTime m_stamp;
    QTimeZone m_zone;
};
