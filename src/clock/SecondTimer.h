#pragma once

#include <QObject>
#include <QTimer>

class IClock;
class QTime;

// Fires at the start of every second of the clock service, so that the clock
// face can show each new second as it begins. The 900 ms clock tick alone
// shows a second up to 0.9 s late, and now and then keeps one on the face for
// almost two seconds.
class SecondTimer : public QObject {
    Q_OBJECT
public:
    explicit SecondTimer(QObject* parent = nullptr);

    // Starts firing at the next second of `clock`, which must outlive the
    // timer's running.
    void start(const IClock& clock);
    void stop();
    bool isActive() const { return m_timer.isActive(); }

    // Milliseconds from `now` to just after the start of the next second.
    static int delayToNextSecond(const QTime& now);

signals:
    void secondStarted();

private:
    void on_m_timer_timeout();
    void arm();

    QTimer m_timer;
    const IClock* m_clock = nullptr;
    qint64 m_lastSecond = -1;  // seconds since the epoch of the last one announced
};
