#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Small text rules shared by the windows: how numbers, dates and times are
// written and read back.
namespace texts {

// A whole number written as the program writes it in most messages: with a
// blank where the sign would stand for positive numbers (" 8", "-3").
QString signBlank(qint64 n);

// "January" .. "December" for 1 .. 12; empty for anything else.
QString monthName(int month);
// 1 .. 12 for the exact English month name, else 0.
int monthNumber(const QString& name);

// Today's date in parts, as "m/d/yyyy" split at "/".
struct DateParts {
    int month = 0;
    int day = 0;
    int year = 0;
};
DateParts dateParts(const QDate& date);

// The time of day in parts, as "hh:mm:ss : AM/PM" split at ":": the hour on
// the 12-hour clock (1 .. 12), the minute, the second, and "AM" or "PM".
struct TimeParts {
    int hour = 12;
    int minute = 0;
    int second = 0;
    QString ampm;
};
TimeParts timeParts(const QTime& time);
// A time format without one of its fields (`field` is its letter: 's' for
// the seconds, 't' for the time zone) and the ':' or '.' before it; quoted
// text is kept.
QString formatWithout(const QString& format, QChar field);
// The time of day an hour of the 12-hour clock (1 .. 12), a minute and the
// afternoon flag name: 12 AM is midnight, 12 PM noon. nullopt when the hour
// or the minute is out of range.
std::optional<QTime> timeOfDay(qint64 hour, qint64 minute, bool pm);

// A stored value read "by value": its decimal form without blanks or leading
// zeros ("05" -> "5", " 7" -> "7", 3.0 -> "3"); nullopt when it is not a
// whole number (null, empty, letters, a fraction).
std::optional<qint64> wholeNumber(const QVariant& value);
std::optional<qint64> wholeNumber(const QString& text);
QString byValue(const QVariant& value);

}  // namespace texts
