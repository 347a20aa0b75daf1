#pragma once

#include <QDBusConnection>
#include <QObject>

// Tells when the machine has woken from suspend or hibernation, from the
// login manager's PrepareForSleep signal on the system bus, so that what the
// clock passed over while asleep is caught up at once. Without a system bus
// or a login manager nothing is ever told.
class LogindSleepWatcher : public QObject {
    Q_OBJECT
public:
    explicit LogindSleepWatcher(const QDBusConnection& bus = QDBusConnection::systemBus(),
                                QObject* parent = nullptr);

    // Whether the signal is being watched.
    bool watching() const { return m_watching; }

signals:
    void resumed();

private slots:
    // QtDBus delivers signals to slots named by their signature only.
    void onPrepareForSleep(bool goingToSleep);

private:
    bool m_watching = false;
};
