#pragma once

#include <QDate>
#include <QString>

// Decides on which ticks the once-a-day check of past appointments runs. The
// tick alternates between two stored copies of today's date ("m/d/yyyy"):
// odd ticks write one, even ticks the other. The check runs whenever the two
// differ, which happens on the very first tick and on the first tick after
// each change of date; one tick later they agree again.
class DailyCheckGate {
public:
    // Called once per tick with today's date; true when the check must run.
    bool tick(const QDate& today);

    static QString dateText(const QDate& date);

private:
    bool m_odd = false;  // the parity of the last tick
    QString m_oddTickDate;
    QString m_evenTickDate;
};
