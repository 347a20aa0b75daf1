#include <QDBusConnection>
#include <QSignalSpy>
#include <QTest>

#include "platform/DBusScreenSaverInhibitor.h"
#include "support/PrivateBus.h"

// The desktop's screen-saver service, as the program meets it on a bus of
// the test's own.
class ScreenSaverService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList calls;
    uint nextCookie = 7;

public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        calls << QStringLiteral("Inhibit %1 / %2").arg(application, reason);
        return nextCookie++;
    }
    void UnInhibit(uint cookie) { calls << QStringLiteral("UnInhibit %1").arg(cookie); }
};

// The inhibitor talks to a real bus daemon started for the test.
class TestScreenSaverInhibitor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void calls_data();
    void calls();
    void noService();
    void noBus();

private:
    PrivateBus m_bus;
    QDBusConnection busFor(const QString& role) { return m_bus.connect(role); }
};

void TestScreenSaverInhibitor::initTestCase() {
    QString why;
    if (!m_bus.start(&why)) QSKIP(qPrintable(why));
}

void TestScreenSaverInhibitor::calls_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<uint>("firstCookie");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("holdingAtEnd");
    const QString inhibit = QStringLiteral("Inhibit Tavenel / Slide show");
    QTest::newRow("inhibit, then release") << QStringList{"inhibit", "answer", "release"} << 7u
                                           << QStringList{inhibit, "UnInhibit 7"} << false;
    QTest::newRow("held until released")
        << QStringList{"inhibit", "answer"} << 7u << QStringList{inhibit} << true;
    QTest::newRow("released before the answer came")
        << QStringList{"inhibit", "release", "answer"} << 7u << QStringList{inhibit, "UnInhibit 7"}
        << false;
    QTest::newRow("asked twice, held once")
        << QStringList{"inhibit", "inhibit", "answer", "inhibit", "release"} << 7u
        << QStringList{inhibit, "UnInhibit 7"} << false;
    QTest::newRow("a ticket numbered 0 is a ticket")
        << QStringList{"inhibit", "answer", "release"} << 0u << QStringList{inhibit, "UnInhibit 0"}
        << false;
    QTest::newRow("release without inhibit")
        << QStringList{"release"} << 7u << QStringList{} << false;
    QTest::newRow("again after a release")
        << QStringList{"inhibit", "answer", "release", "inhibit", "answer", "release"} << 7u
        << QStringList{inhibit, "UnInhibit 7", inhibit, "UnInhibit 8"} << false;
}

void TestScreenSaverInhibitor::calls() {
    QFETCH(QStringList, steps);
    QFETCH(uint, firstCookie);
    QFETCH(QStringList, expected);
    QFETCH(bool, holdingAtEnd);
    QDBusConnection serviceBus = busFor(QStringLiteral("service"));
    QVERIFY(serviceBus.isConnected());
    ScreenSaverService service;
    service.nextCookie = firstCookie;
    QVERIFY(serviceBus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &service,
                                      QDBusConnection::ExportAllSlots));
    QVERIFY(serviceBus.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));

    {
        DBusScreenSaverInhibitor inhibitor(busFor(QStringLiteral("program")));
        QSignalSpy answers(&inhibitor, &DBusScreenSaverInhibitor::inhibitAnswered);
        int awaited = 0;
        for (const QString& step : steps) {
            if (step == QLatin1String("inhibit")) inhibitor.inhibit(QStringLiteral("Slide show"));
            if (step == QLatin1String("release")) inhibitor.release();
            if (step == QLatin1String("answer")) {
                ++awaited;
                QTRY_COMPARE(answers.size(), awaited);
                QCOMPARE(answers.last().first().toBool(), true);
            }
        }
        QTRY_COMPARE(service.calls, expected);
        QCOMPARE(inhibitor.holding(), holdingAtEnd);
    }
    if (holdingAtEnd) {
        // Leaving while holding lets the screen saver go.
        QTRY_COMPARE(service.calls.size(), expected.size() + 1);
        QCOMPARE(service.calls.last(), QStringLiteral("UnInhibit %1").arg(firstCookie));
    }
    serviceBus.unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
    serviceBus.unregisterObject(QStringLiteral("/org/freedesktop/ScreenSaver"));
}

void TestScreenSaverInhibitor::noService() {
    DBusScreenSaverInhibitor inhibitor(busFor(QStringLiteral("alone")));
    QSignalSpy answers(&inhibitor, &DBusScreenSaverInhibitor::inhibitAnswered);
    inhibitor.inhibit(QStringLiteral("Slide show"));
    QTRY_COMPARE(answers.size(), 1);
    QCOMPARE(answers.first().first().toBool(), false);
    QVERIFY(!inhibitor.holding());
    inhibitor.release();
    inhibitor.inhibit(QStringLiteral("Slide show"));  // may be asked again
    QTRY_COMPARE(answers.size(), 2);
}

void TestScreenSaverInhibitor::noBus() {
    DBusScreenSaverInhibitor inhibitor(QDBusConnection(QStringLiteral("never connected")));
    QSignalSpy answers(&inhibitor, &DBusScreenSaverInhibitor::inhibitAnswered);
    inhibitor.inhibit(QStringLiteral("Slide show"));
    QCOMPARE(answers.size(), 1);
    QCOMPARE(answers.first().first().toBool(), false);
    inhibitor.release();
    QVERIFY(!inhibitor.holding());
}

QTEST_MAIN(TestScreenSaverInhibitor)
#include "tst_screensaverinhibitor.moc"
