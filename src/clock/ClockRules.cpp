#include "clock/ClockRules.h"

#include <QRegularExpression>
#include <cmath>

#include "Texts.h"

namespace clockrules {

long roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    long result = long(lower);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
    return result;
}

QColor frameColour(int hour12, int minute, int second) {
    // Each part computed as the design writes it: share of the range, times
    // 100, times 2.5.
    const long red = roundHalfEven(double(hour12) / 12 * 100 * 2.5);
    const long green = roundHalfEven(double(minute) / 59 * 100 * 2.5);
    const long blue = roundHalfEven(double(second) / 59 * 100 * 2.5);
    return QColor(int(red), int(green), int(blue));
}

QString caption(const QDate& today, bool smallOrCompact, bool appToday) {
    const texts::DateParts parts = texts::dateParts(today);
    QString text = texts::signBlank(parts.day) + QLatin1Char(' ') + texts::monthName(parts.month);
    if (!smallOrCompact) text += QLatin1Char(',') + texts::signBlank(parts.year);
    if (appToday) text += QStringLiteral(". APP TODAY");
    return text;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString ampmText(int value) {
    if (value == 1) return QStringLiteral("PM");
    if (value == 2) return QStringLiteral("AM");
    return QString();
}

std::optional<QTime> readTwelveHourTime(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,2})\\s*:\\s*(\\d{2})\\s*(AM|PM)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    if (hour < 1 || hour > 12 || minute > 59) return std::nullopt;
    const bool pm = match.captured(3) == QLatin1String("PM");
    const int hour24 = (hour % 12) + (pm ? 12 : 0);
    return QTime(hour24, minute);
}

}  // namespace clockrules
