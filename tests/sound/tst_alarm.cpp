// The daily alarm: its clash checks, ringing and postponement, driven by the
// clock tick's alarm step and the postpone timer, with scripted answers.
#include <QtTest>

#include "ClockRig.h"
#include "clock/ReminderList.h"
#include "sound/Alarm.h"

namespace {
const QString kChimeClash = Alarm::chimeClashText();
const QString kScheduleClash = Alarm::appointmentClashText();
const QString kPostpone = Alarm::postponeQuestion();
const QString kBell = QStringLiteral("bell.mp3");
}  // namespace

class AlarmTest : public QObject {
    Q_OBJECT
private slots:
    void messagesReadAsWritten();
    void chimeClash_data();
    void chimeClash();
    void appointmentClash_data();
    void appointmentClash();
    void ringsOnceInItsMinute_data();
    void ringsOnceInItsMinute();
    void yesYesNo();
    void silentAlarmStaysArmed();
    void noStackedDialogs_data();
    void noStackedDialogs();
    void postponeTickWhileQuestionOpen();
    void clearingTheBoxStops();
    void ringingIsAnnounced_data();
    void ringingIsAnnounced();
    void soundHeldUntilAnswered_data();
    void soundHeldUntilAnswered();
    void questionOpenAcrossTheHour();
};

void AlarmTest::messagesReadAsWritten() {
    QCOMPARE(kChimeClash,
             QStringLiteral(
                 "Chime has been enabled and it rings every hour. An alarm has also been set at a "
                 "specific hour. Both cannot work simultaneously therefore the alarm is being "
                 "turned off"));
    QCOMPARE(kScheduleClash,
             QStringLiteral("A schedule has been set for this hour of the day. Please change the "
                            "alarm time or remove the schedule"));
    QCOMPARE(kPostpone, QStringLiteral("Do you wish to postpone the alarm by a minute?"));
}

void AlarmTest::chimeClash_data() {
    QTest::addColumn<QString>("chimeMode");
    QTest::addColumn<int>("minute");
    QTest::addColumn<bool>("clash");
    QTest::newRow("07:00 AM, chime on") << "Chime" << 0 << true;
    QTest::newRow("07:00 AM, chime and music") << "Both" << 0 << true;
    QTest::newRow("07:00 AM, chime off") << "None" << 0 << false;
    QTest::newRow("07:30 AM, chime on") << "Chime" << 30 << false;
}

void AlarmTest::chimeClash() {
    QFETCH(QString, chimeMode);
    QFETCH(int, minute);
    QFETCH(bool, clash);
    ClockRig rig(chimeMode);
    rig.at(7, minute, 0);
    rig.setAlarm(7, minute, QStringLiteral("AM"));
    rig.arm();
    if (!clash) rig.dialogs.expectQuestion(kPostpone, false);
    rig.tick();
    if (clash) {
        QCOMPARE(rig.dialogs.messages, QStringList{kChimeClash});
        QVERIFY(!rig.form->Check1->isChecked());
        QVERIFY(rig.playedOf(QStringLiteral("alarm")).isEmpty());
        QVERIFY(rig.dialogs.questions.isEmpty());
    } else {
        QVERIFY(rig.dialogs.messages.isEmpty());
        QCOMPARE(rig.playedOf(QStringLiteral("alarm")), QStringList{QStringLiteral("alarm.mp3")});
    }
    // Disarmed either way: the following ticks of the minute stay quiet.
    rig.ticks(20);
    QCOMPARE(rig.dialogs.messages.size(), clash ? 1 : 0);
    QCOMPARE(rig.playedOf(QStringLiteral("alarm")).size(), clash ? 0 : 1);
}

void AlarmTest::appointmentClash_data() {
    QTest::addColumn<QStringList>("reminders");
    QTest::addColumn<int>("messages");
    QTest::newRow("9:05 AM against 09:05 AM") << QStringList{QStringLiteral("9:5:AM")} << 1;
    QTest::newRow("written with blanks") << QStringList{QStringLiteral(" 9: 5:AM")} << 1;
    QTest::newRow("two at the alarm time")
        << QStringList{QStringLiteral("9:5:AM"), QStringLiteral("11:0:AM"),
                       QStringLiteral("9:5:AM")}
        << 2;
    QTest::newRow("same time, PM") << QStringList{QStringLiteral("9:5:PM")} << 0;
    QTest::newRow("another minute") << QStringList{QStringLiteral("9:6:AM")} << 0;
    QTest::newRow("another hour") << QStringList{QStringLiteral("10:5:AM")} << 0;
    QTest::newRow("unreadable entries")
        << QStringList{QStringLiteral("nine:5:AM"), QStringLiteral("9:5"), QString()} << 0;
}

void AlarmTest::appointmentClash() {
    QFETCH(QStringList, reminders);
    QFETCH(int, messages);
    ClockRig rig;
    rig.at(8, 0, 0);
    rig.form->List2->addItems(reminders);
    rig.setAlarm(9, 5, QStringLiteral("AM"));
    rig.arm();
    rig.tick();
    QCOMPARE(rig.dialogs.messages, QStringList(messages, kScheduleClash));
    QCOMPARE(rig.form->Check1->isChecked(), messages == 0);
    // The message is not repeated while the clock runs on.
    rig.ticks(5);
    QCOMPARE(rig.dialogs.messages.size(), messages);
    QVERIFY(rig.dialogs.stacked == 0 && rig.dialogs.maxOpen <= 1);
}

void AlarmTest::ringsOnceInItsMinute_data() {
    QTest::addColumn<bool>("postpone");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void AlarmTest::ringsOnceInItsMinute() {
    QFETCH(bool, postpone);
    ClockRig rig;
    rig.at(18, 30, 0);
    rig.setAlarm(6, 30, QStringLiteral("PM"));
    rig.arm();
    rig.dialogs.expectQuestion(kPostpone, postpone);
    // The whole minute of ticks.
    rig.ticks(67);
    QCOMPARE(rig.dialogs.questions, QStringList{kPostpone});
    QCOMPARE(rig.playedOf(QStringLiteral("alarm")), QStringList{QStringLiteral("alarm.mp3")});
    QVERIFY(!rig.form->Check1->isChecked());
    QVERIFY(!rig.form->alarmRinging);
    QVERIFY(rig.sound.playing.isEmpty());  // stopped after the answer
    QCOMPARE(rig.form->Timer3->isActive(), postpone);
    if (postpone) QCOMPARE(rig.form->Timer3->interval(), 60000);
}

void AlarmTest::yesYesNo() {
    ClockRig rig;
    rig.at(7, 0, 0);
    rig.setAlarm(7, 0, QStringLiteral("AM"));
    rig.arm();
    rig.dialogs.expectQuestion(kPostpone, true);
    rig.dialogs.expectQuestion(kPostpone, true);
    rig.dialogs.expectQuestion(kPostpone, false);
    QStringList ringTimes;
    // Three minutes, second by second: the clock tick, and the postpone
    // timer 60 s after it was started.
    qint64 timerStarted = -1;
    for (int second = 0; second < 180; ++second) {
        const int before = rig.sound.played.size();
        rig.tick(0);
        if (rig.form->Timer3->isActive()) {
            if (timerStarted < 0) timerStarted = second;
            if ((second - timerStarted) * 1000 >= rig.form->Timer3->interval()) {
                rig.postponeTick();
                timerStarted = rig.form->Timer3->isActive() ? second : -1;
            }
        }
        if (rig.sound.played.size() > before)
            ringTimes << rig.clock.now().time().toString(QStringLiteral("hh:mm:ss"));
        rig.clock.advanceMs(1000);
    }
    QCOMPARE(ringTimes, (QStringList{QStringLiteral("07:00:00"), QStringLiteral("07:01:00"),
                                     QStringLiteral("07:02:00")}));
    QCOMPARE(rig.dialogs.questions.size(), 3);
    QVERIFY(rig.dialogs.allAnswersUsed());
    QVERIFY(!rig.form->Timer3->isActive());
    QVERIFY(!rig.form->Check1->isChecked());
    QVERIFY(rig.sound.playing.isEmpty());
    // Never again, not even the next day at the alarm time.
    rig.at(7, 0, 0);
    rig.ticks(70);
    QCOMPARE(rig.playedOf(QStringLiteral("alarm")).size(), 3);
}

void AlarmTest::silentAlarmStaysArmed() {
    ClockRig rig;
    rig.sound.failOpeningFile(QStringLiteral("alarm.mp3"));
    rig.at(7, 15, 0);
    rig.setAlarm(7, 15, QStringLiteral("AM"));
    rig.arm();
    // No sound, no question; every tick of the minute tries again.
    rig.ticks(10);
    QVERIFY(rig.dialogs.questions.isEmpty());
    QVERIFY(rig.form->Check1->isChecked());
    QCOMPARE(rig.sound.log.count(QStringLiteral("File alarm.mp3")), 10);
    rig.at(7, 16, 0);
    rig.sound.clearLog();
    rig.ticks(10);
    QVERIFY(rig.sound.log.isEmpty());
}

void AlarmTest::noStackedDialogs_data() {
    QTest::addColumn<QString>("chimeMode");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QStringList>("reminders");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<int>("alarmPlays");  // the sound starts over when it ends unanswered
    QTest::newRow("chime clash") << "Chime" << 0 << QStringList() << QStringList{kChimeClash}
                                 << QStringList() << 0;
    QTest::newRow("appointment clash") << "None" << 10 << QStringList{QStringLiteral("7:10:AM")}
                                       << QStringList{kScheduleClash} << QStringList() << 0;
    QTest::newRow("postpone question")
        << "None" << 10 << QStringList() << QStringList() << QStringList{kPostpone} << 2;
}

void AlarmTest::noStackedDialogs() {
    QFETCH(QString, chimeMode);
    QFETCH(int, minute);
    QFETCH(QStringList, reminders);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, questions);
    QFETCH(int, alarmPlays);
    ClockRig rig(chimeMode);
    rig.at(7, minute, 0);
    rig.form->List2->addItems(reminders);
    rig.setAlarm(7, minute, QStringLiteral("AM"));
    rig.arm();
    // While the dialog is open the clock ticks on for half a minute, and
    // the alarm sound ends (its completion notification arrives).
    const auto clockRunsOn = [&rig](const QString&) {
        rig.ticks(15);
        rig.sound.finishSound();
        rig.ticks(15);
    };
    rig.dialogs.setOnMessage(clockRunsOn);
    rig.dialogs.setOnQuestion(clockRunsOn);
    rig.dialogs.answerAllQuestions(false);
    rig.tick();
    QCOMPARE(rig.dialogs.messages, messages);
    QCOMPARE(rig.dialogs.questions, questions);
    QCOMPARE(rig.dialogs.stacked, 0);
    QCOMPARE(rig.dialogs.maxOpen, 1);
    QCOMPARE(rig.playedOf(QStringLiteral("alarm")).size(), alarmPlays);
    QVERIFY(!rig.form->Check1->isChecked());
}

void AlarmTest::postponeTickWhileQuestionOpen() {
    // The user leaves the postponed alarm's question open past the next
    // minute: the timer's tick then does not ring or ask again.
    ClockRig rig;
    rig.at(7, 0, 0);
    rig.setAlarm(7, 0, QStringLiteral("AM"));
    rig.arm();
    rig.dialogs.expectQuestion(kPostpone, true);
    rig.tick();
    QVERIFY(rig.form->Timer3->isActive());
    rig.at(7, 1, 0);
    int nested = 0;
    rig.dialogs.setOnQuestion([&rig, &nested](const QString&) {
        if (nested++ == 0) {
            rig.at(7, 2, 0);
            rig.postponeTick();
            rig.ticks(3);
        }
    });
    rig.dialogs.expectQuestion(kPostpone, false);
    rig.postponeTick();
    QCOMPARE(rig.dialogs.questions.size(), 2);
    QCOMPARE(rig.dialogs.stacked, 0);
    QCOMPARE(rig.playedOf(QStringLiteral("alarm")).size(), 2);
    QVERIFY(!rig.form->Timer3->isActive());
}

void AlarmTest::clearingTheBoxStops() {
    ClockRig rig;
    rig.at(7, 0, 0);
    rig.arm();
    rig.form->alarm();
    QVERIFY(rig.form->alarmRinging);
    rig.sound.clearLog();
    rig.form->Check1->setChecked(false);
    QVERIFY(!rig.form->alarmRinging);
    QCOMPARE(rig.sound.log, QStringList{QStringLiteral("Stop")});
    QVERIFY(rig.sound.playing.isEmpty());
    // Ticking it again clears the flag too and plays nothing.
    rig.form->alarmRinging = true;
    rig.sound.clearLog();
    rig.form->Check1->setChecked(true);
    QVERIFY(!rig.form->alarmRinging);
    QVERIFY(rig.sound.log.isEmpty());
}

void AlarmTest::ringingIsAnnounced_data() {
    QTest::addColumn<bool>("desktopService");
    QTest::newRow("with a notification service") << true;
    QTest::newRow("without one") << false;
}

void AlarmTest::ringingIsAnnounced() {
    QFETCH(bool, desktopService);
    ClockRig rig;
    rig.notifier.available = desktopService;
    rig.at(7, 5, 0);
    rig.setAlarm(7, 5, QStringLiteral("AM"));
    rig.arm();
    rig.dialogs.expectQuestion(kPostpone, true);
    rig.tick();
    // The question comes unbidden, so a key typed elsewhere does not answer it.
    QCOMPARE(rig.dialogs.unbidden, QStringList{kPostpone});
    QCOMPARE(rig.notifier.sent,
             QStringList{QStringLiteral("Alarm | The alarm set for 07:05 AM is ringing")});
    rig.dialogs.expectQuestion(kPostpone, false);
    rig.postponeTick();
    QCOMPARE(rig.dialogs.unbidden, (QStringList{kPostpone, kPostpone}));
    QCOMPARE(rig.notifier.sent.size(), 2);
    QVERIFY(rig.dialogs.allAnswersUsed());
    // Each is taken off the desktop when answered (none without a service).
    QCOMPARE(rig.notifier.withdrawn, desktopService ? (QList<int>{1, 2}) : QList<int>{});
}

void AlarmTest::soundHeldUntilAnswered_data() {
    QTest::addColumn<int>("openMinutes");  // how long the question is left open
    QTest::addColumn<int>("plays");
    QTest::addColumn<bool>("soundingAtAnswer");
    QTest::newRow("answered after two plays") << 0 << 3 << true;
    QTest::newRow("left open past the limit") << 12 << 3 << false;
}

void AlarmTest::soundHeldUntilAnswered() {
    QFETCH(int, openMinutes);
    QFETCH(int, plays);
    QFETCH(bool, soundingAtAnswer);
    ClockRig rig;
    rig.at(7, 5, 0);
    rig.setAlarm(7, 5, QStringLiteral("AM"));
    rig.arm();
    rig.dialogs.leaveOpen();
    rig.tick();
    QCOMPARE(rig.dialogs.openBoxes(), QStringList{kPostpone});
    // Each time it ends unanswered, it starts over, however long the clock runs.
    rig.sound.finishSound();
    rig.ticks(20);
    rig.sound.finishSound();
    rig.clock.advanceMs(qint64(openMinutes) * 60000);
    if (openMinutes) rig.sound.finishSound();  // past the limit it is left to end
    rig.ticks(20);
    QCOMPARE(rig.playedOf(QStringLiteral("alarm")).size(), plays);
    QCOMPARE(!rig.sound.playing.isEmpty(), soundingAtAnswer);
    QVERIFY(rig.form->alarmRinging);  // unanswered all along
    rig.sound.clearLog();
    QVERIFY(rig.dialogs.answer(kPostpone, false));
    // Stopped at once; nothing starts it again.
    QVERIFY(rig.sound.playing.isEmpty());
    QVERIFY(rig.sound.log.contains(QStringLiteral("Stop")));
    rig.sound.finishSound(ISoundDevice::Stopped);
    rig.ticks(20);
    QVERIFY(rig.playedOf(QStringLiteral("alarm")).isEmpty());
    QVERIFY(!rig.form->alarmRinging);
}

void AlarmTest::questionOpenAcrossTheHour() {
    // The alarm rings at 2:59 PM and its question is left open: the clock
    // goes on, three o'clock is struck, and the alarm sound comes back once
    // the chime has had its minute.
    ClockRig rig(QStringLiteral("Chime"));
    rig.at(14, 59, 0);
    rig.setAlarm(2, 59, QStringLiteral("PM"));
    rig.arm();
    rig.dialogs.leaveOpen();
    rig.ticks(134);  // to 3:00:59.7
    QCOMPARE(rig.sound.played,
             (QStringList{QStringLiteral("alarm.mp3"), kBell, kBell, kBell, kBell}));
    rig.ticks(1);
    QCOMPARE(rig.sound.played.last(), QStringLiteral("alarm.mp3"));
    QCOMPARE(rig.dialogs.openBoxes(), QStringList{kPostpone});
}

QTEST_MAIN(AlarmTest)
#include "tst_alarm.moc"
