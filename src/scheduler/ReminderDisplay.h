#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class Form2;
class AppointmentPanel;

// The planner window's side of a due reminder. The clock window has handed
// an appointment's date and minute over and stored "Pass" in the flags
// record; this shows the appointment in the scheduler panel with its date
// selected, takes the flag back ("F") and announces the reminder, in the
// program and on the desktop, without waiting. Once the user has
// acknowledged it, it deletes the appointment, closes the panel, rebuilds
// today's list and stops the sound.
//
// A "Pass" with nothing handed over to go with it (left by an earlier run
// that ended before the reminder was shown, or handed to a planner that has
// no clock window) names no appointment: the flag is taken back and nothing
// is shown or deleted.
class ReminderDisplay : public QObject {
public:
    ReminderDisplay(Form2& form, AppointmentPanel& panel);

    void show();
    // Whether "Schedule Reminder" is open.
    bool isOpen() const { return m_open; }

    // The texts of the reminder, in the program and on the desktop. A late
    // reminder says when it was due; `today` tells whether that was today.
    static QString messageText(const QDateTime& due, bool late, const QDate& today);
    static QString notificationSummary(bool late);
    static QString notificationBody(const QDateTime& due, bool late, const QString& text);

private:
    void takeFlagBack();
    void selectDate(const QDate& date);
    void answered(const QDateTime& due, bool found, int notice);

    Form2& m_form;
    AppointmentPanel& m_panel;
    bool m_open = false;
};
