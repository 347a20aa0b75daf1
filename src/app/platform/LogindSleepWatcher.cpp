#include "platform/LogindSleepWatcher.h"

LogindSleepWatcher::LogindSleepWatcher(const QDBusConnection& bus, QObject* parent)
    : QObject(parent) {
    QDBusConnection connection(bus);
    m_watching =
        connection.isConnected() &&
        connection.connect(QStringLiteral("org.freedesktop.login1"),
                           QStringLiteral("/org/freedesktop/login1"),
                           QStringLiteral("org.freedesktop.login1.Manager"),
                           QStringLiteral("PrepareForSleep"), this, SLOT(onPrepareForSleep(bool)));
}

void LogindSleepWatcher::onPrepareForSleep(bool goingToSleep) {
    if (!goingToSleep) emit resumed();
}
