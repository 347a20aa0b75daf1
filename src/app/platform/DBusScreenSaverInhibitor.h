#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "platform/IScreenSaverInhibitor.h"

// Holds off the screen saver through the desktop's screen-saver service on
// the session bus (org.freedesktop.ScreenSaver). The calls never wait: the
// answer to Inhibit arrives later, and a release asked for before it came is
// carried out when it does. Without a bus or a service nothing happens.
class DBusScreenSaverInhibitor final : public QObject, public IScreenSaverInhibitor {
    Q_OBJECT
public:
    // Connects to the bus `openBus` gives (the session bus when none is
    // given) at the first inhibition, so that a program that shows no slide
    // show never connects.
    using BusOpener = std::function<QDBusConnection()>;
    explicit DBusScreenSaverInhibitor(BusOpener openBus = {}, QObject* parent = nullptr);
    explicit DBusScreenSaverInhibitor(const QDBusConnection& bus, QObject* parent = nullptr);
    ~DBusScreenSaverInhibitor() override;

    void inhibit(const QString& reason) override;
    void release() override;

    // True while the service has granted an inhibition not yet released.
    bool holding() const { return m_cookie.has_value(); }

signals:
    // The service granted (true) or refused or was not there (false).
    void inhibitAnswered(bool granted);

private:
    void onInhibitReply(std::optional<quint32> cookie);
    void sendUnInhibit(quint32 cookie);

    QDBusConnection& bus();

    BusOpener m_openBus;
    std::optional<QDBusConnection> m_bus;
    std::optional<quint32> m_cookie;  // the service's ticket for the inhibition it granted
    bool m_waiting = false;           // an Inhibit call has no answer yet
    bool m_wanted = false;            // the program still wants the screen saver held off
};
