#pragma once

#include <QString>
#include <optional>

class Form2;
class AppointmentPanel;

// The planner window's side of a due reminder. The clock window has made the
// due entry of its reminder list the list's current entry and stored "Pass"
// in the flags record; this shows the appointment of that entry in the
// scheduler panel with today selected, takes the flag back ("F"), announces
// the reminder, and once the user has acknowledged it deletes the
// appointment, closes the panel, rebuilds today's list and stops the sound.
//
// A "Pass" with no current entry to go with it (left by an earlier run that
// ended before the reminder was shown, or handed to a planner that has no
// clock window) names no appointment: the flag is taken back and nothing is
// shown or deleted.
class ReminderDisplay {
public:
    ReminderDisplay(Form2& form, AppointmentPanel& panel);

    void show();

    // The due time named by the clock window's reminder list: its current
    // entry split at ":" and trimmed. nullopt when there is none.
    struct DueTime {
        QString hour;
        QString minute;
        QString ampm;
    };
    std::optional<DueTime> dueTime() const;

private:
    void takeFlagBack();
    void selectToday();
    void notifyDesktop(const QString& body);

    Form2& m_form;
    AppointmentPanel& m_panel;
};
