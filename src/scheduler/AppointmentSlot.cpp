#include "scheduler/AppointmentSlot.h"

#include "Texts.h"
#include "clock/ClockRules.h"
#include "scheduler/ObsoleteRules.h"

std::optional<AppointmentSlot> AppointmentSlot::of(const Appointment& stored) {
    AppointmentSlot slot;
    slot.m_day = Appointment::numberKey(stored.day);
    slot.m_year = Appointment::numberKey(stored.year);
    slot.m_hour = Appointment::numberKey(stored.hour);
    slot.m_minute = Appointment::numberKey(stored.minute);
    if (slot.m_day.isEmpty() || slot.m_year.isEmpty() || slot.m_hour.isEmpty() ||
        slot.m_minute.isEmpty() || stored.month.isNull() || stored.ampm.isNull())
        return std::nullopt;
    slot.m_month = stored.month.toString().trimmed();
    slot.m_ampm = stored.ampm.toString().trimmed();
    return slot;
}

std::optional<AppointmentSlot> AppointmentSlot::of(const QVariantList& record) {
    Appointment stored;
    QVariant* columns[] = {&stored.day,    &stored.month, &stored.year, &stored.hour,
                           &stored.minute, &stored.ampm,  &stored.text};
    for (int n = 0; n < std::min<int>(record.size(), 7); ++n) *columns[n] = record[n];
    return of(stored);
}

AppointmentSlot AppointmentSlot::wanted(const DateTexts& date, const QString& hourLabel,
                                        const QString& minuteLabel, const QString& ampmLabel) {
    AppointmentSlot slot;
    slot.m_day = date.day.trimmed();
    slot.m_month = date.month.trimmed();
    slot.m_year = date.year.trimmed();
    // A label that holds no number gives an empty key, which no stored slot has.
    slot.m_hour = texts::byValue(hourLabel.trimmed());
    slot.m_minute = texts::byValue(minuteLabel.trimmed());
    slot.m_ampm = ampmLabel.trimmed();
    return slot;
}

std::optional<QDateTime> AppointmentSlot::startOf(const StoredRecord& record) {
    const auto start = dateAndTimeOf(record);
    if (!start) return std::nullopt;
    return QDateTime(start->date, start->time);
}

std::optional<AppointmentSlot::Start> AppointmentSlot::dateAndTimeOf(const StoredRecord& record) {
    const auto columns = obsolete::readColumns(record);
    if (!columns) return std::nullopt;
    // A missing column reads as "", which is neither.
    const QString ampm = record.text(Appointment::AmPm).trimmed();
    if (ampm != QLatin1String("AM") && ampm != QLatin1String("PM")) return std::nullopt;
    if (columns->hour < 1 || columns->hour > 12 || columns->minute < 0 || columns->minute > 59)
        return std::nullopt;
    if (columns->year < 1 || columns->year > 9999 || columns->day < 1 || columns->day > 31)
        return std::nullopt;
    const QDate date(int(columns->year), columns->month, int(columns->day));
    if (!date.isValid()) return std::nullopt;
    const int hour = int(columns->hour % 12) + (ampm == QLatin1String("PM") ? 12 : 0);
    return Start{date, QTime(hour, int(columns->minute))};
}

QVariantList AppointmentSlot::columnsAt(const QDateTime& start, const QString& text) {
    const QDate date = start.date();
    const int hour24 = start.time().hour();
    const int hour12 = hour24 % 12 == 0 ? 12 : hour24 % 12;
    return {QString::number(date.day()),
            texts::monthName(date.month()),
            QString::number(date.year()),
            clockrules::twoDigits(hour12),
            start.time().minute(),
            hour24 < 12 ? QStringLiteral("AM") : QStringLiteral("PM"),
            text};
}
