// The clock tick on a loaded clock window with a fake clock: the drawing,
// the frame colour, the caption, the help flag and the daily check.
#include <QCheckBox>
#include <QFontInfo>
#include <QtTest>

#include "SettingsStore.h"
#include "Twips.h"
#include "clock/ClockFont.h"
#include "clock/ClockTick.h"
#include "clock/PictureBox.h"
#include "clock/SecondTimer.h"
#include "support/ClockWindowFixture.h"

namespace {
QColor frameColourOf(Form1& form) {
    // All four lines always carry the same colour.
    const QColor first = form.Line1.BorderColor;
    for (const FrameLine* line : {&form.Line2, &form.Line3, &form.Line4})
        if (line->BorderColor != first) return QColor();
    return first;
}
}  // namespace

class TestClockTick : public QObject {
    Q_OBJECT
private slots:
    void frameColourAtTheTick_data();
    void frameColourAtTheTick();
    void drawsTheTimeCentredInASerifFace();
    void captionPerSize_data();
    void captionPerSize();
    void helpFlagEveryTick_data();
    void helpFlagEveryTick();
    void helpFollowsTheStoredFlagBetweenTicks();
    void dailyCheckOnceAfterStartAndAfterMidnight();
    void nothingDrawnWhileTheViewerIsOpen();
    void timeNotPrintedInTheViewerLayout();
    void facePlacedAtTopLeftUnlessFullScreen();
};

// The frame's colour wherever the time is drawn: by the tick, by start-up's
// first drawing, and at the start of a second between two ticks.
void TestClockTick::frameColourAtTheTick_data() {
    QTest::addColumn<QString>("drawnBy");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("12:59:59 PM") << "tick" << QTime(12, 59, 59) << QColor(250, 250, 250);
    QTest::newRow("12:59:59 AM") << "tick" << QTime(0, 59, 59) << QColor(250, 250, 250);
    QTest::newRow("6:00:00 AM") << "tick" << QTime(6, 0, 0) << QColor(125, 0, 0);
    QTest::newRow("6:00:00 PM") << "tick" << QTime(18, 0, 0) << QColor(125, 0, 0);
    QTest::newRow("9:00:00 PM, a half to even") << "tick" << QTime(21, 0, 0) << QColor(188, 0, 0);
    QTest::newRow("first drawing at start-up") << "start-up" << QTime(6, 0, 0) << QColor(125, 0, 0);
    QTest::newRow("start of a second, no tick") << "second" << QTime(12, 59, 59) << QColor(250, 250, 250);
    QTest::newRow("shown again after hiding") << "shown" << QTime(6, 0, 0) << QColor(125, 0, 0);
}

void TestClockTick::frameColourAtTheTick() {
    QFETCH(QString, drawnBy);
    QFETCH(QTime, time);
    QFETCH(QColor, colour);
    ClockWindowFixture f;
    const QDateTime at(QDate(2026, 12, 8), time);
    if (drawnBy == QLatin1String("start-up")) {
        f.clock.set(at);
        QVERIFY(f.load());
        QCOMPARE(frameColourOf(*f.form), colour);
        return;
    }
    QVERIFY(f.load());
    if (drawnBy == QLatin1String("tick")) {
        f.clock.set(at);
        f.form->tick();
        QCOMPARE(frameColourOf(*f.form), colour);
        return;
    }
    if (drawnBy == QLatin1String("shown")) {
        // Hidden, as behind the planner, the face waits for no second; shown
        // again, it shows the current one before any tick.
        f.form->hide();
        QVERIFY(!f.form->secondTimer().isActive());
        f.clock.set(at);
        f.form->show();
        QCOMPARE(frameColourOf(*f.form), colour);
        QVERIFY(f.form->secondTimer().isActive());
        return;
    }
    f.form->Timer1->stop();
    f.clock.set(at);
    QTRY_COMPARE(frameColourOf(*f.form), colour);
    QCOMPARE(f.form->Picture1->printed().back().text, Form1::timeOfDayText(time));
}

void TestClockTick::drawsTheTimeCentredInASerifFace() {
    ClockWindowFixture f;
    QVERIFY(f.load());
    f.clock.set(QDateTime(QDate(2026, 12, 8), QTime(17, 6, 59)));
    f.form->tick();
    PictureBox* face = f.form->Picture1;
    QCOMPARE(face->printed().size(), std::size_t(1));
    const PictureBox::Printed& shown = face->printed().front();
    const QString text = Form1::timeOfDayText(QTime(17, 6, 59));
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.color, QColor(255, 255, 128));
    QCOMPARE(shown.font.pointSizeF(), 30.0);
    // The design's "timesnewroman" resolves to a serif face.
    const QString family = QFontInfo(shown.font).family();
    QVERIFY2(family.contains(QLatin1String("Serif")) || family.contains(QLatin1String("Times")) ||
                 family == QLatin1String("Tinos"),
             qPrintable(family));
    // Half the box less twice the text, measured in the window's own font.
    const QFont windowFont = f.form->font();
    QCOMPARE(shown.at.x(), 5532 / 2.0 - 2 * PictureBox::textWidth(text, windowFont));
    QCOMPARE(shown.at.y(), 1692 / 2.0 - 2 * PictureBox::textHeight(text, windowFont));
    // And the widest time of the day stays inside the frame (1080 to 4800).
    const QString widest = Form1::timeOfDayText(QTime(12, 59, 59));
    const double left = 5532 / 2.0 - 2 * PictureBox::textWidth(widest, windowFont);
    QVERIFY2(left > 1080 && left + PictureBox::textWidth(widest, shown.font) < 4800,
             qPrintable(QStringLiteral("%1 from %2 twips").arg(widest).arg(left)));
}

void TestClockTick::captionPerSize_data() {
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("appToday");
    QTest::addColumn<QString>("caption");
    QTest::newRow("normal") << "normal" << false << " 8 December, 2026";
    QTest::newRow("normal, app today") << "normal" << true << " 8 December, 2026. APP TODAY";
    QTest::newRow("small") << "small" << false << " 8 December";
    QTest::newRow("small, app today") << "small" << true << " 8 December. APP TODAY";
    QTest::newRow("compact") << "compact" << false << " 8 December";
    QTest::newRow("compact, app today") << "compact" << true << " 8 December. APP TODAY";
}

void TestClockTick::captionPerSize() {
    QFETCH(QString, size);
    QFETCH(bool, appToday);
    QFETCH(QString, caption);
    ClockWindowFixture f;
    QVERIFY(f.folder.exec(
        QStringLiteral("INSERT INTO clockini VALUES (0, 0, '%1', 'None')").arg(size)));
    QVERIFY(f.load());
    QCOMPARE(f.form->windowTitle(), QString());  // start-up leaves it empty
    f.app.appToday = appToday;
    f.form->tick();
    QCOMPARE(f.form->windowTitle(), caption);
}

void TestClockTick::helpFlagEveryTick_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("helpOn");
    QTest::newRow("shipped F") << "" << true;
    QTest::newRow("U is off") << "UPDATE signal SET f6 = 'U'" << false;
    QTest::newRow("lower-case f is off") << "UPDATE signal SET f6 = 'f'" << false;
    QTest::newRow("empty table counts as on") << "DELETE FROM signal" << true;
    QTest::newRow("null column is off") << "UPDATE signal SET f6 = NULL" << false;
}

void TestClockTick::helpFlagEveryTick() {
    QFETCH(QString, sql);
    QFETCH(bool, helpOn);
    ClockWindowFixture f;
    if (!sql.isEmpty()) QVERIFY(f.folder.exec(sql));
    QVERIFY(f.load());
    for (int i = 0; i < 3; ++i) {
        f.form->helpOn = !helpOn;  // whatever it was, the tick reads it again
        f.form->tick();
        QCOMPARE(f.form->helpOn, helpOn);
    }
}

void TestClockTick::helpFollowsTheStoredFlagBetweenTicks() {
    ClockWindowFixture f;
    QVERIFY(f.load());
    f.form->tick();
    QVERIFY(f.form->helpOn);
    // "Disable help" in the help window writes the flag through its own record set.
    QVERIFY(f.app.plannerDb);
    auto signal = f.app.openSignal();
    settings::setHelpOff(*signal);
    f.form->tick();
    QVERIFY(!f.form->helpOn);
}

void TestClockTick::dailyCheckOnceAfterStartAndAfterMidnight() {
    ClockWindowFixture f;
    f.clock.set(QDateTime(QDate(2026, 12, 8), QTime(23, 58, 0)));
    QVERIFY(f.load());
    QCOMPARE(f.form->clockTick().dailyChecksRun(), 0);  // not in the load step
    f.form->tick();
    QCOMPARE(f.form->clockTick().dailyChecksRun(), 1);
    // Ticks every 900 ms up to midnight: no further check.
    while (f.clock.now().date() == QDate(2026, 12, 8)) {
        f.clock.advanceMs(900);
        if (f.clock.now().date() != QDate(2026, 12, 8)) break;
        f.form->tick();
    }
    QCOMPARE(f.form->clockTick().dailyChecksRun(), 1);
    // The first tick of the new day runs it, and ticks through the rest of
    // that day (one every 45 s, both parities) do not.
    f.form->tick();
    QCOMPARE(f.form->clockTick().dailyChecksRun(), 2);
    for (int i = 0; i < 1900; ++i) {
        f.clock.advanceMs(45000);
        f.form->tick();
    }
    QCOMPARE(f.clock.now().date(), QDate(2026, 12, 9));
    QCOMPARE(f.form->clockTick().dailyChecksRun(), 2);
    while (f.clock.now().date() == QDate(2026, 12, 9)) f.clock.advanceMs(900);
    f.form->tick();
    QCOMPARE(f.form->clockTick().dailyChecksRun(), 3);
}

void TestClockTick::nothingDrawnWhileTheViewerIsOpen() {
    ClockWindowFixture f;
    QVERIFY(f.load());
    f.form->tick();
    const QColor before = frameColourOf(*f.form);
    const auto printedBefore = f.form->Picture1->printed();
    QCOMPARE(printedBefore.size(), std::size_t(1));

    f.form->viewerOpen = true;
    f.clock.set(QDateTime(QDate(2026, 12, 9), QTime(6, 0, 0)));
    f.form->tick();
    // Neither cleared nor drawn, the frame keeps its colour...
    QCOMPARE(f.form->Picture1->printed().size(), std::size_t(1));
    QCOMPARE(f.form->Picture1->printed().front().text, printedBefore.front().text);
    QCOMPARE(frameColourOf(*f.form), before);
    // ...but the steps after the drawing still run.
    QCOMPARE(f.form->windowTitle(), QStringLiteral(" 9 December, 2026"));
    QCOMPARE(f.form->clockTick().dailyChecksRun(), 2);

    // The face drawn, then cleared by the viewer and given back within the
    // same second: the next tick draws the time again.
    f.form->viewerOpen = false;
    f.form->tick();
    f.form->viewerOpen = true;
    f.form->Picture1->cls();
    f.form->viewerOpen = false;
    f.form->tick();
    QCOMPARE(f.form->Picture1->printed().size(), std::size_t(1));
    QCOMPARE(frameColourOf(*f.form), QColor(125, 0, 0));
}

void TestClockTick::timeNotPrintedInTheViewerLayout() {
    ClockWindowFixture f;
    QVERIFY(f.load());
    f.form->doipt = true;
    f.clock.set(QDateTime(QDate(2026, 12, 8), QTime(6, 0, 0)));
    f.form->tick();
    QVERIFY(f.form->Picture1->printed().empty());  // cleared, nothing printed
    QCOMPARE(frameColourOf(*f.form), QColor(125, 0, 0));
    QCOMPARE(f.form->windowTitle(), QStringLiteral(" 8 December, 2026"));
}

void TestClockTick::facePlacedAtTopLeftUnlessFullScreen() {
    ClockWindowFixture f;
    QVERIFY(f.load());
    twips::move(f.form->Picture1, 600, 300);
    f.form->tick();
    QCOMPARE(twips::left(f.form->Picture1), 0.0);
    QCOMPARE(twips::top(f.form->Picture1), 0.0);
    // Read without making the viewer's controls.
    QVERIFY(!f.form->viewerControlsMade());
    f.form->makeViewerControls();
    f.form->Check3->setChecked(true);
    twips::move(f.form->Picture1, 600, 300);
    f.form->tick();
    QCOMPARE(twips::left(f.form->Picture1), 600.0);
    QCOMPARE(twips::top(f.form->Picture1), 300.0);
}

QTEST_MAIN(TestClockTick)
#include "tst_clocktick.moc"
