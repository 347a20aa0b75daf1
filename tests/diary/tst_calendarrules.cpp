#include <QtTest>

#include "diary/CalendarGrid.h"

// The calendar's arithmetic, checked against the real calendar.
class TestCalendarRules : public QObject {
    Q_OBJECT
private slots:
    void daysOfMonth_data();
    void daysOfMonth();
    void agreesWithRealCalendar();
    void weekdayOutsideTheList_data();
    void weekdayOutsideTheList();
    void keyboardSteps_data();
    void keyboardSteps();
};

void TestCalendarRules::daysOfMonth_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("days");
    QTest::newRow("February 1980") << 2 << 1980 << 29;
    QTest::newRow("February 2000") << 2 << 2000 << 29;
    QTest::newRow("February 2001") << 2 << 2001 << 28;
    QTest::newRow("February 2100, no century rule") << 2 << 2100 << 29;
    QTest::newRow("April") << 4 << 2026 << 30;
    QTest::newRow("July") << 7 << 2026 << 31;
    QTest::newRow("August") << 8 << 2026 << 31;
    QTest::newRow("no month") << 0 << 2026 << 30;
}

void TestCalendarRules::daysOfMonth() {
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(int, days);
    QCOMPARE(calendar::daysOfMonth(month, year), days);
}

void TestCalendarRules::agreesWithRealCalendar() {
    // Every month the year selector offers.
    for (int year = 1980; year <= 2050; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const QDate first(year, month, 1);
            const int column = first.dayOfWeek() % 7;  // Sunday 0 .. Saturday 6
            QVERIFY2(calendar::columnOf(calendar::firstWeekday(year, month)) == column,
                     qPrintable(first.toString(Qt::ISODate)));
            QVERIFY2(calendar::daysOfMonth(month, year) == first.daysInMonth(),
                     qPrintable(first.toString(Qt::ISODate)));
        }
    }
}

void TestCalendarRules::weekdayOutsideTheList_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("column");
    // Years before 1980 can leave the count outside a week: no weekday.
    QTest::newRow("January 1979") << 1979 << 1 << -1;
    QTest::newRow("January 1975") << 1975 << 1 << -1;
    QTest::newRow("year 0") << 0 << 6 << -1;
    // A month that is no month name is drawn from the weekday of 1 January.
    QTest::newRow("no month in 1980") << 1980 << 0 << 2;
}

void TestCalendarRules::weekdayOutsideTheList() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, column);
    QCOMPARE(calendar::columnOf(calendar::firstWeekday(year, month)), column);
}

// The steps the calendar's keys take: across the ends of months and years,
// and no further than the years the selector offers.
void TestCalendarRules::keyboardSteps_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("months");
    QTest::addColumn<QString>("to");
    QTest::newRow("next day") << "2026-12-08" << 1 << 0 << "2026-12-09";
    QTest::newRow("a week back into November") << "2026-12-03" << -7 << 0 << "2026-11-26";
    QTest::newRow("into the next year") << "2026-12-31" << 1 << 0 << "2027-01-01";
    QTest::newRow("1 March back to 29 February") << "2024-03-01" << -1 << 0 << "2024-02-29";
    QTest::newRow("a month on from 31 January") << "2026-01-31" << 0 << 1 << "2026-02-28";
    QTest::newRow("a month back from 31 March, leap year") << "2028-03-31" << 0 << -1 << "2028-02-29";
    QTest::newRow("a month back into the year before") << "2026-01-15" << 0 << -1 << "2025-12-15";
    QTest::newRow("before the first year") << "1980-01-01" << -1 << 0 << "";
    QTest::newRow("after the last year") << "2050-12-31" << 0 << 1 << "";
    QTest::newRow("a day that is no date") << "2026-02-30" << 1 << 0 << "";
}

void TestCalendarRules::keyboardSteps() {
    QFETCH(QString, from);
    QFETCH(int, days);
    QFETCH(int, months);
    QFETCH(QString, to);
    const QStringList parts = from.split(QLatin1Char('-'));
    const calendar::Day start{parts[2].toInt(), parts[1].toInt(), parts[0].toInt()};
    const std::optional<calendar::Day> result =
        months ? calendar::addMonths(start, months) : calendar::addDays(start, days);
    const QString got = result ? QDate(int(result->year), result->month, result->day).toString(Qt::ISODate)
                               : QString();
    QCOMPARE(got, to);
}

QTEST_MAIN(TestCalendarRules)
#include "tst_calendarrules.moc"
