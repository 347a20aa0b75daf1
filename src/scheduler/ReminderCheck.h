#pragma once

#include "Texts.h"

class Form1;

// The clock tick's look at today's reminder list (List2 of the clock
// window). When an entry names the current hour, minute and AM/PM, the entry
// becomes the list's current entry, the alarm sound starts, "Pass" is stored
// in the flags record, the clock window hides and the planner window loads;
// the planner shows the reminder from there. Nothing is raised while the
// alarm sound of an alarm or an earlier reminder is still unanswered.
class ReminderCheck {
public:
    explicit ReminderCheck(Form1& form);

    void run(const texts::TimeParts& now);

    // Whether a reminder-list entry ("5: 7:PM") names this time.
    static bool isDue(const QString& entry, const texts::TimeParts& now);

private:
    void raise(int row);

    Form1& m_form;
};
