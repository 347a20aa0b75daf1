// Waking from sleep is told from the login manager's signal, played here by
// the test on a bus of its own; going to sleep and other senders are not.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

#include "platform/LogindSleepWatcher.h"
#include "support/PrivateBus.h"

class TestSleepWatcher : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QString why;
        if (!m_bus.start(&why)) QSKIP(qPrintable(why));
    }

    void wakingIsTold() {
        QDBusConnection manager = m_bus.connect(QStringLiteral("login manager"));
        QVERIFY(manager.registerService(QStringLiteral("org.freedesktop.login1")));
        QDBusConnection stranger = m_bus.connect(QStringLiteral("stranger"));
        LogindSleepWatcher watcher(m_bus.connect(QStringLiteral("program")));
        QVERIFY(watcher.watching());
        QSignalSpy resumed(&watcher, &LogindSleepWatcher::resumed);
        const auto prepare = [](QDBusConnection& bus, bool goingToSleep) {
            QDBusMessage signal =
                QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                           QStringLiteral("org.freedesktop.login1.Manager"),
                                           QStringLiteral("PrepareForSleep"));
            signal << goingToSleep;
            QVERIFY(bus.send(signal));
        };
        prepare(manager, true);
        prepare(stranger, false);
        prepare(manager, false);
        QTRY_COMPARE(resumed.size(), 1);
        QTest::qWait(100);
        QCOMPARE(resumed.size(), 1);
    }

    void noBus() {
        LogindSleepWatcher watcher(QDBusConnection(QStringLiteral("never connected")));
        QVERIFY(!watcher.watching());
    }

private:
    PrivateBus m_bus;
};

QTEST_MAIN(TestSleepWatcher)
#include "tst_sleepwatcher.moc"
