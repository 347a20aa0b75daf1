// The clock's pure rules: the frame colour, the caption, the time-row texts,
// the composed time that "S E T" reads, and the once-a-day gate.
#include <QtTest>

#include "clock/ClockRules.h"
#include "clock/DailyCheckGate.h"
#include "clock/Form1.h"

class TestClockRules : public QObject {
    Q_OBJECT
private slots:
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void frameColour_data();
    void frameColour();
    void caption_data();
    void caption();
    void timeRowTexts_data();
    void timeRowTexts();
    void readsComposedTime_data();
    void readsComposedTime();
    void dailyGate_data();
    void dailyGate();
    void timeOfDayText_data();
    void timeOfDayText();
};

void TestClockRules::roundsHalvesToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("0.5 down to 0") << 0.5 << 0;
    QTest::newRow("1.5 up to 2") << 1.5 << 2;
    QTest::newRow("2.5 down to 2") << 2.5 << 2;
    QTest::newRow("62.5 down to 62") << 62.5 << 62;
    QTest::newRow("187.5 up to 188") << 187.5 << 188;
    QTest::newRow("below a half") << 4.2372 << 4;
    QTest::newRow("above a half") << 20.8334 << 21;
    QTest::newRow("whole") << 250.0 << 250;
}

void TestClockRules::roundsHalvesToEven() {
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(clockrules::roundHalfEven(value), long(rounded));
}

void TestClockRules::frameColour_data() {
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("second");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("12:59:59 is almost white") << 12 << 59 << 59 << QColor(250, 250, 250);
    QTest::newRow("6:00:00 is half red") << 6 << 0 << 0 << QColor(125, 0, 0);
    QTest::newRow("3 o'clock: 62.5 goes to the even 62") << 3 << 0 << 0 << QColor(62, 0, 0);
    QTest::newRow("9 o'clock: 187.5 goes to the even 188") << 9 << 0 << 0 << QColor(188, 0, 0);
    QTest::newRow("1:01:01") << 1 << 1 << 1 << QColor(21, 4, 4);
    QTest::newRow("5:06:59 PM") << 5 << 6 << 59 << QColor(104, 25, 250);
    QTest::newRow("minute and second 30") << 12 << 30 << 30 << QColor(250, 127, 127);
}

void TestClockRules::frameColour() {
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, second);
    QFETCH(QColor, colour);
    QCOMPARE(clockrules::frameColour(hour, minute, second), colour);
}

void TestClockRules::caption_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("smallOrCompact");
    QTest::addColumn<bool>("appToday");
    QTest::addColumn<QString>("caption");
    const QDate dec8(2026, 12, 8);
    QTest::newRow("normal") << dec8 << false << false << " 8 December, 2026";
    QTest::newRow("normal, app today") << dec8 << false << true << " 8 December, 2026. APP TODAY";
    QTest::newRow("small or compact") << dec8 << true << false << " 8 December";
    QTest::newRow("small or compact, app today")
        << dec8 << true << true << " 8 December. APP TODAY";
    QTest::newRow("two-digit day, January")
        << QDate(2027, 1, 31) << false << false << " 31 January, 2027";
    QTest::newRow("leap day") << QDate(2028, 2, 29) << true << false << " 29 February";
}

void TestClockRules::caption() {
    QFETCH(QDate, date);
    QFETCH(bool, smallOrCompact);
    QFETCH(bool, appToday);
    QFETCH(QString, caption);
    QCOMPARE(clockrules::caption(date, smallOrCompact, appToday), caption);
}

void TestClockRules::timeRowTexts_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("hour 7") << "digits" << 7 << "07";
    QTest::newRow("hour 12") << "digits" << 12 << "12";
    QTest::newRow("minute 0") << "digits" << 0 << "00";
    QTest::newRow("minute 59") << "digits" << 59 << "59";
    QTest::newRow("1 is PM") << "ampm" << 1 << "PM";
    QTest::newRow("2 is AM") << "ampm" << 2 << "AM";
    QTest::newRow("outside the bar") << "ampm" << 3 << "";
}

void TestClockRules::timeRowTexts() {
    QFETCH(QString, kind);
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(kind == QLatin1String("digits") ? clockrules::twoDigits(value)
                                             : clockrules::ampmText(value),
             text);
}

void TestClockRules::readsComposedTime_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("time");  // null: not a time of day
    QTest::newRow("evening") << "07:45PM" << QTime(19, 45);
    QTest::newRow("morning") << "07:45AM" << QTime(7, 45);
    QTest::newRow("12 AM is midnight") << "12:00AM" << QTime(0, 0);
    QTest::newRow("12 PM is noon") << "12:30PM" << QTime(12, 30);
    QTest::newRow("blanks around the parts") << " 9 : 05 PM " << QTime(21, 5);
    QTest::newRow("designed hour 00") << " 00:00AM" << QTime();
    QTest::newRow("hour 13") << "13:00PM" << QTime();
    QTest::newRow("minute 60") << "07:60AM" << QTime();
    QTest::newRow("one-digit minute") << "7:5PM" << QTime();
    QTest::newRow("no AM or PM") << "07:45" << QTime();
    QTest::newRow("lower-case pm") << "07:45pm" << QTime();
    QTest::newRow("empty") << "" << QTime();
}

void TestClockRules::readsComposedTime() {
    QFETCH(QString, text);
    QFETCH(QTime, time);
    const std::optional<QTime> read = clockrules::readTwelveHourTime(text);
    if (time.isNull()) {
        QVERIFY2(!read, qPrintable(read ? read->toString() : QString()));
    } else {
        QVERIFY(read);
        QCOMPARE(*read, time);
    }
}

void TestClockRules::dailyGate_data() {
    // One tick per entry: its date, and whether the check runs then.
    QTest::addColumn<QList<QDate>>("ticks");
    QTest::addColumn<QList<bool>>("runs");
    const QDate d1(2026, 12, 8), d2(2026, 12, 9), d3(2026, 12, 10);
    QTest::newRow("first tick only")
        << QList<QDate>{d1, d1, d1, d1, d1} << QList<bool>{true, false, false, false, false};
    QTest::newRow("midnight on an odd tick")
        << QList<QDate>{d1, d1, d2, d2, d2} << QList<bool>{true, false, true, false, false};
    QTest::newRow("midnight on an even tick")
        << QList<QDate>{d1, d1, d1, d2, d2, d2}
        << QList<bool>{true, false, false, true, false, false};
    QTest::newRow("two midnights")
        << QList<QDate>{d1, d2, d2, d3, d3} << QList<bool>{true, true, false, true, false};
    QTest::newRow("clock set back a day")
        << QList<QDate>{d2, d2, d1, d1} << QList<bool>{true, false, true, false};
}

void TestClockRules::dailyGate() {
    QFETCH(QList<QDate>, ticks);
    QFETCH(QList<bool>, runs);
    DailyCheckGate gate;
    QList<bool> seen;
    for (const QDate& date : ticks) seen << gate.tick(date);
    QCOMPARE(seen, runs);
}

void TestClockRules::timeOfDayText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("United States, afternoon") << "en_US" << QTime(17, 6, 59) << "5:06:59 PM";
    QTest::newRow("United States, after midnight") << "en_US" << QTime(0, 5, 9) << "12:05:09 AM";
    QTest::newRow("C") << "C" << QTime(17, 6, 59) << "17:06:59";
    QTest::newRow("Germany") << "de_DE" << QTime(7, 6, 59) << "07:06:59";
    QTest::newRow("Britain") << "en_GB" << QTime(17, 6, 59) << "17:06:59";
}

void TestClockRules::timeOfDayText() {
    QFETCH(QString, locale);
    QFETCH(QTime, time);
    QFETCH(QString, text);
    // The seconds are there, the time-zone name is not.
    QCOMPARE(Form1::timeOfDayText(time, QLocale(locale)), text);
}

QTEST_MAIN(TestClockRules)
#include "tst_clockrules.moc"
