#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "Texts.h"

class Form1;
class SoundProcedures;

// The daily alarm of the clock window: the time shown by Label2, Label3 and
// Label5, armed by Check1. On each clock tick it refuses an alarm that
// clashes with the hourly chime or with one of today's appointments, and
// rings when the armed time comes, offering to postpone it by a minute;
// a postponed alarm rings again from Timer3.
//
// Its messages and its question are opened without waiting, so the clock
// keeps ticking while they are open; what the alarm does after a message or
// question runs when it is answered. Such a tick leaves the alarm alone, so
// nothing is ever shown on top of the same message or question. While the
// question waits, the alarm sound is held: it starts again whenever it ends
// (for a bounded time), and it stops as soon as the question is answered.
class Alarm : public QObject {
    Q_OBJECT
public:
    Alarm(Form1& form, SoundProcedures& sound);

    static constexpr int kPostponeMs = 60000;
    static QString chimeClashText();
    static QString appointmentClashText();
    static QString postponeQuestion();

    // The three checks of a clock tick, in order.
    void step(const texts::TimeParts& now);

    void on_Check1_clicked();
    void on_Timer3_timeout();

    // Whether one of this feature's messages or its question is open.
    bool dialogOpen() const { return m_dialogOpen; }

private:
    // Each check returns true when it has opened a message or question; the
    // tick's remaining checks then wait for a later tick.
    bool chimeClashCheck();
    bool appointmentClashCheck();
    void ringingCheck(const texts::TimeParts& now);
    // The appointment-clash message, once for each of `count` clashes, one
    // after the other; every OK clears Check1.
    void showClashes(int count);
    // Asks the postpone question while the alarm sound is held; `answered`
    // runs with the answer once the sound has been released and stopped.
    void askPostpone(std::function<void(bool)> answered);
    std::optional<qint64> alarmHour() const;
    std::optional<qint64> alarmMinute() const;
    QString alarmAmPm() const;

    Form1& m_form;
    SoundProcedures& m_sound;
    bool m_dialogOpen = false;
};
