// Reminders through the whole road of an appointment: made in the planner's
// panel, found due by the clock tick, handed over through the flags record,
// shown by the planner window and consumed after the user's OK. A fake
// clock, fake dialogs and sound, and the real database file.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
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
#include "clock/PictureBox.h"
#include "scheduler/Appointment.h"
#include "scheduler/ObsoleteRules.h"
#include "scheduler/ReminderCheck.h"
#include "scheduler/ReminderDisplay.h"
#include "sound/Alarm.h"
#include "support/FakeServices.h"
#include "support/FakeSoundDevice.h"
#include "support/TestFolder.h"

namespace {

// A clock window on a fresh data folder with help off, its tick stopped so
// the test runs each tick itself at a time it chooses.
struct ReminderRig {
    TestFolder folder;
    FakeClock clock{QDateTime(QDate(2026, 12, 8), QTime(17, 6, 58))};
    FakeDialogs dialogs;
    FakePauser pauser;
    FakeSoundDevice sound;
    FakeNotifier notifier;
    Services services;
    AppContext app;
    std::unique_ptr<Form1> form;

    ReminderRig() {
        folder.touchSoundFiles();
        folder.exec("UPDATE signal SET f6 = 'U'");
        services.clock = &clock;
        services.dialogs = &dialogs;
        services.pauser = &pauser;
        services.sound = &sound;
        services.notifier = &notifier;
        app.appFolder = folder.path();
        form = std::make_unique<Form1>(app, services);
    }
    ~ReminderRig() {
        if (Form2* planner = form->planner()) delete planner;
    }
    bool load() {
        const bool ok = form->load();
        form->Timer1->stop();
        return ok;
    }
    void tickAt(int hour, int minute, int second) {
        clock.set(QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second)));
        form->tick();
    }
    // Both windows' ticks every 900 ms from the clock's time up to `until`,
    // as the running program has them.
    void runUntil(const QDateTime& until) {
        for (; clock.now() <= until; clock.advanceMs(900)) {
            form->tick();
            if (Form2* planner = form->planner(); planner && planner->isLoaded())
                planner->on_Timer1_timeout();
        }
    }
    void runUntil(int hour, int minute, int second) {
        runUntil(QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second)));
    }
    QString flag() const { return folder.query("SELECT f0 FROM signal").value(0); }
    QStringList texts() const { return folder.query("SELECT stext FROM scheduler"); }
    QStringList reminderList() const {
        QStringList entries;
        for (int i = 0; i < form->List2->count(); ++i) entries << form->List2->item(i)->text();
        return entries;
    }
    // Makes an appointment on the selected date through the open panel.
    void make(int hour, int minute, const QString& text) {
        Form2* planner = form->planner();
        planner->HScroll1->setValue(hour);
        planner->HScroll2->setValue(minute);
        planner->RichTextBox2->setText(text);
        QTest::mouseClick(planner->Command1, Qt::LeftButton);
    }
    QColor colourOfDay(const QString& day) const {
        Form2* planner = form->planner();
        for (int k = 0; k < 42; ++k)
            if (planner->dayCell(k)->text() == day) return planner->dayCell(k)->textColor();
        return QColor();
    }
};

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
    void cleanUpQuestionOpenAcrossTheMinute();
    void oneAtATime_data();
    void oneAtATime();
    void midnightAppointment();
    void passedOverMinutes_data();
    void passedOverMinutes();
    void longTextShownCut();
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

namespace {
const QString kReminder = QStringLiteral("Schedule Reminder");
const QString kInsert = QStringLiteral("INSERT INTO scheduler VALUES ('%1', 'December', '2026', '%2', %3, '%4', '%5')");
QString lateText(int hour24, int minute, const QDate& due = QDate(2026, 12, 8), const QDate& today = QDate(2026, 12, 8)) {
    return ReminderDisplay::messageText(QDateTime(due, QTime(hour24, minute)), true, today);
}
}  // namespace

void TestReminders::cleanUpQuestionOpenAcrossTheMinute() {
    ReminderRig rig;
    QVERIFY(rig.folder.exec(kInsert.arg("7", "09", "0", "AM", "Yesterday")));
    QVERIFY(rig.folder.exec(kInsert.arg("8", "05", "7", "PM", "Dentist")));
    QVERIFY(rig.load());
    rig.dialogs.leaveOpen();
    rig.clock.set(QDateTime(QDate(2026, 12, 8), QTime(17, 6, 58)));
    rig.runUntil(17, 7, 5);
    // The question stays open, unanswered; the clock has gone on, and the
    // reminder came in its minute, with its sound.
    const QString question = obsolete::questionText(
        QStringLiteral(" 1)  7  December 2026      9: 0 AM     Yesterday\r\n"));
    QCOMPARE(rig.dialogs.openBoxes(), (QStringList{question, kReminder}));
    QCOMPARE(rig.dialogs.noByDefault, QStringList{question});
    QCOMPARE(rig.form->Picture1->printed().front().text,
             Form1::timeOfDayText(rig.clock.now().addMSecs(-900).time()));
    QCOMPARE(rig.sound.played, QStringList{"alarm.mp3"});
    QCOMPARE(rig.flag(), QString("F"));
    // OK consumes it; the question is neither asked again nor answered.
    QVERIFY(rig.dialogs.answer(kReminder));
    QCOMPARE(rig.texts(), QStringList{"Yesterday"});
    rig.runUntil(17, 8, 0);
    QCOMPARE(rig.dialogs.openBoxes(), QStringList{question});
    QVERIFY(rig.dialogs.answer(question, false));
    QCOMPARE(rig.dialogs.openBoxes(), QStringList{"Obsolete schedules NOT removed"});
    QCOMPARE(rig.dialogs.stacked, 0);
}

void TestReminders::oneAtATime_data() {
    QTest::addColumn<bool>("alarmFirst");  // the alarm's question, not a reminder, is unanswered
    QTest::newRow("the first reminder unanswered") << false;
    QTest::newRow("the alarm's question unanswered") << true;
}

void TestReminders::oneAtATime() {
    QFETCH(bool, alarmFirst);
    ReminderRig rig;
    if (!alarmFirst) QVERIFY(rig.folder.exec(kInsert.arg("8", "05", "7", "PM", "First")));
    QVERIFY(rig.folder.exec(kInsert.arg("8", "05", "8", "PM", "Second")));
    QVERIFY(rig.load());
    rig.dialogs.leaveOpen();
    if (alarmFirst) {
        rig.form->Label2->setText("05");
        rig.form->Label3->setText("07");
        rig.form->Label5->setText("PM");
        rig.form->Check1->setChecked(true);
    }
    const QString first = alarmFirst ? Alarm::postponeQuestion() : kReminder;
    rig.clock.set(QDateTime(QDate(2026, 12, 8), QTime(17, 6, 58)));
    rig.runUntil(17, 9, 30);
    // Nothing stacked on the first, and the second waits for its turn.
    QCOMPARE(rig.dialogs.openBoxes(), QStringList{first});
    QCOMPARE(rig.texts(), alarmFirst ? QStringList{"Second"} : (QStringList{"First", "Second"}));
    QVERIFY(rig.dialogs.answer(first, false));
    // The one it waited for is not offered as past meanwhile.
    QVERIFY(rig.dialogs.questions.size() == (alarmFirst ? 1 : 0));
    rig.sound.finishSound(ISoundDevice::Stopped);
    rig.runUntil(17, 9, 32);
    QCOMPARE(rig.dialogs.openBoxes(), QStringList{lateText(17, 8)});
    QCOMPARE(rig.notifier.sent.last(),
             QString("Late schedule reminder | It was due at 5:08 PM.  Second"));
    QVERIFY(rig.dialogs.answer(kReminder));
    QVERIFY(rig.texts().isEmpty());
    QCOMPARE(rig.dialogs.stacked, 0);
}

void TestReminders::midnightAppointment() {
    ReminderRig rig;
    QVERIFY(rig.folder.exec(kInsert.arg("9", "12", "0", "AM", "At midnight")));
    rig.clock.set(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 57)));
    QVERIFY(rig.load());
    rig.dialogs.leaveOpen();
    rig.runUntil(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 3)));
    // In its minute, not late, on its day.
    QCOMPARE(rig.dialogs.openBoxes(), QStringList{kReminder});
    QCOMPARE(rig.notifier.sent, QStringList{"Schedule Reminder | 12:00 AM  At midnight"});
    Form2* planner = rig.form->planner();
    QCOMPARE(planner->Combo1->currentText(), QString("9"));
    QCOMPARE(planner->RichTextBox2->text(), QString("At midnight"));
    QVERIFY(rig.dialogs.answer(kReminder));
    QVERIFY(rig.texts().isEmpty());
}

void TestReminders::passedOverMinutes_data() {
    QTest::addColumn<QDateTime>("next");  // the tick after 5:06:45 PM
    QTest::addColumn<QString>("message");
    const QDate today(2026, 12, 8);
    QTest::newRow("clock set forward 85 s")
        << QDateTime(today, QTime(17, 8, 10)) << lateText(17, 7);
    QTest::newRow("asleep for two hours") << QDateTime(today, QTime(19, 30, 0)) << lateText(17, 7);
    QTest::newRow("asleep past midnight")
        << QDateTime(today.addDays(1), QTime(10, 0, 0)) << lateText(17, 7, today, today.addDays(1));
    QTest::newRow("no tick passed over it") << QDateTime(today, QTime(17, 7, 40)) << kReminder;
}

void TestReminders::passedOverMinutes() {
    QFETCH(QDateTime, next);
    QFETCH(QString, message);
    ReminderRig rig;
    QVERIFY(rig.folder.exec(kInsert.arg("8", "05", "7", "PM", "Dentist")));
    QVERIFY(rig.folder.exec(kInsert.arg("8", "04", "0", "PM", "Passed before the start")));
    QVERIFY(rig.load());
    rig.dialogs.answerAllQuestions(false);
    rig.tickAt(17, 6, 44);
    rig.tickAt(17, 6, 45);
    QVERIFY(!rig.dialogs.messages.contains(kReminder));
    rig.clock.set(next);
    rig.form->tick();
    QCOMPARE(rig.dialogs.messages.filter(kReminder), QStringList{message});
    QCOMPARE(rig.texts(), QStringList{"Passed before the start"});
}

void TestReminders::longTextShownCut() {
    ReminderRig rig;
    const QString text(10'000'000, QLatin1Char('a'));
    QVERIFY(rig.folder.exec(kInsert.arg("8", "05", "7", "PM", text)));
    QVERIFY(rig.load());
    QString shown;
    rig.dialogs.setOnMessage([&](const QString&) { shown = rig.form->planner()->RichTextBox2->text(); });
    rig.tickAt(17, 6, 58);
    rig.tickAt(17, 7, 0);
    // The box writes its line break as CR LF.
    QCOMPARE(shown, text.left(Appointment::kMaxTextLength) + "\r\n[... cut here: only the first " +
                        QLocale().toString(Appointment::kMaxTextLength) + " of its " +
                        QLocale().toString(text.size()) + " characters are shown]");
    QVERIFY(rig.notifier.sent.value(0).size() < 400);
}

QTEST_MAIN(TestReminders)
#include "tst_reminders.moc"
