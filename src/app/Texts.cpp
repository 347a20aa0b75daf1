#include "Texts.h"

#include <QVariant>

namespace texts {

namespace {
const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
}

QString signBlank(qint64 n) { return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n); }

QString monthName(int month) {
    if (month < 1 || month > 12) return QString();
    return QString::fromLatin1(kMonths[month - 1]);
}

int monthNumber(const QString& name) {
    for (int i = 0; i < 12; ++i)
        if (name == QLatin1String(kMonths[i])) return i + 1;
    return 0;
}

DateParts dateParts(const QDate& date) { return {date.month(), date.day(), date.year()}; }

QString formatWithout(const QString& format, QChar field) {
    QString kept;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted || c != field) {
            kept += c;
            continue;
        }
        if (kept.endsWith(QLatin1Char(':')) || kept.endsWith(QLatin1Char('.'))) kept.chop(1);
        while (i + 1 < format.size() && format.at(i + 1) == field) ++i;
    }
    return kept;
}

TimeParts timeParts(const QTime& time) {
    TimeParts parts;
    const int h = time.hour();
    parts.hour = h % 12 == 0 ? 12 : h % 12;
    parts.minute = time.minute();
    parts.second = time.second();
    parts.ampm = h < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    return parts;
}

std::optional<QTime> timeOfDay(qint64 hour, qint64 minute, bool pm) {
    if (hour < 1 || hour > 12 || minute < 0 || minute > 59) return std::nullopt;
    return QTime(int(hour % 12) + (pm ? 12 : 0), int(minute));
}

std::optional<qint64> wholeNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    bool ok = false;
    const qint64 n = trimmed.toLongLong(&ok);
    if (ok) return n;
    // A number with a fractional part of zero ("3.0") still has a whole value.
    const double d = trimmed.toDouble(&ok);
    if (ok && d == double(qint64(d))) return qint64(d);
    return std::nullopt;
}

std::optional<qint64> wholeNumber(const QVariant& value) {
    if (value.isNull() || !value.isValid()) return std::nullopt;
    switch (value.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::Short:
            return value.toLongLong();
        case QMetaType::Double:
        case QMetaType::Float: {
            const double d = value.toDouble();
            if (d == double(qint64(d))) return qint64(d);
            return std::nullopt;
        }
        default:
            return wholeNumber(value.toString());
    }
}

QString byValue(const QVariant& value) {
    const auto n = wholeNumber(value);
    return n ? QString::number(*n) : QString();
}

}  // namespace texts
