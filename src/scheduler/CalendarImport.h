#pragma once

#include <QString>
#include <QTimeZone>

#include "platform/Services.h"
#include "scheduler/CalendarReader.h"

struct AppContext;
class Form2;

// "Import schedules from a calendar file": the appointments of an iCalendar
// file are added to the table under the rule of "Make schedule", which
// refuses a second appointment at a date and time that has one. A file that
// is no calendar, or a damaged one, changes nothing, and so does one whose
// appointments cannot all be stored.
class CalendarImport {
public:
    // Larger files are refused rather than read whole into memory.
    static constexpr qint64 kLargestFile = 64 * 1024 * 1024;

    struct Result {
        QString error;  // not empty: nothing was imported, for this reason
        CalendarReader::Result read;
        int added = 0;
        int duplicates = 0;  // a schedule was already there at that time
    };

    // `zone`: the zone of the computer's clock.
    CalendarImport(const AppContext& app, const Services& services,
                   const QTimeZone& zone = QTimeZone::systemTimeZone());

    // Asks for the file, imports it, says what was added and what not, and
    // brings the planner's calendar and today's reminders up to date.
    void run(Form2& planner);
    // Reads the file and stores its appointments; shows nothing.
    Result importFile(const QString& path);
    // The closing message.
    static QString resultText(const QString& path, const Result& result);

private:
    const AppContext& m_app;
    Services m_services;
    QTimeZone m_zone;
};
