#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <QVariantList>
#include <vector>

#include "platform/Services.h"

struct AppContext;

// "Export schedules to a calendar file": every appointment goes into an
// iCalendar file (RFC 5545) that other calendar programs import, one event
// each, at the appointment's time on the computer's clock.
//
// The times carry the computer's time zone by name (TZID) with its
// definition (VTIMEZONE) in the file, which every common calendar program
// reads, and which keeps the wall-clock time the appointment was made for.
// A zone that libical does not know by name is written as UTC instead, which
// every program reads too. Floating times, the other choice, are read by
// some programs as UTC and by others as their own zone.
class CalendarExport {
public:
    // How long each event lasts in the file: the planner's appointments
    // have a start only.
    static constexpr int kDurationMinutes = 15;

    struct Result {
        int written = 0;
        int unreadable = 0;  // records whose date or time cannot be read
    };

    // `zone`: the zone of the computer's clock.
    CalendarExport(const AppContext& app, const Services& services,
                   const QTimeZone& zone = QTimeZone::systemTimeZone());

    // Asks for the file, writes it and says what was written.
    void run();
    // Writes the calendar of these records to `path`, whole or not at all.
    // False with a reason when it could not.
    bool writeFile(const QString& path, const std::vector<QVariantList>& records, Result* result,
                   QString* error) const;
    // The calendar text of these records (iCalendar, UTF-8, CRLF lines).
    QByteArray calendarText(const std::vector<QVariantList>& records, Result* result) const;
    // The event's UID: the same for the same appointment in every export, so
    // that a calendar that imports the file again updates rather than
    // doubles it.
    static QString uidOf(const QDateTime& start, const QString& text);
    // The closing message.
    static QString resultText(const QString& path, const Result& result);

private:
    const AppContext& m_app;
    Services m_services;
    QTimeZone m_zone;
};
