#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "scheduler/Appointment.h"

class Form2;
class RecordSet;

// The scheduler panel of the planner window: making an appointment on the
// selected date at the time the three pickers' labels show, viewing the
// appointments of a date one at a time with the slider, and removing the one
// shown. The labels, not the pickers, are what is stored and matched.
//
// Every scan here runs on a cursor of its own over the appointment table
// rather than on the shared one: a question may be open in the middle of a
// scan, and the planner's tick re-marks the calendar meanwhile through the
// shared cursor, which would otherwise leave the scan on another record.
class AppointmentPanel {
public:
    explicit AppointmentPanel(Form2& form);

    // "Schedule an appointment": the panel in making mode.
    void openForMaking();
    // "View/Remove schedule": the panel in viewing mode on the selected date.
    void openForViewing();
    // Records have been deleted behind the panel: in viewing mode it shows
    // the appointments left on the date, or closes when none is left.
    void recordsRemoved();
    // Command1: "Make schedule" or "Remove schedule", then the refresh.
    void commandPressed();
    // The pickers write their labels.
    void hourPicked();
    void minutePicked();
    void ampmPicked();
    // The slider shows the appointment at its position.
    void sliderMoved();
    // Shows one appointment in the panel: labels and text; the pickers stay.
    void showAppointment(const Appointment& appointment);

    // The messages, as the user reads them.
    static QString duplicateText(const QString& existingText);
    static QString tooLongText(int length);
    static QString madeText(const DateTexts& date, const QString& hourLabel, int minute,
                            const QString& ampm);
    static QString countText(int count);
    // "Remove schedule" found no appointment at the time the labels show.
    static QString notFoundText();
    static QString removalQuestion(const DateTexts& date, const QString& hourLabel,
                                   const QString& minuteLabel, const QString& ampmLabel);

private:
    void make();
    void remove();
    // Counts the appointments on the selected date into schedulesOnDate.
    int countOnDate();
    // Sets the slider to `count` appointments and shows the one at its
    // position.
    void showOnDate(int count);
    // A cursor of its own on the appointment table; null without a database.
    std::unique_ptr<RecordSet> records() const;
    // Runs `visit` on every record from the first, in stored order, until it
    // returns false.
    void scan(RecordSet& set, const std::function<bool(const Appointment&)>& visit) const;
    DateTexts selectedDate() const;

    Form2& m_form;
};
