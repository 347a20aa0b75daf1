#pragma once

#include <QObject>
#include <QString>
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
// The clock keeps ticking while a message or the question of this feature
// is open; such a tick leaves the alarm alone, so nothing is ever shown on
// top of the same message or question, and a sound that ends while the
// question waits does not ring the alarm a second time.
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
    void chimeClashCheck();
    void appointmentClashCheck();
    void ringingCheck(const texts::TimeParts& now);
    void showMessage(const QString& text);
    bool askPostpone();
    std::optional<qint64> alarmHour() const;
    std::optional<qint64> alarmMinute() const;
    QString alarmAmPm() const;

    Form1& m_form;
    SoundProcedures& m_sound;
    bool m_dialogOpen = false;
};
