#include "scheduler/ObsoleteRules.h"

namespace obsolete {

Moment momentOf(const QDateTime& now) {
    const texts::TimeParts time = texts::timeParts(now.time());
    return {texts::dateParts(now.date()), time.hour, time.minute, time.ampm};
}

int half(const QString& ampm) {
    return ampm.trimmed() == QLatin1String("AM") ? 1 : 2;
}

qint64 hourKey(qint64 hour, int half) {
    const qint64 base = hour == 12 ? 1 : hour;
    return half == 1 ? base : base + 12;
}

std::optional<Columns> readColumns(const StoredRecord& record) {
    const auto day = record.number(0);
    const auto year = record.number(2);
    const auto hour = record.number(3);
    const auto minute = record.number(4);
    if (!day || !year || !hour || !minute || record.isNull(5)) return std::nullopt;
    // A null column names no month.
    const int monthNumber = record.monthNumber(1);
    if (monthNumber == 0) return std::nullopt;
    return Columns{*day, monthNumber, *year, *hour, *minute, half(record.text(5))};
}

std::optional<QDateTime> dueAt(const StoredRecord& record) {
    const auto c = readColumns(record);
    if (!c || c->year < 1 || c->year > 9999 || c->day < 1 || c->day > 31) return std::nullopt;
    const QDate date(int(c->year), c->month, int(c->day));
    const std::optional<QTime> time = texts::timeOfDay(c->hour, c->minute, c->half == 2);
    if (!date.isValid() || !time) return std::nullopt;
    return QDateTime(date, *time);
}

int passOf(const StoredRecord& record, const Moment& now) {
    // A later year has not passed whatever the rest holds: the common case
    // is settled without reading the other columns.
    const auto year = record.number(2);
    if (!year || *year > now.today.year) return 0;
    const auto c = readColumns(record);
    if (!c) return 0;
    const int nowHalf = half(now.ampm);
    const bool thisYear = c->year == now.today.year;
    const bool thisMonth = thisYear && c->month == now.today.month;
    const bool today = thisMonth && c->day == now.today.day;
    if (c->year < now.today.year) return 1;
    if (thisYear && c->month < now.today.month) return 2;
    if (thisMonth && c->day < now.today.day) return 3;
    if (!today) return 0;
    if (c->half == 1 && nowHalf == 2) return 4;
    if (c->half != nowHalf) return 0;
    if (hourKey(c->hour, c->half) < hourKey(now.hour, nowHalf)) return 5;
    if (c->hour == now.hour && c->minute < now.minute) return 6;
    return 0;
}

QString listingLine(int n, const StoredRecord& record, const QString& excerpt) {
    const auto number = [&](int at) {
        const auto value = record.number(at);
        return value ? texts::signBlank(*value) : QStringLiteral(" ");
    };
    return texts::signBlank(n) + QStringLiteral(") ") + number(0) + QStringLiteral("  ") +
           record.text(1).trimmed() + number(2) + QStringLiteral("     ") +
           number(3) + QStringLiteral(":") + number(4) + QStringLiteral(" ") +
           record.text(5).trimmed() + QStringLiteral("     ") + excerpt +
           QStringLiteral("\r\n");
}

QString questionText(const QString& listing) {
    return QStringLiteral("The following schedules are obsolete! Shall I remove them? ") +
           QStringLiteral("\r\n\r\n") + listing;
}

bool isToday(const StoredRecord& record, const texts::DateParts& today) {
    if (record.monthNumber(1) != today.month) return false;
    const auto day = record.number(0);
    const auto year = record.number(2);
    return day && year && *day == today.day && *year == today.year;
}

QString reminderEntry(const StoredRecord& record) {
    const auto hour = record.number(3);
    const auto minute = record.number(4);
    if (!hour || !minute) return QString();
    return (texts::signBlank(*hour) + QLatin1Char(':') + texts::signBlank(*minute) +
            QLatin1Char(':') + record.text(5).trimmed())
        .trimmed();
}

}  // namespace obsolete
