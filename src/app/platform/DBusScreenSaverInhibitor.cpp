#include "platform/DBusScreenSaverInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
}  // namespace

DBusScreenSaverInhibitor::DBusScreenSaverInhibitor(BusOpener openBus, QObject* parent)
    : QObject(parent), m_openBus(std::move(openBus)) {
    if (!m_openBus) m_openBus = [] { return QDBusConnection::sessionBus(); };
}

DBusScreenSaverInhibitor::DBusScreenSaverInhibitor(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus) {}

QDBusConnection& DBusScreenSaverInhibitor::bus() {
    if (!m_bus) m_bus = m_openBus();
    return *m_bus;
}

DBusScreenSaverInhibitor::~DBusScreenSaverInhibitor() {
    // The service also drops an inhibition when its owner leaves the bus;
    // saying so is only polite.
    if (m_cookie) sendUnInhibit(*m_cookie);
}

void DBusScreenSaverInhibitor::inhibit(const QString& reason) {
    m_wanted = true;
    if (m_cookie || m_waiting) return;
    if (!bus().isConnected()) {
        emit inhibitAnswered(false);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Inhibit"));
    call << QStringLiteral("Tavenel") << reason;
    m_waiting = true;
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call, 5000), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
            done->deleteLater();
            const QDBusPendingReply<quint32> reply = *done;
            onInhibitReply(reply.isValid() ? std::optional<quint32>(reply.value()) : std::nullopt);
        });
}

void DBusScreenSaverInhibitor::onInhibitReply(std::optional<quint32> cookie) {
    m_waiting = false;
    if (!cookie) {
        emit inhibitAnswered(false);
        return;
    }
    if (m_wanted)
        m_cookie = cookie;
    else
        sendUnInhibit(*cookie);  // released while the answer was on its way
    emit inhibitAnswered(true);
}

void DBusScreenSaverInhibitor::release() {
    m_wanted = false;
    if (!m_cookie) return;
    sendUnInhibit(*m_cookie);
    m_cookie.reset();
}

void DBusScreenSaverInhibitor::sendUnInhibit(quint32 cookie) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("UnInhibit"));
    call << cookie;
    bus().send(call);
}
