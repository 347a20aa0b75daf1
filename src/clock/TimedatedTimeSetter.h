#pragma once

#include <QDBusConnection>
#include <functional>
#include <optional>

#include "clock/ITimeSetter.h"

// Sets the clock through systemd-timedated (org.freedesktop.timedate1) on the
// given bus: the system bus in the program, a private bus in tests. It first
// reads the service's NTP property and refuses while automatic time
// synchronisation is on (the service would refuse too, less clearly); then
// calls SetTime with the time in microseconds since the epoch, absolute,
// allowing the desktop to ask for the user's password.
class TimedatedTimeSetter final : public ITimeSetter {
public:
    // Connects to the bus `openBus` gives when the clock is first set, so
    // that a program that never sets it never connects.
    using BusOpener = std::function<QDBusConnection()>;
    explicit TimedatedTimeSetter(BusOpener openBus, int timeoutMs = 120000);
    explicit TimedatedTimeSetter(const QDBusConnection& bus, int timeoutMs = 120000);
    bool setClock(const QDateTime& when, QString* whyNot) override;

private:
    QDBusConnection& bus();

    BusOpener m_openBus;
    std::optional<QDBusConnection> m_bus;
    int m_timeoutMs;
};
