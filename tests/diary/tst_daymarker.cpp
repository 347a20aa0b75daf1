#include <QComboBox>
#include <QFile>
#include <QtTest>

#include "diary/CalendarGrid.h"
#include "diary/CalendarLabel.h"
#include "diary/DayMarker.h"
#include "scheduler/Form2.h"
#include "support/PlannerFixture.h"

// The marks of days with diary files (blue) and appointments (green), on
// December 2026, which starts on a Tuesday: day d is in cell d + 1, and the
// Sundays are 6, 13, 20 and 27.
class TestDayMarker : public QObject {
    Q_OBJECT
private slots:
    void marks_data();
    void marks();
    void deletedDiaryFileTurnsBack();
    void tickFollowsTheTable();
    void badRecordsMarkNothing();
};

void TestDayMarker::marks_data() {
    QTest::addColumn<QStringList>("diaryFiles");
    QTest::addColumn<QStringList>("appointments");  // "day|month|year" each
    QTest::addColumn<int>("day");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("bold");
    const QColor blue = DayMarker::kDiary, green = DayMarker::kSchedule;
    const QColor red = DayMarker::kSunday, black = DayMarker::kPlain;
    QTest::newRow("Sunday with a diary file")
        << QStringList{"6-December-2026.rtf"} << QStringList{} << 6 << blue << true;
    QTest::newRow("Sunday with an appointment")
        << QStringList{} << QStringList{"13|December|2026"} << 13 << green << true;
    QTest::newRow("both: green wins") << QStringList{"15-December-2026.rtf"}
                                      << QStringList{"15|December|2026"} << 15 << green << true;
    QTest::newRow("other month, same day")
        << QStringList{"15-November-2026.rtf"} << QStringList{"15|November|2026"} << 15 << black
        << false;
    QTest::newRow("other year, same day")
        << QStringList{} << QStringList{"20|December|2025"} << 20 << red << false;
    QTest::newRow("stored day with a leading zero")
        << QStringList{} << QStringList{"05|December|2026"} << 5 << green << true;
    QTest::newRow("stored month with blanks")
        << QStringList{} << QStringList{"9| December |2026"} << 9 << green << true;
    QTest::newRow("month in lower case")
        << QStringList{} << QStringList{"9|december|2026"} << 9 << black << false;
    QTest::newRow("diary name with a leading zero")
        << QStringList{"05-December-2026.rtf"} << QStringList{} << 5 << black << false;
    QTest::newRow("day the month lacks")
        << QStringList{} << QStringList{"32|December|2026"} << 31 << black << false;
    QTest::newRow("diary file on the 31st")
        << QStringList{"31-December-2026.rtf"} << QStringList{} << 31 << blue << true;
}

void TestDayMarker::marks() {
    QFETCH(QStringList, diaryFiles);
    QFETCH(QStringList, appointments);
    QFETCH(int, day);
    QFETCH(QColor, colour);
    QFETCH(bool, bold);
    PlannerFixture p;
    for (const QString& name : diaryFiles) p.folder.touch(name);
    for (const QString& a : appointments) {
        const QStringList parts = a.split('|');
        QVERIFY(p.addAppointment(parts[0], parts[1], parts[2]));
    }
    QVERIFY(p.load());
    const CalendarLabel* cell = p.form->dayCell(day + 1);
    QCOMPARE(cell->text(), QString::number(day));
    QCOMPARE(cell->textColor(), colour);
    QCOMPARE(cell->isBold(), bold);
    // Nothing else is marked, and no message was shown.
    for (int k = 0; k < 42; ++k) {
        if (k == day + 1) continue;
        QVERIFY2(!p.form->dayCell(k)->isBold(), qPrintable(QString::number(k)));
    }
    QVERIFY(p.dialogs.messages.isEmpty());
}

void TestDayMarker::deletedDiaryFileTurnsBack() {
    PlannerFixture p;
    p.folder.touch("13-December-2026.rtf");
    QVERIFY(p.load());
    CalendarLabel* sunday = p.form->dayCell(14);
    QCOMPARE(sunday->textColor(), DayMarker::kDiary);
    QVERIFY(QFile::remove(p.folder.file("13-December-2026.rtf")));
    p.form->markDays();
    QCOMPARE(sunday->textColor(), DayMarker::kSunday);
    QVERIFY(!sunday->isBold());
    // And a file written a moment ago is seen on the next run.
    p.folder.touch("10-December-2026.rtf");
    p.form->markDays();
    QCOMPARE(p.form->dayCell(11)->textColor(), DayMarker::kDiary);
}

void TestDayMarker::tickFollowsTheTable() {
    PlannerFixture p;
    QVERIFY(p.load());
    CalendarLabel* cell = p.form->dayCell(22);  // Monday 21
    QCOMPARE(cell->textColor(), DayMarker::kPlain);
    // Written by another connection, as the clock window's handles are.
    QVERIFY(p.addAppointment("21", "December", "2026"));
    p.form->on_Timer1_timeout();
    QCOMPARE(cell->textColor(), DayMarker::kSchedule);
    QVERIFY(cell->isBold());
    QVERIFY(p.folder.exec("DELETE FROM scheduler"));
    p.form->on_Timer1_timeout();
    QCOMPARE(cell->textColor(), DayMarker::kPlain);
    QVERIFY(!cell->isBold());
}

void TestDayMarker::badRecordsMarkNothing() {
    PlannerFixture p;
    // Records that cannot be read as dates, before one that can.
    QVERIFY(p.folder.exec(
        "INSERT INTO scheduler VALUES (NULL, 'December', '2026', NULL, NULL, NULL, NULL);"
        "INSERT INTO scheduler VALUES ('', 'December', '2026', '', '', '', '');"
        "INSERT INTO scheduler VALUES ('x', 'December', '2026', 'x', 'x', 'x', 'x');"
        "INSERT INTO scheduler VALUES ('7', NULL, '2026', '1', 1, 'AM', '');"
        "INSERT INTO scheduler VALUES ('7', 'December', NULL, '1', 1, 'AM', '');"
        "INSERT INTO scheduler VALUES ('3', 'December', '2026', '05', 7, 'PM', 'ok');"));
    QVERIFY(p.load());
    for (int k = 0; k < 42; ++k) {
        const CalendarLabel* cell = p.form->dayCell(k);
        const bool marked = cell->text() == "3";
        QCOMPARE(cell->isBold(), marked);
        if (cell->text().isEmpty()) QVERIFY(!cell->isBold());
    }
    QCOMPARE(p.form->dayCell(4)->textColor(), DayMarker::kSchedule);
    QVERIFY(p.dialogs.messages.isEmpty());
}

QTEST_MAIN(TestDayMarker)
#include "tst_daymarker.moc"
