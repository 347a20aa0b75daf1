// The real clock setter, talking D-Bus to a stand-in for systemd-timedated on
// a private message bus started for the test: what it asks, and what it says
// when it may not. The machine's clock is never involved.
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>

#include "clock/TimedatedTimeSetter.h"

namespace {

struct SetTimeCall {
    qlonglong usec;
    bool relative;
    bool interactive;
    bool authorisationAllowed;
};

}  // namespace

// Answers as org.freedesktop.timedate1 does: an NTP property and SetTime.
class FakeTimedate : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")
    Q_PROPERTY(bool NTP READ ntp)
public:
    bool ntp() const {
        QMutexLocker lock(&mutex);
        return ntpOn;
    }
    void setUp(bool ntp, const QString& error) {
        QMutexLocker lock(&mutex);
        ntpOn = ntp;
        errorName = error;
        calls.clear();
    }
    QList<SetTimeCall> takeCalls() {
        QMutexLocker lock(&mutex);
        return std::exchange(calls, {});
    }

public slots:
    void SetTime(qlonglong usec, bool relative, bool interactive) {
        QMutexLocker lock(&mutex);
        calls << SetTimeCall{usec, relative, interactive,
                             message().isInteractiveAuthorizationAllowed()};
        if (!errorName.isEmpty()) sendErrorReply(errorName, QStringLiteral("refused by the test"));
    }

private:
    mutable QMutex mutex;
    bool ntpOn = false;
    QString errorName;
    QList<SetTimeCall> calls;
};

class TestTimedated : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void setsOrSaysWhy_data();
    void setsOrSaysWhy();
    void serviceMissing();
    void noBus();

private:
    QProcess m_daemon;
    QString m_address;
    QThread m_serviceThread;
    FakeTimedate* m_service = nullptr;
};

void TestTimedated::initTestCase() {
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) QSKIP("dbus-daemon is not installed");
    m_daemon.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                            QStringLiteral("--print-address=1")});
    QVERIFY(m_daemon.waitForStarted());
    QTRY_VERIFY(m_daemon.canReadLine());
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    QVERIFY(!m_address.isEmpty());

    QDBusConnection service =
        QDBusConnection::connectToBus(m_address, QStringLiteral("fake-timedated"));
    QVERIFY(service.isConnected());
    m_service = new FakeTimedate;
    m_service->moveToThread(&m_serviceThread);
    m_serviceThread.start();
    QVERIFY(service.registerObject(
        QStringLiteral("/org/freedesktop/timedate1"), m_service,
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    QVERIFY(service.registerService(QStringLiteral("org.freedesktop.timedate1")));
}

void TestTimedated::cleanupTestCase() {
    if (!m_service) return;
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-timedated"));
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    m_serviceThread.quit();
    m_serviceThread.wait();
    delete m_service;
    m_daemon.terminate();
    m_daemon.waitForFinished();
}

void TestTimedated::setsOrSaysWhy_data() {
    QTest::addColumn<bool>("ntp");
    QTest::addColumn<QString>("errorName");  // SetTime's answer; empty: done
    QTest::addColumn<bool>("done");
    QTest::addColumn<int>("calls");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("set") << false << "" << true << 1 << "";
    QTest::newRow("automatic time sync on")
        << true << "" << false << 0 << "Automatic time synchronisation is on";
    QTest::newRow("not allowed") << false << "org.freedesktop.DBus.Error.AccessDenied" << false << 1
                                 << "do not have the right";
    QTest::newRow("authorisation needed")
        << false << "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired" << false << 1
        << "do not have the right";
    QTest::newRow("turned on meanwhile")
        << false << "org.freedesktop.timedate1.AutomaticTimeSyncEnabled" << false << 1
        << "Automatic time synchronisation is on";
    QTest::newRow("other refusal")
        << false << "org.example.Broken" << false << 1 << "refused by the test";
}

void TestTimedated::setsOrSaysWhy() {
    QFETCH(bool, ntp);
    QFETCH(QString, errorName);
    QFETCH(bool, done);
    QFETCH(int, calls);
    QFETCH(QString, reasonPart);
    m_service->setUp(ntp, errorName);
    TimedatedTimeSetter setter(QDBusConnection::connectToBus(m_address, QStringLiteral("client")),
                               10000);
    const QDateTime when(QDate(2026, 12, 8), QTime(19, 45));
    QString whyNot;
    QCOMPARE(setter.setClock(when, &whyNot), done);
    if (done)
        QVERIFY2(whyNot.isEmpty(), qPrintable(whyNot));
    else
        QVERIFY2(whyNot.contains(reasonPart), qPrintable(whyNot));
    const QList<SetTimeCall> made = m_service->takeCalls();
    QCOMPARE(made.size(), calls);
    if (calls) {
        // Microseconds since the epoch, absolute, the user may be asked.
        QCOMPARE(made.front().usec, qlonglong(when.toMSecsSinceEpoch()) * 1000);
        QVERIFY(!made.front().relative);
        QVERIFY(made.front().interactive);
        QVERIFY(made.front().authorisationAllowed);
    }
}

void TestTimedated::serviceMissing() {
    // A bus on which nobody owns the date and time service.
    QDBusConnection other = QDBusConnection::connectToBus(m_address, QStringLiteral("lonely"));
    QVERIFY(other.isConnected());
    QDBusConnection::connectToBus(m_address, QStringLiteral("fake-timedated"))
        .unregisterService(QStringLiteral("org.freedesktop.timedate1"));
    TimedatedTimeSetter setter(other, 10000);
    QString whyNot;
    QVERIFY(!setter.setClock(QDateTime(QDate(2026, 12, 8), QTime(7, 0)), &whyNot));
    QVERIFY2(whyNot.contains(QLatin1String("is not available")), qPrintable(whyNot));
    QVERIFY(m_service->takeCalls().isEmpty());
    QVERIFY(QDBusConnection::connectToBus(m_address, QStringLiteral("fake-timedated"))
                .registerService(QStringLiteral("org.freedesktop.timedate1")));
    QDBusConnection::disconnectFromBus(QStringLiteral("lonely"));
}

void TestTimedated::noBus() {
    QDBusConnection none = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none"));
    QVERIFY(!none.isConnected());
    TimedatedTimeSetter setter(none, 1000);
    QString whyNot;
    QVERIFY(!setter.setClock(QDateTime(QDate(2026, 12, 8), QTime(7, 0)), &whyNot));
    QVERIFY2(whyNot.contains(QLatin1String("message bus cannot be reached")), qPrintable(whyNot));
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));
}

QTEST_MAIN(TestTimedated)
#include "tst_timedated.moc"
