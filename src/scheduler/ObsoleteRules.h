#pragma once

#include <QString>
#include <optional>

#include "StoredRecord.h"
#include "Texts.h"

// The rules that decide which stored appointments have passed, how each is
// listed in the removal question, and which belong to today's reminder list.
// A record is the seven stored columns of one appointment, by position: day,
// month name, year, hour, minute, "AM"/"PM", text.
namespace obsolete {

// The moment the rules compare with: today's date and the time of day
// (hour 1 .. 12, minute, "AM"/"PM").
struct Moment {
    texts::DateParts today;
    int hour = 12;
    int minute = 0;
    QString ampm;
};
Moment momentOf(const QDateTime& now);

// 1 for "AM", 2 for anything else (the text is trimmed first).
int half(const QString& ampm);

// Orders hours within one half: the hour itself in the morning, the hour
// plus 12 in the afternoon. 12 counts as 1 (AM) or 13 (PM), so noon and
// midnight share the key of the hour after them.
qint64 hourKey(qint64 hour, int half);

// The columns of a record that the rules read, once they could all be read
// and compared. A record with a missing value, a day, year, hour or minute
// that is not a whole number, or a month name that is not one of the twelve
// has no such columns: the rules never list it and never delete it.
struct Columns {
    qint64 day = 0;
    int month = 0;
    qint64 year = 0;
    qint64 hour = 0;
    qint64 minute = 0;
    int half = 1;
};
std::optional<Columns> readColumns(const StoredRecord& record);

// The date and minute the record's appointment falls on, its half read as
// above; nullopt when its columns cannot be read or name no real day or
// time of day.
std::optional<QDateTime> dueAt(const StoredRecord& record);

// Which of the six passes lists the record (1 .. 6), or 0 when it has not
// passed. The passes: an earlier year; an earlier month of this year; an
// earlier day of this month; today in the morning when it is now afternoon;
// today in this half at an earlier hour key; today at this hour and an
// earlier minute.
int passOf(const StoredRecord& record, const Moment& now);

// One line of the removal question for the n-th listed record, ending with
// a line break; `excerpt` is the start of its text.
QString listingLine(int n, const StoredRecord& record, const QString& excerpt);

// The question that lists them.
QString questionText(const QString& listing);

// True when the record's day and year are today's and its month name is
// this month's.
bool isToday(const StoredRecord& record, const texts::DateParts& today);

// The record's entry in today's reminder list: hour, minute and AM/PM joined
// by ":", the numbers with a sign blank, the whole trimmed ("5: 7:PM").
// Empty when the hour or minute is not a whole number.
QString reminderEntry(const StoredRecord& record);

}  // namespace obsolete
