#pragma once

#include <QString>
#include <QVariant>

class RecordSet;

// A date as the planner's three selectors name it: the day and year as
// decimal text and the English month name, each as the user left it (the
// matching rules trim them).
struct DateTexts {
    QString day;
    QString month;
    QString year;
};

// One record of table `scheduler`: an appointment, its seven columns read by
// position, and the rules by which every reader matches it against a date or
// a time.
//
// Numbers (day, year, hour, minute) are read by value on the record's side:
// a stored "05" stands for 5. The other side is taken as it is written, only
// trimmed, when it is a selector's text or a part of a reminder-list entry,
// so a day typed as "08" matches no record; it is read by value too when it
// is one of the panel's time labels. The month and AM/PM are compared as
// exact, case-sensitive text after trimming both sides. A column that is
// null, empty or not a number matches nothing, and reading it never fails.
class Appointment {
public:
    enum Column { Day = 0, Month = 1, Year = 2, Hour = 3, Minute = 4, AmPm = 5, Text = 6 };

    // The current record of `records`; every column null when there is none.
    static Appointment current(const RecordSet& records);

    QVariant day;
    QVariant month;
    QVariant year;
    QVariant hour;
    QVariant minute;
    QVariant ampm;
    QVariant text;

    // On the date the selectors name.
    bool isOn(const DateTexts& date) const;
    // At the time the panel's hour, minute and AM/PM labels show.
    bool isAtLabels(const QString& hourLabel, const QString& minuteLabel,
                    const QString& ampmLabel) const;
    // At the time of a reminder-list entry's three parts.
    bool isAtEntry(const QString& hourPart, const QString& minutePart,
                   const QString& ampmPart) const;
    // The appointment's text as stored ("" for null).
    QString textValue() const { return text.toString(); }

    // The longest text a new appointment may have. Laying out a far longer
    // text would hold the window (and the clock with it) for minutes.
    static constexpr int kMaxTextLength = 10000;
    // A stored text as the windows show it: one longer than kMaxTextLength
    // (stored before there was a limit, or by another program) is cut there,
    // with a line that says so. What is stored stays as it is.
    static QString shownText(const QString& stored, int limit = kMaxTextLength);

    // --- The rules, one column at a time --------------------------------
    // The stored number in its decimal form without blanks or leading
    // zeros; empty when the column holds no whole number.
    static QString numberKey(const QVariant& stored);
    // A stored number against a text taken as written (trimmed only).
    static bool numberMatchesText(const QVariant& stored, const QString& other);
    // A stored number against a text read by value as well.
    static bool numberMatchesNumber(const QVariant& stored, const QString& other);
    // Stored text against text: both trimmed, exact and case-sensitive; a
    // null column matches nothing.
    static bool textMatches(const QVariant& stored, const QString& other);
};
