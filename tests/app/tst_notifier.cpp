// Desktop notifications over a real bus, with the notification service
// played by the test: nothing waits for the service, a notification is taken
// back when withdrawn (also before the service has answered), and the bus is
// connected only when the first notification is sent.
#include <QDBusConnection>
#include <QTest>
#include <QVariantMap>

#include "platform/DbusNotifier.h"
#include "support/PrivateBus.h"

class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList calls;
    uint nextId = 40;

public slots:
    uint Notify(const QString& application, uint replaces, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap& hints, int timeout) {
        calls << QStringLiteral("Notify %1 %2 %3 / %4 urgency %5 timeout %6")
                     .arg(application)
                     .arg(replaces)
                     .arg(summary, body)
                     .arg(hints.value(QStringLiteral("urgency")).toInt())
                     .arg(timeout);
        return nextId++;
    }
    void CloseNotification(uint id) { calls << QStringLiteral("Close %1").arg(id); }
};

class TestNotifier : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QString why;
        if (!m_bus.start(&why)) QSKIP(qPrintable(why));
    }

    void notifyAndWithdraw_data() {
        QTest::addColumn<QStringList>("steps");  // notify, answer (wait for it), withdraw N
        QTest::addColumn<QStringList>("expected");
        const QString sent =
            QStringLiteral("Notify Tavenel 0 Schedule Reminder / 5:07 PM urgency 2 timeout 0");
        QTest::newRow("shown, then withdrawn")
            << QStringList{"notify", "answer", "withdraw 1"} << QStringList{sent, "Close 40"};
        QTest::newRow("withdrawn before the service answered")
            << QStringList{"notify", "withdraw 1"} << QStringList{sent, "Close 40"};
        QTest::newRow("two, the second withdrawn")
            << QStringList{"notify", "notify", "answer", "withdraw 2", "withdraw 2"}
            << QStringList{sent, sent, "Close 41"};
        QTest::newRow("never withdrawn") << QStringList{"notify", "answer"} << QStringList{sent};
    }
    void notifyAndWithdraw() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QDBusConnection serviceBus = m_bus.connect(QStringLiteral("service"));
        NotificationService service;
        QVERIFY(serviceBus.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                          &service, QDBusConnection::ExportAllSlots));
        QVERIFY(serviceBus.registerService(QStringLiteral("org.freedesktop.Notifications")));
        int connected = 0;
        {
            DbusNotifier notifier([&] {
                ++connected;
                return m_bus.connect(QStringLiteral("program"));
            });
            QCOMPARE(connected, 0);  // not at start-up
            QList<int> tickets;
            for (const QString& step : steps) {
                if (step == QLatin1String("notify"))
                    tickets << notifier.notify(QStringLiteral("Schedule Reminder"),
                                               QStringLiteral("5:07 PM"));
                if (step == QLatin1String("answer")) QTRY_VERIFY(notifier.shown(tickets.last()));
                if (step.startsWith(QLatin1String("withdraw")))
                    notifier.withdraw(tickets.value(step.section(' ', 1).toInt() - 1));
            }
            QCOMPARE(connected, 1);
            QVERIFY(!tickets.contains(0));
            QTRY_COMPARE(service.calls, expected);
        }
        serviceBus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        serviceBus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
    }

    void withoutServiceOrBus() {
        DbusNotifier noService([this] { return m_bus.connect(QStringLiteral("alone")); });
        const int ticket = noService.notify(QStringLiteral("Alarm"), QStringLiteral("ringing"));
        QVERIFY(ticket != 0);
        QTest::qWait(200);
        QVERIFY(!noService.shown(ticket));
        noService.withdraw(ticket);  // nothing to take back, nothing breaks

        DbusNotifier noBus([] { return QDBusConnection(QStringLiteral("never connected")); });
        QCOMPARE(noBus.notify(QStringLiteral("Alarm"), QStringLiteral("ringing")), 0);
        noBus.withdraw(0);
    }

private:
    PrivateBus m_bus;
};

QTEST_MAIN(TestNotifier)
#include "tst_notifier.moc"
