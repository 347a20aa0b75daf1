// The clock window's sound procedures (the alarm sound, a bell stroke, the
// end of an hourly chime), start-up's preparation of the device and its
// completion notification, against a device that records the commands.
#include <QtTest>

#include "ClockRig.h"

namespace {
QStringList startOf(const QString& name) {
    return {QStringLiteral("Close"), QStringLiteral("File ") + name, QStringLiteral("Open"),
            QStringLiteral("Prev"), QStringLiteral("Play")};
}
}  // namespace

class SoundProceduresTest : public QObject {
    Q_OBJECT
private slots:
    void startUpOpensTheBellWithoutPlaying();
    void tuneOfTheHour_data();
    void tuneOfTheHour();
    void alarmLeavesMinute00ToTheChime_data();
    void alarmLeavesMinute00ToTheChime();
    void failingCommandEndsTheProcedure_data();
    void failingCommandEndsTheProcedure();
    void newSoundCutsOffTheOneBefore();
    void completionClearsAlarmRinging_data();
    void completionClearsAlarmRinging();
    void windowGoneLeavesNoHandler();
    void noDeviceAtAll();
};

void SoundProceduresTest::startUpOpensTheBellWithoutPlaying() {
    TestFolder folder;
    folder.touchSoundFiles();
    auto context = folder.openContext();
    FakeClock clock;
    FakeDialogs dialogs;
    FakePauser pauser;
    FakeSoundDevice sound;
    sound.setSkip(true);
    Services services{&clock, &dialogs, &pauser, &sound};
    Form1 form(*context, services);
    QVERIFY(form.load());
    QCOMPARE(sound.log, (QStringList{QStringLiteral("File bell.wav"), QStringLiteral("Open"),
                                     QStringLiteral("Prev")}));
    QCOMPARE(sound.lastPath, folder.file(QStringLiteral("bell.wav")));
    QVERIFY(sound.played.isEmpty());
    QVERIFY(!sound.skip());  // every later call of chimey strikes
}

void SoundProceduresTest::tuneOfTheHour_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<bool>("music");
    QTest::addColumn<QString>("tune");  // empty: no tune
    QTest::newRow("noon") << QTime(12, 0, 12) << true << QStringLiteral("intro12.mp3");
    QTest::newRow("midnight") << QTime(0, 0, 12) << true << QStringLiteral("intro12.mp3");
    QTest::newRow("9 AM, no leading zero")
        << QTime(9, 0, 9) << true << QStringLiteral("intro9.mp3");
    QTest::newRow("9 PM") << QTime(21, 0, 9) << true << QStringLiteral("intro9.mp3");
    QTest::newRow("1 PM") << QTime(13, 0, 1) << true << QStringLiteral("intro1.mp3");
    QTest::newRow("10 AM") << QTime(10, 0, 10) << true << QStringLiteral("intro10.mp3");
    QTest::newRow("bell alone") << QTime(15, 0, 3) << false << QString();
}

void SoundProceduresTest::tuneOfTheHour() {
    QFETCH(QTime, time);
    QFETCH(bool, music);
    QFETCH(QString, tune);
    ClockRig rig;
    rig.clock.set(QDateTime(QDate(2026, 12, 8), time));
    rig.form->music = music;
    rig.form->chimey();
    rig.sound.clearLog();
    rig.form->ringdude();
    // Always closed first, so the stroke still sounding stops at once.
    if (tune.isEmpty()) {
        QCOMPARE(rig.sound.log, QStringList{QStringLiteral("Close")});
        QVERIFY(rig.sound.playing.isEmpty());
    } else {
        QCOMPARE(rig.sound.log, startOf(tune));
        QCOMPARE(rig.sound.lastPath, rig.folder.file(tune));
    }
}

void SoundProceduresTest::alarmLeavesMinute00ToTheChime_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<bool>("chime");
    QTest::addColumn<bool>("ringingBefore");
    QTest::addColumn<bool>("plays");
    QTest::newRow("07:00, chime on") << QTime(7, 0, 30) << true << false << false;
    QTest::newRow("12:00 PM, chime on") << QTime(12, 0, 0) << true << false << false;
    QTest::newRow("07:00, chime on, ringing stays") << QTime(7, 0, 30) << true << true << false;
    QTest::newRow("07:00, chime off") << QTime(7, 0, 30) << false << false << true;
    QTest::newRow("07:01, chime on") << QTime(7, 1, 0) << true << false << true;
    QTest::newRow("10:10, chime on") << QTime(10, 10, 0) << true << false << true;
}

void SoundProceduresTest::alarmLeavesMinute00ToTheChime() {
    QFETCH(QTime, time);
    QFETCH(bool, chime);
    QFETCH(bool, ringingBefore);
    QFETCH(bool, plays);
    ClockRig rig(chime ? QStringLiteral("Chime") : QStringLiteral("None"));
    QCOMPARE(rig.form->Check2->isChecked(), chime);
    rig.clock.set(QDateTime(QDate(2026, 12, 8), time));
    rig.form->alarmRinging = ringingBefore;
    rig.form->alarm();
    if (plays) {
        QCOMPARE(rig.sound.log, startOf(QStringLiteral("alarm.mp3")));
        QCOMPARE(rig.sound.lastPath, rig.folder.file(QStringLiteral("alarm.mp3")));
        QVERIFY(rig.form->alarmRinging);
    } else {
        QVERIFY(rig.sound.log.isEmpty());
        QCOMPARE(rig.form->alarmRinging, ringingBefore);
    }
}

void SoundProceduresTest::failingCommandEndsTheProcedure_data() {
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<bool>("flag");  // alarmRinging after alarm, chimeStruck after chimey
    const QStringList alarm = startOf(QStringLiteral("alarm.mp3"));
    const QStringList bell = startOf(QStringLiteral("bell.mp3"));
    const QStringList tune = startOf(QStringLiteral("intro5.mp3"));
    QTest::newRow("alarm plays") << "alarm" << QString() << alarm << true;
    QTest::newRow("alarm, close fails") << "alarm"
                                        << "Close" << alarm.mid(0, 1) << false;
    QTest::newRow("alarm, file fails") << "alarm"
                                       << "File" << alarm.mid(0, 2) << false;
    QTest::newRow("alarm, open fails") << "alarm"
                                       << "Open" << alarm.mid(0, 3) << false;
    QTest::newRow("alarm, rewind fails") << "alarm"
                                         << "Prev" << alarm.mid(0, 4) << false;
    QTest::newRow("alarm, play fails") << "alarm"
                                       << "Play" << alarm << false;
    QTest::newRow("stroke") << "chimey" << QString() << bell << true;
    QTest::newRow("stroke, close fails") << "chimey"
                                         << "Close" << bell.mid(0, 1) << true;
    QTest::newRow("stroke, open fails") << "chimey"
                                        << "Open" << bell.mid(0, 3) << true;
    QTest::newRow("stroke, play fails") << "chimey"
                                        << "Play" << bell << true;
    QTest::newRow("end of chime") << "ringdude" << QString() << tune << false;
    QTest::newRow("end of chime, close fails") << "ringdude"
                                               << "Close" << tune.mid(0, 1) << false;
    QTest::newRow("end of chime, open fails") << "ringdude"
                                              << "Open" << tune.mid(0, 3) << false;
    QTest::newRow("start-up, open fails")
        << "prepare"
        << "Open" << QStringList{QStringLiteral("File bell.wav"), QStringLiteral("Open")} << false;
}

void SoundProceduresTest::failingCommandEndsTheProcedure() {
    QFETCH(QString, procedure);
    QFETCH(QString, failing);
    QFETCH(QStringList, sent);
    QFETCH(bool, flag);
    ClockRig rig;
    rig.at(17, 0, 4);
    rig.form->music = true;
    rig.form->chimeStruck = false;
    rig.sound.failCommand(failing);
    if (procedure == QLatin1String("alarm")) {
        rig.form->alarm();
        QCOMPARE(rig.form->alarmRinging, flag);
    } else if (procedure == QLatin1String("chimey")) {
        QCOMPARE(rig.form->chimey(), flag);
        QCOMPARE(rig.form->chimeStruck, flag);
    } else if (procedure == QLatin1String("ringdude")) {
        rig.form->ringdude();
    } else {
        rig.form->prepareSoundDevice();
    }
    QCOMPARE(rig.sound.log, sent);
}

void SoundProceduresTest::newSoundCutsOffTheOneBefore() {
    ClockRig rig;
    rig.at(17, 0, 0);
    rig.form->music = true;
    rig.form->ringdude();
    QCOMPARE(rig.sound.playing, QStringLiteral("intro5.mp3"));
    // The alarm during the tune: the tune is closed before the alarm starts.
    rig.at(17, 1, 0);
    rig.sound.clearLog();
    rig.form->alarm();
    QCOMPARE(rig.sound.log, startOf(QStringLiteral("alarm.mp3")));
    QCOMPARE(rig.sound.playing, QStringLiteral("alarm.mp3"));
    // A stroke during the alarm: the alarm is closed.
    rig.sound.clearLog();
    rig.form->chimey();
    QCOMPARE(rig.sound.log, startOf(QStringLiteral("bell.mp3")));
    QCOMPARE(rig.sound.playing, QStringLiteral("bell.mp3"));
}

void SoundProceduresTest::completionClearsAlarmRinging_data() {
    // Holds: questions or reminders waiting for their answer.
    QTest::addColumn<int>("holds");
    QTest::addColumn<int>("releases");
    QTest::addColumn<bool>("startsOver");
    QTest::newRow("nothing waits") << 0 << 0 << false;
    QTest::newRow("a question waits") << 1 << 0 << true;
    QTest::newRow("a reminder waits, the postponed alarm's question answered") << 2 << 1 << true;
    QTest::newRow("both answered") << 2 << 2 << false;
}

void SoundProceduresTest::completionClearsAlarmRinging() {
    QFETCH(int, holds);
    QFETCH(int, releases);
    QFETCH(bool, startsOver);
    ClockRig rig;
    rig.at(6, 45, 0);
    rig.form->alarm();
    for (int i = 0; i < holds; ++i) rig.form->holdAlarm();
    for (int i = 0; i < releases; ++i) rig.form->releaseAlarm();
    QVERIFY(rig.form->alarmRinging);
    rig.sound.clearLog();
    rig.sound.finishSound();
    // Unanswered, it starts over at once and stays ringing.
    QCOMPARE(rig.sound.played,
             startsOver ? QStringList{QStringLiteral("alarm.mp3")} : QStringList());
    QCOMPARE(rig.form->alarmRinging, startsOver);
}

void SoundProceduresTest::windowGoneLeavesNoHandler() {
    // The device outlives the window in the program; a late notification
    // must not reach a window that is gone.
    ClockRig rig;
    QVERIFY(rig.sound.hasHandler());
    rig.form.reset();
    QVERIFY(!rig.sound.hasHandler());
    rig.sound.finishSound();
}

void SoundProceduresTest::noDeviceAtAll() {
    ClockRig rig(QStringLiteral("Both"), false);
    rig.at(12, 0, 0);
    rig.form->alarm();
    QVERIFY(!rig.form->alarmRinging);
    QVERIFY(rig.form->chimey());
    rig.form->ringdude();
    rig.form->prepareSoundDevice();
    QVERIFY(rig.dialogs.messages.isEmpty());
}

QTEST_MAIN(SoundProceduresTest)
#include "tst_soundprocedures.moc"
