#include "scheduler/Appointment.h"

#include "Database.h"
#include "Texts.h"

namespace {
// The text without blanks at either end, as a view into it.
QStringView trimmedView(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].isSpace()) ++begin;
    while (end > begin && text[end - 1].isSpace()) --end;
    return text.sliced(begin, end - begin);
}
}  // namespace

Appointment Appointment::current(const RecordSet& records) {
    Appointment a;
    // A record set without a current record gives null columns, which match nothing.
    a.day = records.field(Day);
    a.month = records.field(Month);
    a.year = records.field(Year);
    a.hour = records.field(Hour);
    a.minute = records.field(Minute);
    a.ampm = records.field(AmPm);
    a.text = records.field(Text);
    return a;
}

QString Appointment::numberKey(const QVariant& stored) {
    return texts::byValue(stored);
}

bool Appointment::numberMatchesText(const QVariant& stored, const QString& other) {
    const auto value = texts::wholeNumber(stored);
    return value && QString::number(*value) == other.trimmed();
}

bool Appointment::numberMatchesNumber(const QVariant& stored, const QString& other) {
    const auto value = texts::wholeNumber(stored);
    const auto otherValue = texts::wholeNumber(other);
    return value && otherValue && *value == *otherValue;
}

bool Appointment::textMatches(const QVariant& stored, const QString& other) {
    // Compared in place, without copies: a scan of the whole table runs on
    // every planner tick.
    if (stored.typeId() == QMetaType::QString)
        return trimmedView(*static_cast<const QString*>(stored.constData())) == trimmedView(other);
    if (stored.isNull() || !stored.isValid()) return false;
    return trimmedView(stored.toString()) == trimmedView(other);
}

bool Appointment::isOn(const DateTexts& date) const {
    return textMatches(month, date.month) && numberMatchesText(year, date.year) &&
           numberMatchesText(day, date.day);
}

bool Appointment::isAtLabels(const QString& hourLabel, const QString& minuteLabel,
                             const QString& ampmLabel) const {
    return numberMatchesNumber(hour, hourLabel) && numberMatchesNumber(minute, minuteLabel) &&
           textMatches(ampm, ampmLabel);
}

bool Appointment::isAtEntry(const QString& hourPart, const QString& minutePart,
                            const QString& ampmPart) const {
    return numberMatchesText(hour, hourPart) && numberMatchesText(minute, minutePart) &&
           textMatches(ampm, ampmPart);
}

QString Appointment::shownText(const QString& stored, int limit) {
    if (stored.size() <= limit) return stored;
    return stored.left(limit) +
           QStringLiteral("\n[... cut here: only the first %L1 of its %L2 characters are shown]")
               .arg(limit)
               .arg(stored.size());
}
