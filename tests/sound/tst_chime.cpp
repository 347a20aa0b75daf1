// The hourly chime: the strokes of each hour, the tune that follows them,
// the bell modes chosen from the pop-up menu, and the mode kept across runs.
#include <QtTest>

#include "ClockRig.h"
#include "SettingsStore.h"
#include "sound/Chime.h"

namespace {
const QString kBell = QStringLiteral("bell.mp3");
}

class ChimeTest : public QObject {
    Q_OBJECT
private slots:
    void strikesTheHour_data();
    void strikesTheHour();
    void lastStrokeIsCutOffAtOnce();
    void heldUpTickStillStrikes();
    void clearingTheBoxMidChime();
    void interruptedCountEndsInALaterHour();
    void startUpModes_data();
    void startUpModes();
    void menuChoices_data();
    void menuChoices();
};

void ChimeTest::strikesTheHour_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("hour24");
    QTest::addColumn<int>("startMs");  // where in second 00 the first tick falls
    QTest::addColumn<int>("bells");    // strokes started, the last one cut off
    QTest::addColumn<QString>("tune");
    QTest::addColumn<int>("pauses");
    QTest::newRow("3 PM, Chime") << "Chime" << 15 << 100 << 4 << QString() << 0;
    QTest::newRow("3 PM, Both") << "Both" << 15 << 100 << 4 << QStringLiteral("intro3.mp3") << 0;
    QTest::newRow("3 PM, None") << "None" << 15 << 100 << 0 << QString() << 0;
    QTest::newRow("noon, Both") << "Both" << 12 << 0 << 13 << QStringLiteral("intro12.mp3") << 0;
    QTest::newRow("midnight, Chime") << "Chime" << 0 << 0 << 13 << QString() << 0;
    QTest::newRow("9 AM, Both") << "Both" << 9 << 50 << 10 << QStringLiteral("intro9.mp3") << 0;
    QTest::newRow("2 AM, two ticks in second 00")
        << "Both" << 2 << 0 << 3 << QStringLiteral("intro2.mp3") << 0;
    QTest::newRow("1 AM, Both") << "Both" << 1 << 500 << 2 << QStringLiteral("intro1.mp3") << 1;
    QTest::newRow("1 PM, Chime") << "Chime" << 13 << 500 << 2 << QString() << 1;
    // The second tick in second 00 does not strike one o'clock again.
    QTest::newRow("1 AM, two ticks in second 00")
        << "Both" << 1 << 0 << 2 << QStringLiteral("intro1.mp3") << 1;
}

void ChimeTest::strikesTheHour() {
    QFETCH(QString, mode);
    QFETCH(int, hour24);
    QFETCH(int, startMs);
    QFETCH(int, bells);
    QFETCH(QString, tune);
    QFETCH(int, pauses);
    ClockRig rig(mode);
    rig.clock.set(QDateTime(QDate(2026, 12, 8), QTime(hour24, 0, 0, startMs)));
    const int pausesBefore = rig.pauser.count;
    rig.ticks(25);  // 22.5 seconds
    QStringList expected(bells, kBell);
    if (!tune.isEmpty()) expected << tune;
    QCOMPARE(rig.sound.played, expected);
    QCOMPARE(rig.pauser.count - pausesBefore, pauses);
    if (pauses) QCOMPARE(rig.pauser.total, qint64(Chime::kOneOClockPauseMs));
    // Afterwards the tune plays on, or all is silent.
    QCOMPARE(rig.sound.playing, tune);
}

void ChimeTest::lastStrokeIsCutOffAtOnce() {
    ClockRig rig(QStringLiteral("Chime"));
    rig.at(15, 0, 0);
    QList<QStringList> perTick;
    for (int tick = 0; tick < 6; ++tick) {
        rig.sound.clearLog();
        rig.tick();
        perTick << rig.sound.log;
    }
    const QStringList stroke{QStringLiteral("Close"), QStringLiteral("File bell.mp3"),
                             QStringLiteral("Open"), QStringLiteral("Prev"),
                             QStringLiteral("Play")};
    // Three strokes heard about 900 ms apart; the fourth is closed in its own tick.
    QCOMPARE(perTick.value(0), stroke);
    QCOMPARE(perTick.value(1), stroke);
    QCOMPARE(perTick.value(2), stroke);
    QCOMPARE(perTick.value(3), stroke + QStringList{QStringLiteral("Close")});
    QVERIFY(perTick.value(4).isEmpty() && perTick.value(5).isEmpty());
}

void ChimeTest::heldUpTickStillStrikes() {
    // The program was held up through second 00: the first tick of the hour
    // comes at 3:00:01.4, and the hour is struck from there.
    ClockRig rig(QStringLiteral("Chime"));
    rig.clock.set(QDateTime(QDate(2026, 12, 8), QTime(14, 59, 59, 500)));
    rig.tick(1900);
    rig.ticks(10);
    QCOMPARE(rig.sound.played, QStringList(4, kBell));
}

void ChimeTest::clearingTheBoxMidChime() {
    ClockRig rig(QStringLiteral("Both"));
    rig.at(17, 0, 0);
    rig.ticks(3);
    QCOMPARE(rig.sound.played.size(), 3);
    rig.sound.clearLog();
    rig.form->Check2->setChecked(false);
    QCOMPARE(rig.sound.log, QStringList{QStringLiteral("Stop")});
    QVERIFY(rig.sound.playing.isEmpty());
    QCOMPARE(rig.form->bellChoice, QStringLiteral("NONE"));
    QVERIFY(!rig.form->chimeOn && !rig.form->music);
    rig.ticks(10);
    QVERIFY(rig.sound.played.isEmpty());
    // Ticked again before the next hour: the strokes resume at once until
    // the hour has been struck, and the tune of the mode chosen follows.
    rig.at(17, 20, 0);
    rig.chooseBell(QStringLiteral("mab"));
    rig.form->Check2->setChecked(true);
    rig.ticks(10);
    QCOMPARE(rig.sound.played, (QStringList{kBell, kBell, kBell, QStringLiteral("intro5.mp3")}));
}

void ChimeTest::interruptedCountEndsInALaterHour() {
    // Cleared after 8 strokes of noon, ticked again at 3:10 PM: the count is
    // already past three o'clock's; the chime ends instead of striking on.
    ClockRig rig(QStringLiteral("Chime"));
    rig.at(12, 0, 0);
    rig.ticks(8);
    rig.form->Check2->setChecked(false);
    rig.at(15, 10, 0);
    rig.chooseBell(QStringLiteral("ba"));
    rig.form->Check2->setChecked(true);
    rig.sound.clearLog();
    rig.ticks(30);
    QCOMPARE(rig.sound.played, QStringList{kBell});
    QVERIFY(rig.sound.playing.isEmpty());
}

void ChimeTest::startUpModes_data() {
    QTest::addColumn<QString>("saved");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("chimeOn");
    QTest::addColumn<bool>("music");
    QTest::addColumn<QString>("chimeMode");
    QTest::newRow("None") << "None" << false << false << false << "None";
    QTest::newRow("Chime") << "Chime" << true << true << false << "Chime";
    QTest::newRow("Both") << "Both" << true << true << true << "Both";
    QTest::newRow("lower case") << "none" << true << false << true << "";
    QTest::newRow("no settings record") << QString() << false << false << false << "None";
}

void ChimeTest::startUpModes() {
    QFETCH(QString, saved);
    QFETCH(bool, ticked);
    QFETCH(bool, chimeOn);
    QFETCH(bool, music);
    QFETCH(QString, chimeMode);
    ClockRig rig(saved);
    QCOMPARE(rig.form->Check2->isChecked(), ticked);
    QCOMPARE(rig.form->chimeOn, chimeOn);
    QCOMPARE(rig.form->music, music);
    QCOMPARE(rig.form->chimeMode, chimeMode);
    // Loading ticks and clears the box itself: no menu, no stop.
    QCOMPARE(rig.menusShown(), 0);
    QVERIFY(rig.form->bellChoice.isEmpty());
}

void ChimeTest::menuChoices_data() {
    QTest::addColumn<QString>("saved");
    // Each action: "tick:<choice>" (choice ba, mab, or empty to close the menu) or "clear".
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("chimeOn");
    QTest::addColumn<bool>("music");
    QTest::addColumn<QString>("chimeMode");  // also what the exit stores
    QTest::addColumn<QString>("bellChoice");
    QTest::newRow("bell and music")
        << "None" << QStringList{"tick:mab"} << true << true << true << "Both"
        << "mab";
    QTest::newRow("bell alone") << "None" << QStringList{"tick:ba"} << true << true << false
                                << "Chime"
                                << "ba";
    QTest::newRow("menu closed after start-up")
        << "None" << QStringList{"tick:"} << true << false << false << "None"
        << "";
    QTest::newRow("cleared") << "Both" << QStringList{"clear"} << false << false << false << "None"
                             << "NONE";
    QTest::newRow("cleared, ticked, menu closed")
        << "Chime" << QStringList{"clear", "tick:"} << true << false << false << "None"
        << "NONE";
    QTest::newRow("music, then bell alone")
        << "None" << QStringList{"tick:mab", "clear", "tick:ba"} << true << true << false << "Chime"
        << "ba";
    QTest::newRow("bell alone, then music")
        << "Chime" << QStringList{"clear", "tick:mab"} << true << true << true << "Both"
        << "mab";
}

void ChimeTest::menuChoices() {
    QFETCH(QString, saved);
    QFETCH(QStringList, actions);
    QFETCH(bool, ticked);
    QFETCH(bool, chimeOn);
    QFETCH(bool, music);
    QFETCH(QString, chimeMode);
    QFETCH(QString, bellChoice);
    ClockRig rig(saved);
    int ticks = 0;
    for (const QString& action : actions) {
        if (action == QLatin1String("clear")) {
            rig.form->Check2->setChecked(false);
        } else {
            rig.chooseBell(action.section(QLatin1Char(':'), 1));
            rig.form->Check2->setChecked(true);
            ++ticks;
        }
    }
    QCOMPARE(rig.menusShown(), ticks);  // once per ticking, never for clearing
    QCOMPARE(rig.form->Check2->isChecked(), ticked);
    QCOMPARE(rig.form->chimeOn, chimeOn);
    QCOMPARE(rig.form->music, music);
    QCOMPARE(rig.form->bellChoice, bellChoice);
    QVERIFY(!rig.form->kk && !rig.form->cb);

    // The mode survives the exit and the next start.
    rig.dialogs.answerAllQuestions(true);
    rig.form->unload();
    QCOMPARE(rig.form->chimeMode, chimeMode);
    QCOMPARE(settings::read(*rig.context->clockiniRecords).chimeMode, chimeMode);
    Form1 next(*rig.context, rig.services);
    QVERIFY(next.load());
    QCOMPARE(int(rig.menus.shownMenus.size()), ticks);  // no menu while loading
    next.Timer1->stop();
    QCOMPARE(next.chimeMode, chimeMode);
    QCOMPARE(next.chimeOn, chimeMode != QLatin1String("None"));
    QCOMPARE(next.music, chimeMode == QLatin1String("Both"));
}

QTEST_MAIN(ChimeTest)
#include "tst_chime.moc"
