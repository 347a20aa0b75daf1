#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// A message bus daemon of the test's own, so that a desktop service can be
// played by the test and the program's side meets it over a real bus.
class PrivateBus {
public:
    // Starts the daemon; false (with the reason) when it cannot run here.
    bool start(QString* why) {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            *why = QStringLiteral("dbus-daemon is not installed (package dbus-daemon)");
            return false;
        }
        m_daemon.start(daemon, {"--session", "--nofork", "--print-address=1"});
        if (!m_daemon.waitForStarted() || !m_daemon.waitForReadyRead(10000)) {
            *why = QStringLiteral("dbus-daemon did not start");
            return false;
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        return !m_address.isEmpty();
    }
    ~PrivateBus() {
        if (m_daemon.state() == QProcess::NotRunning) return;
        m_daemon.terminate();
        m_daemon.waitForFinished(3000);
    }
    // A new connection to the bus, named by its role in the test.
    QDBusConnection connect(const QString& role) {
        return QDBusConnection::connectToBus(m_address, role + QString::number(++m_connections));
    }

private:
    QProcess m_daemon;
    QString m_address;
    int m_connections = 0;
};
