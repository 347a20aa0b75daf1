#include "platform/DbusNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace {
const char* const kService = "org.freedesktop.Notifications";
}

bool DbusNotifier::notify(const QString& summary, const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    const QDBusConnectionInterface* registry = bus.interface();
    if (!registry || !registry->isServiceRegistered(QString::fromLatin1(kService)).value()) return false;

    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QStringLiteral("/org/freedesktop/Notifications"),
        QString::fromLatin1(kService), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(2));  // critical: stays until seen
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("tavenel"));
    call << QStringLiteral("Tavenel") << m_lastId << QStringLiteral("tavenel") << summary << body
         << QStringList() << hints << 0;
    // A short timeout: a hung notification service must not freeze the clock.
    const QDBusReply<uint> reply = bus.call(call, QDBus::Block, 500);
    if (!reply.isValid()) return false;
    m_lastId = reply.value();
    return true;
}
