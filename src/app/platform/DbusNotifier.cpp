#include "platform/DbusNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
}  // namespace

DbusNotifier::DbusNotifier(BusConnector connect, QObject* parent)
    : QObject(parent), m_connect(std::move(connect)) {}

int DbusNotifier::notify(const QString& summary, const QString& body) {
    if (!m_bus) m_bus = m_connect();
    if (!m_bus->isConnected()) return 0;

    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(2));  // critical: stays until seen
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("tavenel"));
    call << QStringLiteral("Tavenel") << quint32(0) << QStringLiteral("tavenel") << summary << body
         << QStringList() << hints << qint32(0);
    const int ticket = ++m_lastTicket;
    m_sent[ticket] = Sent{};
    auto* watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, ticket](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusPendingReply<quint32> reply = *done;
                onNotifyReply(
                    ticket, reply.isValid() ? std::optional<quint32>(reply.value()) : std::nullopt);
            });
    return ticket;
}

void DbusNotifier::onNotifyReply(int ticket, std::optional<quint32> serviceId) {
    const auto sent = m_sent.find(ticket);
    if (sent == m_sent.end()) return;
    // No service answered: there is nothing on the screen to take back.
    if (!serviceId || sent->second.withdrawn) {
        if (serviceId) close(*serviceId);
        m_sent.erase(sent);
        return;
    }
    sent->second.serviceId = serviceId;
}

void DbusNotifier::withdraw(int ticket) {
    const auto sent = m_sent.find(ticket);
    if (sent == m_sent.end()) return;
    if (!sent->second.serviceId) {
        sent->second.withdrawn = true;  // closed when the service's answer comes
        return;
    }
    close(*sent->second.serviceId);
    m_sent.erase(sent);
}

void DbusNotifier::close(quint32 serviceId) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService,
                                                       QStringLiteral("CloseNotification"));
    call << serviceId;
    m_bus->send(call);
}
