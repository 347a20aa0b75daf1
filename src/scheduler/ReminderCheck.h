#pragma once

#include <QDateTime>
#include <deque>
#include <optional>

class Form1;

// An appointment whose reminder is due: the date and minute it falls on.
struct DueReminder {
    QDateTime at;
    // Reminded after its minute had passed (the clock jumped, the machine
    // slept, or another reminder or the alarm was still unanswered).
    bool late = false;
};

// The clock tick's look at today's reminder list (List2 of the clock
// window). The tick examines every minute from the one it examined last up
// to the present one, so that a minute passed over (the clock set forward,
// the machine asleep, the program held up) is not lost; an entry whose
// minute it examines is queued. The earliest queued reminder is raised when
// nothing else is ringing: the alarm sound starts and is held, "Pass" is
// stored in the flags record, the clock window hides and the planner window
// loads; the planner shows the reminder from there and says when it has been
// answered. So reminders come one at a time, in time order, each once.
//
// Only the minutes of the day the list was built for are examined: an
// appointment made for a time already past, or missed while the program was
// not running, is not reminded (the clean-up of past appointments offers it).
class ReminderCheck {
public:
    explicit ReminderCheck(Form1& form);

    // The reminder check of one clock tick.
    void run();

    // The time of day a reminder-list entry ("5: 7:PM") names; nullopt when
    // it names none.
    static std::optional<QTime> entryTime(const QString& entry);

    // The reminder handed to the planner window and not yet answered.
    const std::optional<DueReminder>& handedOver() const { return m_handedOver; }
    // The planner window has shown the handed-over reminder and the user has
    // answered it: the alarm sound is released and the next one may come.
    void answered();
    // Whether the appointment due at this minute is still owed its reminder:
    // queued, handed over, or its minute come but not yet examined.
    bool owes(const QDateTime& due) const;
    // How many reminders wait for their turn.
    std::size_t queued() const { return m_queue.size(); }

private:
    void examine(const QDateTime& nowMinute);
    void enqueue(const QDateTime& at);
    void raise(const QDateTime& nowMinute);

    Form1& m_form;
    QDateTime m_examinedUpTo;       // the last minute examined; null before the first tick
    std::deque<QDateTime> m_queue;  // in time order
    std::optional<DueReminder> m_handedOver;
};
