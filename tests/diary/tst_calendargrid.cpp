#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QtTest>

#include "diary/CalendarGrid.h"
#include "diary/CalendarLabel.h"
#include "diary/DayMarker.h"
#include "scheduler/Form2.h"
#include "support/PlannerFixture.h"

// The month grid of the planner window: layout, selectors and the press of
// a day cell.
class TestCalendarGrid : public QObject {
    Q_OBJECT
private slots:
    void opensOnToday();
    void layout_data();
    void layout();
    void plainColoursAfterRedraw();
    void dayKeptWhenMonthIsShorter();
    void yearNotANumberChangesNothing_data();
    void yearNotANumberChangesNothing();
    void typedYearIsWrittenByValue();
    void monthThatIsNoMonth();
    void press_data();
    void press();
};

void TestCalendarGrid::opensOnToday() {
    PlannerFixture p(QDateTime(QDate(2026, 12, 8), QTime(17, 6, 58)));
    QVERIFY(p.load());
    const DateTexts date = p.form->calendar().selectedDate();
    QCOMPARE(date.day, QString("8"));
    QCOMPARE(date.month, QString("December"));
    QCOMPARE(date.year, QString("2026"));
    QCOMPARE(p.form->Combo1->count(), 31);
    QCOMPARE(p.form->Combo2->count(), 12);
    QCOMPARE(p.form->Combo3->count(), 71);
    QCOMPARE(p.form->Combo3->itemText(0), QString("1980"));
    QCOMPARE(p.form->Combo3->itemText(70), QString("2050"));
    // 1 December 2026 is a Tuesday.
    QCOMPARE(p.form->label(10)->text(), QString("1"));
}

void TestCalendarGrid::layout_data() {
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("firstLabel");  // the label that shows "1"
    QTest::addColumn<int>("days");
    QTest::newRow("January 1980 starts on Tuesday") << "January"
                                                    << "1980" << 10 << 31;
    QTest::newRow("February 1980 starts on Friday") << "February"
                                                    << "1980" << 13 << 29;
    QTest::newRow("February 2000") << "February"
                                   << "2000" << 10 << 29;
    QTest::newRow("February 2001") << "February"
                                   << "2001" << 12 << 28;
    QTest::newRow("31 days from Saturday") << "January"
                                           << "2028" << 14 << 31;
    QTest::newRow("February 2015 fills four rows") << "February"
                                                   << "2015" << 8 << 28;
    QTest::newRow("December 2050") << "December"
                                   << "2050" << 12 << 31;
}

void TestCalendarGrid::layout() {
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(int, firstLabel);
    QFETCH(int, days);
    PlannerFixture p;
    QVERIFY(p.load());
    p.showMonth(month, year);
    QStringList expected;
    for (int number = 8; number <= 49; ++number) {
        const int day = number - firstLabel + 1;
        expected << (day >= 1 && day <= days ? QString::number(day) : QString());
    }
    QCOMPARE(p.captions(), expected);
    QCOMPARE(p.form->calendar().daysInMonth(), days);
    QCOMPARE(p.form->Combo1->count(), days);
    // No month reaches the last five cells.
    for (int number = 45; number <= 49; ++number) QVERIFY(p.form->label(number)->text().isEmpty());
}

void TestCalendarGrid::plainColoursAfterRedraw() {
    PlannerFixture p;
    QVERIFY(p.load());
    // Marks of one month must not stay on the cells in the next.
    QVERIFY(p.addAppointment("3", "March", "2026"));
    p.folder.touch("4-March-2026.rtf");
    p.showMonth("March", "2026");
    QVERIFY(p.form->dayCell(2)->isBold());
    p.showMonth("April", "2026");
    for (int k = 0; k < 42; ++k) {
        const CalendarLabel* cell = p.form->dayCell(k);
        QCOMPARE(cell->textColor(), k % 7 == 0 ? DayMarker::kSunday : DayMarker::kPlain);
        QVERIFY(!cell->isBold());
    }
}

void TestCalendarGrid::dayKeptWhenMonthIsShorter() {
    PlannerFixture p;
    QVERIFY(p.load());
    p.showMonth("January", "2026");
    p.form->Combo1->setEditText("31");
    p.form->Combo2->setEditText("February");
    QCOMPARE(p.form->Combo1->currentText(), QString("31"));
    QCOMPARE(p.form->Combo1->count(), 28);
    QCOMPARE(p.form->Combo1->itemText(27), QString("28"));
    QCOMPARE(p.form->calendar().diaryPath(), p.folder.path() + "31-February-2026.rtf");
}

void TestCalendarGrid::yearNotANumberChangesNothing_data() {
    QTest::addColumn<QString>("year");
    QTest::newRow("empty") << "";
    QTest::newRow("letters") << "abc";
    QTest::newRow("half typed") << "20x";
    QTest::newRow("beyond 16 bits") << "40000";
}

void TestCalendarGrid::yearNotANumberChangesNothing() {
    QFETCH(QString, year);
    PlannerFixture p;
    QVERIFY(p.load());
    p.showMonth("February", "2024");
    const QStringList before = p.captions();
    p.form->Combo3->setEditText(year);
    QCOMPARE(p.captions(), before);
    QCOMPARE(p.form->Combo3->currentText(), year);
    QCOMPARE(p.form->Combo1->count(), 29);
    QCOMPARE(p.form->Combo3->count(), 71);
    // Once it is a number again the month follows.
    p.form->Combo3->setEditText("2025");
    QCOMPARE(p.form->Combo1->count(), 28);
}

void TestCalendarGrid::typedYearIsWrittenByValue() {
    PlannerFixture p;
    QVERIFY(p.load());
    p.form->Combo3->setEditText(" 2028 ");
    QCOMPARE(p.form->Combo3->currentText(), QString("2028"));
    // A year outside the list is drawn by the same arithmetic; before 1980
    // the weekday can be unfound and the grid stays empty.
    p.showMonth("January", "1979");
    QCOMPARE(p.captions(), QStringList(42, QString()));
}

void TestCalendarGrid::monthThatIsNoMonth() {
    PlannerFixture p;
    QVERIFY(p.load());
    p.showMonth("Smarch", "1980");
    QCOMPARE(p.form->Combo2->currentText(), QString("Smarch"));
    QCOMPARE(p.form->Combo1->count(), 30);
    // 30 days from the weekday of 1 January 1980, a Tuesday.
    QCOMPARE(p.form->label(10)->text(), QString("1"));
    QCOMPARE(p.form->label(39)->text(), QString("30"));
    QCOMPARE(p.form->label(40)->text(), QString());
}

void TestCalendarGrid::press_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("menuShown");
    QTest::addColumn<QString>("dayAfter");
    QTest::addColumn<bool>("displayWhenShown");
    QTest::addColumn<bool>("veaWhenShown");
    // December 2026 starts on Tuesday, so cell k holds day k - 1: cell 0 is
    // empty, cell 5 is Friday 4 (a diary file), cell 15 Monday 14 (an
    // appointment), cell 10 Wednesday 9 (neither).
    QTest::newRow("empty cell") << 0 << 1 << false << "8" << false << false;
    QTest::newRow("diary day, left") << 5 << 1 << true << "4" << true << false;
    QTest::newRow("diary day, right") << 5 << 2 << true << "4" << true << false;
    QTest::newRow("diary day, middle") << 5 << 4 << false << "4" << false << false;
    QTest::newRow("appointment day") << 15 << 1 << true << "14" << false << true;
    QTest::newRow("plain day") << 10 << 1 << true << "9" << false << false;
}

void TestCalendarGrid::press() {
    QFETCH(int, cell);
    QFETCH(int, button);
    QFETCH(bool, menuShown);
    QFETCH(QString, dayAfter);
    QFETCH(bool, displayWhenShown);
    QFETCH(bool, veaWhenShown);
    PlannerFixture p;
    p.folder.touch("4-December-2026.rtf");
    QVERIFY(p.addAppointment("14", "December", "2026"));
    QVERIFY(p.load());

    CalendarLabel* label = p.form->dayCell(cell);
    const Qt::MouseButton mouse = button == 1   ? Qt::LeftButton
                                  : button == 2 ? Qt::RightButton
                                                : Qt::MiddleButton;
    QTest::mousePress(label, mouse);

    QCOMPARE(p.form->Combo1->currentText(), dayAfter);
    QCOMPARE(p.shownMenus.size(), menuShown ? 1 : 0);
    if (menuShown) {
        QCOMPARE(p.shownMenus[0], p.form->menus.all);
        QCOMPARE(p.enabledWhenShown[0].value("display"), displayWhenShown);
        QCOMPARE(p.enabledWhenShown[0].value("vea"), veaWhenShown);
    }
    QVERIFY(!p.form->menus.display->isEnabled());
}

QTEST_MAIN(TestCalendarGrid)
#include "tst_calendargrid.moc"
