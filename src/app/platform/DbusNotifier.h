#pragma once

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <map>
#include <optional>

#include "platform/IDesktopNotifier.h"

// Notifications through the freedesktop notification service on the session
// bus. Nothing waits for the desktop: the service's number for a
// notification arrives later, and a withdrawal asked for before it came is
// carried out when it does. The bus is connected when the first notification
// is sent, not at start-up. Without a bus or a service nothing is shown.
class DbusNotifier final : public QObject, public IDesktopNotifier {
    Q_OBJECT
public:
    using BusConnector = std::function<QDBusConnection()>;
    explicit DbusNotifier(BusConnector connect = &QDBusConnection::sessionBus,
                          QObject* parent = nullptr);

    int notify(const QString& summary, const QString& body) override;
    void withdraw(int ticket) override;

    // Whether the service has shown this notification (and it is not yet withdrawn).
    bool shown(int ticket) const {
        const auto sent = m_sent.find(ticket);
        return sent != m_sent.end() && sent->second.serviceId.has_value();
    }

private:
    struct Sent {
        std::optional<quint32> serviceId;  // the service's number, once it has answered
        bool withdrawn = false;            // withdrawn before that answer came
    };
    void onNotifyReply(int ticket, std::optional<quint32> serviceId);
    void close(quint32 serviceId);

    BusConnector m_connect;
    std::optional<QDBusConnection> m_bus;
    std::map<int, Sent> m_sent;
    int m_lastTicket = 0;
};
