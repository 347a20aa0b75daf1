// The tray icon: its tool tip with today's next appointment, minimising to
// the tray only where there is one, and its menu's commands.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QtTest>

#include "clock/TrayIcon.h"
#include "scheduler/Form2.h"
#include "support/ClockWindowFixture.h"

namespace {

QVariantList record(const QString& day, const QString& hour, int minute, const QString& ampm,
                    const QString& text) {
    return {day, QStringLiteral("December"), QStringLiteral("2026"), hour, minute, ampm, text};
}

QAction* item(const TrayIcon& tray, const QString& text) {
    for (QAction* action : tray.menu()->actions())
        if (action->text() == text) return action;
    return nullptr;
}

}  // namespace

class TestTrayIcon : public QObject {
    Q_OBJECT
private slots:
    void toolTipTellsTodaysNextAppointment_data();
    void toolTipTellsTodaysNextAppointment();
    void minimisingHidesToTheTrayOnlyWhereThereIsOne_data();
    void minimisingHidesToTheTrayOnlyWhereThereIsOne();
    void menuCommands();
};

void TestTrayIcon::toolTipTellsTodaysNextAppointment_data() {
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QList<QVariantList>>("records");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QLocale>("locale");
    const QTime evening(17, 6, 58);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("nothing more today")
        << evening
        << QList<QVariantList>{record("9", "05", 7, "PM", "Tomorrow"),
                               record("8", "09", 0, "AM", "This morning")}
        << "Tavenel, 5:06 PM\nNo more appointments today" << us;
    QTest::newRow("the earliest still to come")
        << evening
        << QList<QVariantList>{record("8", "06", 30, "PM", "Dinner"),
                               record("8", "5", 7, "PM", "Dentist"),
                               record("8", "09", 0, "AM", "Earlier")}
        << "Tavenel, 5:06 PM\nNext today: 5:07 PM  Dentist" << us;
    QTest::newRow("this minute's own")
        << evening << QList<QVariantList>{record("8", "05", 6, "PM", "Now")}
        << "Tavenel, 5:06 PM\nNext today: 5:06 PM  Now" << us;
    QTest::newRow("12 AM is after midnight, 12 PM after noon")
        << QTime(11, 0)
        << QList<QVariantList>{record("8", "12", 30, "PM", "Lunch"),
                               record("8", "12", 15, "AM", "Midnight snack")}
        << "Tavenel, 11:00 AM\nNext today: 12:30 PM  Lunch" << us;
    QTest::newRow("a record that is no time is passed over")
        << evening << QList<QVariantList>{record("8", "00", 0, "PM", "Hour never picked")}
        << "Tavenel, 5:06 PM\nNo more appointments today" << us;
    QTest::newRow("a 24-hour clock, seconds left out")
        << evening << QList<QVariantList>{record("8", "05", 30, "PM", "Dentist")}
        << "Tavenel, 17:06\nNext today: 17:30  Dentist" << QLocale::c();
    QTest::newRow("the first line, shortened")
        << evening
        << QList<QVariantList>{record("8", "08", 0, "PM",
                                      QString(70, QLatin1Char('x')) + "\r\nSecond line")}
        << "Tavenel, 5:06 PM\nNext today: 8:00 PM  " + QString(59, QLatin1Char('x')) + QChar(0x2026)
        << us;
}

void TestTrayIcon::toolTipTellsTodaysNextAppointment() {
    QFETCH(QTime, now);
    QFETCH(QList<QVariantList>, records);
    QFETCH(QString, toolTip);
    QFETCH(QLocale, locale);
    const QDateTime at(QDate(2026, 12, 8), now);
    const std::vector<QVariantList> stored(records.begin(), records.end());
    QCOMPARE(TrayIcon::toolTipText(at, TrayIcon::nextToday(stored, at), locale), toolTip);
}

void TestTrayIcon::minimisingHidesToTheTrayOnlyWhereThereIsOne_data() {
    QTest::addColumn<bool>("tray");
    QTest::newRow("a tray") << true;
    QTest::newRow("no tray") << false;
}

void TestTrayIcon::minimisingHidesToTheTrayOnlyWhereThereIsOne() {
    QFETCH(bool, tray);
    ClockWindowFixture f;
    QVERIFY(f.folder.exec(QStringLiteral("UPDATE signal SET f6 = 'U'")));
    QVERIFY(f.load());
    auto* icon = new TrayIcon(*f.form, [tray] { return tray; });
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    // The icon is made after the clock's first paint.
    QTRY_VERIFY(f.form->findChild<QSystemTrayIcon*>() != nullptr);

    f.form->showMinimized();
    QTest::qWait(50);
    QCOMPARE(f.form->isHidden(), tray);

    item(*icon, QStringLiteral("Show the clock"))->trigger();
    QVERIFY(f.form->isVisible());
    QVERIFY(!f.form->isMinimized());
}

void TestTrayIcon::menuCommands() {
    ClockWindowFixture f;
    QVERIFY(f.folder.exec(QStringLiteral("UPDATE signal SET f6 = 'U'")));
    QVERIFY(f.load());
    TrayIcon* icon = new TrayIcon(*f.form, [] { return true; });

    // The switch and the settings panel's check box show one state.
    QAction* start = item(*icon, QStringLiteral("Start with the desktop"));
    QVERIFY(start && start->isCheckable());
    start->trigger();
    QVERIFY(f.autostart.on);
    QVERIFY(f.form->Check4->isChecked());
    f.form->Check4->click();
    QVERIFY(!f.autostart.on);
    QVERIFY(!start->isChecked());

    item(*icon, QStringLiteral("Scheduler and diary"))->trigger();
    QVERIFY(f.form->planner() && f.form->planner()->isLoaded());
    QVERIFY(f.form->isHidden());

    // Quit: the clock's unload (its settings record written), and the planner closed.
    QSignalSpy unloaded(f.form.get(), &Form1::unloaded);
    item(*icon, QStringLiteral("Quit"))->trigger();
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!f.form->planner() || !f.form->planner()->isLoaded());
    QCOMPARE(f.folder.query(QStringLiteral("SELECT csize FROM clockini")), QStringList{"normal"});
}

QTEST_MAIN(TestTrayIcon)
#include "tst_trayicon.moc"
