#include "clock/SecondTimer.h"

#include <QTime>

#include "platform/IClock.h"

namespace {
// Lands the timer this far inside the new second, so that a timer that fires
// a millisecond early (timers count on a clock of their own) still finds the
// new second.
constexpr int kMarginMs = 3;
}  // namespace

SecondTimer::SecondTimer(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SecondTimer::on_m_timer_timeout);
}

int SecondTimer::delayToNextSecond(const QTime& now) { return 1000 - now.msec() + kMarginMs; }

void SecondTimer::start(const IClock& clock) {
    m_clock = &clock;
    arm();
}

void SecondTimer::stop() { m_timer.stop(); }

void SecondTimer::arm() { m_timer.start(delayToNextSecond(m_clock->now().time())); }

void SecondTimer::on_m_timer_timeout() {
    // A timer that came early finds the second it fired for already shown.
    const qint64 second = m_clock->now().toSecsSinceEpoch();
    if (second != m_lastSecond) {
        m_lastSecond = second;
        emit secondStarted();
    }
    arm();
}
