// No reminder lost: the whole road of an appointment's reminder while other
// boxes are open, while another reminder or the alarm waits for its answer,
// across midnight, and when the clock passes over its minute (set forward,
// the machine asleep); and an appointment text too long to lay out.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include "RichTextBox.h"
#include "clock/PictureBox.h"
#include "scheduler/Appointment.h"
#include "scheduler/Form2.h"
#include "scheduler/ObsoleteRules.h"
#include "scheduler/ReminderDisplay.h"
#include "sound/Alarm.h"
#include "support/ReminderRig.h"

class TestMissedReminders : public QObject {
    Q_OBJECT
private slots:
    void cleanUpQuestionOpenAcrossTheMinute();
    void oneAtATime_data();
    void oneAtATime();
    void midnightAppointment();
    void passedOverMinutes_data();
    void passedOverMinutes();
    void longTextShownCut();
};

namespace {
const QString kReminder = QStringLiteral("Schedule Reminder");
const QString kInsert =
    QStringLiteral("INSERT INTO scheduler VALUES ('%1', 'December', '2026', '%2', %3, '%4', '%5')");
QString lateText(int hour24, int minute, const QDate& due = QDate(2026, 12, 8),
                 const QDate& today = QDate(2026, 12, 8)) {
    return ReminderDisplay::messageText(QDateTime(due, QTime(hour24, minute)), true, today);
}
}  // namespace

void TestMissedReminders::cleanUpQuestionOpenAcrossTheMinute() {
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

void TestMissedReminders::oneAtATime_data() {
    QTest::addColumn<bool>("alarmFirst");  // the alarm's question, not a reminder, is unanswered
    QTest::newRow("the first reminder unanswered") << false;
    QTest::newRow("the alarm's question unanswered") << true;
}

void TestMissedReminders::oneAtATime() {
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

void TestMissedReminders::midnightAppointment() {
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

void TestMissedReminders::passedOverMinutes_data() {
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

void TestMissedReminders::passedOverMinutes() {
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

void TestMissedReminders::longTextShownCut() {
    ReminderRig rig;
    const QString text(10'000'000, QLatin1Char('a'));
    QVERIFY(rig.folder.exec(kInsert.arg("8", "05", "7", "PM", text)));
    QVERIFY(rig.load());
    QString shown;
    rig.dialogs.setOnMessage(
        [&](const QString&) { shown = rig.form->planner()->RichTextBox2->text(); });
    rig.tickAt(17, 6, 58);
    rig.tickAt(17, 7, 0);
    // The box writes its line break as CR LF.
    QCOMPARE(shown, text.left(Appointment::kMaxTextLength) + "\r\n[... cut here: only the first " +
                        QLocale().toString(Appointment::kMaxTextLength) + " of its " +
                        QLocale().toString(text.size()) + " characters are shown]");
    QVERIFY(rig.notifier.sent.value(0).size() < 400);
}

QTEST_MAIN(TestMissedReminders)
#include "tst_missedreminders.moc"
