#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QTimeZone>
#include <vector>

// Reads an iCalendar file (RFC 5545) from any calendar program into the
// starts and texts of appointments: every event start in the future, on the
// computer's clock whatever time zone the file gives it in. A recurring
// event gives its occurrences of the coming year, at most kOccurrenceLimit
// of them, without those its exceptions remove or move (a moved occurrence
// is an event of its own in the file).
class CalendarReader {
public:
    // Why an event gave no appointment.
    enum class Skip {
        Past,            // it started before now, and does not recur after now
        NoneWithinYear,  // it recurs, but not in the coming year
        AllDay,          // a date without a time of day
        NoStart,         // no start, or one that cannot be read
        UnknownZone,     // a time zone neither defined in the file nor known here
        Cancelled,
        AfterLastYear,  // after the last year of the planner's calendar
    };
    struct Entry {
        QDateTime start;  // on the computer's clock, to the minute
        QString text;     // summary, then description; lines end in CR LF
    };
    struct Result {
        // Not empty when the file is no calendar or a damaged one: then
        // nothing in it may be imported.
        QString error;
        int events = 0;
        std::vector<Entry> entries;  // in the order of the file
        QMap<Skip, int> skipped;
        // Recurring events with more occurrences in the coming year than
        // the limit.
        int limited = 0;
    };

    static constexpr int kOccurrenceLimit = 100;
    static constexpr int kLastYear = 2050;

    // `now`: the computer's clock; `zone`: its time zone.
    CalendarReader(const QDateTime& now, const QTimeZone& zone);

    Result read(const QByteArray& text) const;

private:
    QDateTime m_after;  // entries start after this minute
    QDateTime m_until;  // occurrences of recurring events up to this moment
    QTimeZone m_zone;
};
