#pragma once

#include <QColor>
#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

// The clock's small rules, free of any widget: the colour of the frame at a
// time of day, the date in the window caption, and the texts of the time row
// of the settings panel.
namespace clockrules {

// A whole number to the nearest, halves to the even neighbour (62.5 -> 62,
// 187.5 -> 188), whatever rounding mode the process runs in.
long roundHalfEven(double value);

// The frame's colour: red from the hour (1 .. 12), green from the minute and
// blue from the second, each on a scale up to 250. 12:59:59 is (250, 250, 250);
// 6:00:00 is (125, 0, 0).
QColor frameColour(int hour12, int minute, int second);

// The window caption: " 8 December, 2026" in the normal size, " 8 December"
// when the clock is small or compact, with ". APP TODAY" after either when
// today holds an appointment.
QString caption(const QDate& today, bool smallOrCompact, bool appToday);

// A scroll bar's value as the time row writes it: at least two digits ("07").
QString twoDigits(int value);
// The AM/PM scroll bar's text: 1 is "PM", 2 is "AM"; empty for anything else.
QString ampmText(int value);

// The time of day a composed text such as "07:45PM" names, on the 12-hour
// clock: hour 1 to 12, minute 00 to 59, then AM or PM (blanks allowed around
// the parts). nullopt for anything else; an hour of 00, as the designed
// " 00:00AM" has, is not a time of day.
std::optional<QTime> readTwelveHourTime(const QString& text);

}  // namespace clockrules
