#pragma once

#include <QDateTime>
#include <QHashFunctions>
#include <QString>
#include <QVariantList>
#include <optional>

#include "StoredRecord.h"
#include "scheduler/Appointment.h"

// The date and time that identify an appointment: "Make schedule" refuses a
// second appointment in a slot that holds one, and so does every other way
// of adding appointments. Two slots are the same under the matching rules of
// the appointment record: day, year, hour and minute by value on the stored
// side, month and AM/PM as exact text, all trimmed.
//
// A slot also stands for a real moment of the local clock, which is how the
// calendar files, the tray icon and the reminders see it.
class AppointmentSlot {
public:
    // The slot of a stored appointment; nullopt when a column of it cannot
    // be read, for such a record is in no slot and matches nothing.
    static std::optional<AppointmentSlot> of(const Appointment& stored);
    static std::optional<AppointmentSlot> of(const QVariantList& record);
    // The slot a new appointment asks for: the date selectors' texts, taken
    // as written, and the time labels, read by value.
    static AppointmentSlot wanted(const DateTexts& date, const QString& hourLabel,
                                  const QString& minuteLabel, const QString& ampmLabel);

    // The moment on the local clock that a stored record names: nullopt when
    // its date does not exist, its hour is not 1 to 12, its minute not 0 to
    // 59 or its AM/PM neither "AM" nor "PM".
    static std::optional<QDateTime> startOf(const StoredRecord& record);
    // The same as the local date and time of day, without working out the
    // moment from the time zone (which reads the zone's file): cheap enough
    // for a look at every record of a large table.
    struct Start {
        QDate date;
        QTime time;
    };
    static std::optional<Start> dateAndTimeOf(const StoredRecord& record);
    static std::optional<QDateTime> startOf(const QVariantList& record) {
        return startOf(StoredRecord(record));
    }
    // The seven columns of an appointment at `start` (seconds dropped) with
    // `text`, written as the planner's panel writes them: day and year in
    // decimal, the month's English name, the hour with two digits ("05"),
    // the minute as a number, "AM" or "PM".
    static QVariantList columnsAt(const QDateTime& start, const QString& text);

    bool operator==(const AppointmentSlot&) const = default;
    friend size_t qHash(const AppointmentSlot& slot, size_t seed = 0) {
        return qHashMulti(seed, slot.m_day, slot.m_month, slot.m_year, slot.m_hour, slot.m_minute,
                          slot.m_ampm);
    }

private:
    QString m_day, m_month, m_year, m_hour, m_minute, m_ampm;
};
