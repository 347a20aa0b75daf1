// Reminders through the whole road of an appointment: made in the planner's
// panel, found due by the clock tick, handed over through the flags record,
// shown by the planner window and consumed after the user's OK. A fake
// clock, fake dialogs and sound, and the real database file.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include "clock/ReminderList.h"
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "RichTextBox.h"
#include "Twips.h"
#include "clock/Form1.h"
#include "diary/CalendarLabel.h"
#include "diary/DayMarker.h"
#include "scheduler/Form2.h"
#include "scheduler/ReminderCheck.h"
#include "support/ReminderRig.h"

namespace {

// What the user sees while "Schedule Reminder" is open.
struct Seen {
    QStringList panel;  // hour, minute, AM/PM labels and the text
    QStringList date;   // the three selectors
    QString flag;
    QString playing;
    bool clockVisible = true;
    int reminderEntries = -1;
};

}  // namespace

class TestReminders : public QObject {
    Q_OBJECT
private slots:
    void dueEntries_data();
    void dueEntries();
    void wholeRoad_data();
    void wholeRoad();
    void onlyTheDueOneIsDeleted();
    void nothingWhileTheAlarmRings();
    void staleHandOff_data();
    void staleHandOff();
};

void TestReminders::dueEntries_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("due");  // at 5:07 PM
    QTest::newRow("as the list writes it") << "5: 7:PM" << true;
    QTest::newRow("blanks round every part") << " 5 : 7 : PM " << true;
    QTest::newRow("leading zeros") << "05:07:PM" << true;
    QTest::newRow("the other half") << "5: 7:AM" << false;
    QTest::newRow("a minute early") << "5: 6:PM" << false;
    QTest::newRow("hour 17") << "17: 7:PM" << false;
    QTest::newRow("AM/PM in lower case") << "5: 7:pm" << false;
    QTest::newRow("too few parts") << "5: 7" << false;
    QTest::newRow("not numbers") << "five:seven:PM" << false;
}

void TestReminders::dueEntries() {
    QFETCH(QString, entry);
    QFETCH(bool, due);
    QCOMPARE(ReminderCheck::entryTime(entry) == QTime(17, 7), due);
}

void TestReminders::wholeRoad_data() {
    QTest::addColumn<bool>("withLater");    // a second appointment of today at 6:30 PM
    QTest::addColumn<bool>("laterFirst");   // made before the due one
    QTest::addColumn<bool>("plannerOpen");  // left open: its tick takes the reminder
    QTest::newRow("alone, planner loaded by the reminder") << false << false << false;
    QTest::newRow("alone, planner already open") << false << false << true;
    QTest::newRow("with a later one, planner loaded") << true << false << false;
    QTest::newRow("with a later one, planner open") << true << false << true;
    QTest::newRow("the later one listed first, planner open") << true << true << true;
}

void TestReminders::wholeRoad() {
    QFETCH(bool, withLater);
    QFETCH(bool, laterFirst);
    QFETCH(bool, plannerOpen);
    ReminderRig rig;
    QVERIFY(rig.folder.ok());
    QVERIFY(rig.load());
    rig.tickAt(17, 6, 58);

    // Made through the panel, on today's date.
    rig.form->Command13->click();
    QVERIFY(rig.form->planner());
    rig.form->planner()->menus.note1->trigger();
    if (withLater && laterFirst) rig.make(6, 30, "Dinner with friends");
    rig.make(5, 7, "Dentist at five past");
    if (withLater && !laterFirst) rig.make(6, 30, "Dinner with friends");
    QStringList entries{"5: 7:PM"};
    if (withLater) laterFirst ? entries.prepend("6: 30:PM") : entries.append("6: 30:PM");
    QCOMPARE(rig.reminderList(), entries);
    QVERIFY(rig.app.appToday);
    if (!plannerOpen) {
        rig.form->planner()->menus.cc1->trigger();
        QVERIFY(rig.form->isVisible());
    }
    rig.dialogs.messages.clear();
    rig.sound.clearLog();

    // A second early: nothing.
    rig.tickAt(17, 6, 59);
    if (plannerOpen) rig.form->planner()->on_Timer1_timeout();
    QVERIFY(rig.dialogs.messages.isEmpty());
    QVERIFY(rig.sound.played.isEmpty());
    QCOMPARE(rig.flag(), QString("F"));
    QCOMPARE(rig.form->isVisible(), !plannerOpen);

    Seen seen;
    QString flagBeforeShown;
    rig.dialogs.setOnMessage([&](const QString&) {
        Form2* planner = rig.form->planner();
        seen.panel = QStringList{planner->Label53->text(), planner->Label55->text(),
                                 planner->Label56->text(), planner->RichTextBox2->text()};
        seen.date = QStringList{planner->Combo1->currentText(), planner->Combo2->currentText(),
                                planner->Combo3->currentText()};
        seen.flag = rig.flag();
        seen.playing = rig.sound.playing;
        seen.clockVisible = rig.form->isVisible();
        seen.reminderEntries = rig.form->List2->count();
    });
    rig.tickAt(17, 7, 0);
    if (plannerOpen) {
        // The clock has raised the flag; the planner's next tick takes it.
        QVERIFY(rig.dialogs.messages.isEmpty());
        flagBeforeShown = rig.flag();
        QCOMPARE(flagBeforeShown, QString("Pass"));
        rig.form->planner()->on_Timer1_timeout();
    }
    QCOMPARE(rig.sound.played, QStringList{"alarm.mp3"});
    QCOMPARE(rig.dialogs.messages, QStringList{"Schedule Reminder"});
    QCOMPARE(rig.dialogs.unbidden, QStringList{"Schedule Reminder"});
    QCOMPARE(rig.notifier.sent, QStringList{"Schedule Reminder | 5:07 PM  Dentist at five past"});
    QCOMPARE(seen.panel, (QStringList{"5", "7", "PM", "Dentist at five past"}));
    QCOMPARE(seen.date, (QStringList{"8", "December", "2026"}));
    QCOMPARE(seen.flag, QString("F"));
    QCOMPARE(seen.playing, QString("alarm.mp3"));
    QVERIFY(!seen.clockVisible);
    QCOMPARE(seen.reminderEntries, entries.size());

    // After OK: consumed, and only it.
    Form2* planner = rig.form->planner();
    QCOMPARE(rig.texts(), withLater ? QStringList{"Dinner with friends"} : QStringList{});
    QCOMPARE(rig.reminderList(), withLater ? QStringList{"6: 30:PM"} : QStringList{});
    QCOMPARE(rig.colourOfDay("8") == DayMarker::kSchedule, withLater);
    QCOMPARE(rig.notifier.withdrawn, QList<int>{1});  // taken off the desktop with the OK
    QCOMPARE(rig.sound.log.last(), QString("Stop"));
    QVERIFY(rig.sound.playing.isEmpty());
    QCOMPARE(twips::width(planner), 5485.0);
    QCOMPARE(planner->Label53->text(), QString("12"));
    QVERIFY(planner->HScroll1->isEnabled());
    QVERIFY(!rig.form->isVisible());
    QCOMPARE(rig.flag(), QString("F"));

    // Once the sound has ended, the later appointment comes in its minute.
    if (!withLater) return;
    rig.sound.finishSound(ISoundDevice::Stopped);
    rig.dialogs.messages.clear();
    rig.tickAt(18, 29, 59);
    planner->on_Timer1_timeout();
    QVERIFY(rig.dialogs.messages.isEmpty());
    rig.tickAt(18, 30, 0);
    planner->on_Timer1_timeout();
    QCOMPARE(rig.dialogs.messages, QStringList{"Schedule Reminder"});
    QCOMPARE(rig.texts(), QStringList{});
}

void TestReminders::onlyTheDueOneIsDeleted() {
    ReminderRig rig;
    const QString insert =
        "INSERT INTO scheduler VALUES ('%1', 'December', '2026', '05', 7, '%2', '%3')";
    QVERIFY(rig.folder.exec(insert.arg("8", "AM", "Early")));
    QVERIFY(rig.folder.exec(insert.arg("8", "PM", "Dentist")));
    QVERIFY(rig.folder.exec(insert.arg("9", "PM", "Tomorrow")));
    QVERIFY(rig.load());
    // The morning one has passed: kept when the daily check offers it.
    rig.dialogs.answerAllQuestions(false);
    rig.tickAt(17, 6, 58);
    QCOMPARE(rig.reminderList(), (QStringList{"5: 7:AM", "5: 7:PM"}));
    rig.tickAt(17, 7, 0);
    QVERIFY(rig.dialogs.messages.contains("Schedule Reminder"));
    QCOMPARE(rig.texts(), (QStringList{"Early", "Tomorrow"}));
    QCOMPARE(rig.reminderList(), QStringList{"5: 7:AM"});
}

void TestReminders::nothingWhileTheAlarmRings() {
    ReminderRig rig;
    QVERIFY(rig.folder.exec(
        "INSERT INTO scheduler VALUES ('8', 'December', '2026', '5', 7, 'PM', 'Dentist')"));
    QVERIFY(rig.load());
    rig.tickAt(17, 6, 58);
    rig.form->alarmRinging = true;
    rig.tickAt(17, 7, 0);
    QVERIFY(rig.dialogs.messages.isEmpty());
    QVERIFY(rig.sound.played.isEmpty());
    QCOMPARE(rig.flag(), QString("F"));
    QVERIFY(!rig.form->planner());
    QVERIFY(rig.form->isVisible());
    // The appointment is due for its whole minute.
    rig.form->alarmRinging = false;
    rig.tickAt(17, 7, 59);
    QCOMPARE(rig.dialogs.messages, QStringList{"Schedule Reminder"});
    QVERIFY(rig.texts().isEmpty());
}

void TestReminders::staleHandOff_data() {
    QTest::addColumn<bool>("plannerOpen");
    QTest::newRow("seen when the planner loads") << false;
    QTest::newRow("seen by the planner's tick") << true;
}

void TestReminders::staleHandOff() {
    QFETCH(bool, plannerOpen);
    ReminderRig rig;
    QVERIFY(rig.folder.exec(
        "INSERT INTO scheduler VALUES ('8', 'December', '2026', '05', 7, 'PM', 'Dentist')"));
    QVERIFY(rig.load());
    rig.tickAt(17, 6, 58);
    QCOMPARE(rig.reminderList(), QStringList{"5: 7:PM"});
    if (plannerOpen) rig.form->Command13->click();
    // Left behind by a run that ended before its reminder was shown.
    QVERIFY(rig.folder.exec("UPDATE signal SET f0 = 'Pass'"));
    rig.sound.clearLog();
    if (plannerOpen)
        rig.form->planner()->on_Timer1_timeout();
    else
        rig.form->Command13->click();
    Form2* planner = rig.form->planner();
    QVERIFY(planner && planner->isLoaded());
    QVERIFY(rig.dialogs.messages.isEmpty());
    QCOMPARE(rig.flag(), QString("F"));
    QCOMPARE(rig.texts(), QStringList{"Dentist"});
    QVERIFY(rig.sound.log.isEmpty());
    QCOMPARE(twips::width(planner), 5460.0);
    // The appointment itself still comes at its minute.
    rig.tickAt(17, 7, 0);
    planner->on_Timer1_timeout();
    QCOMPARE(rig.dialogs.messages, QStringList{"Schedule Reminder"});
    QVERIFY(rig.texts().isEmpty());
}

QTEST_MAIN(TestReminders)
#include "tst_reminders.moc"
