#include <QtTest>

#include "Database.h"
#include "scheduler/Appointment.h"
#include "support/TestFolder.h"

// The matching rules every reader of the appointment table follows.
class TestAppointment : public QObject {
    Q_OBJECT
private slots:
    void numberAgainstSelector_data();
    void numberAgainstSelector();
    void numberAgainstLabel_data();
    void numberAgainstLabel();
    void text_data();
    void text();
    void dateAndTime_data();
    void dateAndTime();
    void scanPassesBadRecords();
};

void TestAppointment::numberAgainstSelector_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<bool>("matches");
    QTest::newRow("stored leading zero") << QVariant("05") << "5" << true;
    QTest::newRow("typed leading zero") << QVariant("5") << "08" << false;
    QTest::newRow("both leading zero") << QVariant("08") << "08" << false;
    QTest::newRow("selector blanks") << QVariant("8") << " 8 " << true;
    QTest::newRow("stored blanks") << QVariant(" 8") << "8" << true;
    QTest::newRow("integer column") << QVariant(qlonglong(2026)) << "2026" << true;
    QTest::newRow("whole real") << QVariant(7.0) << "7" << true;
    QTest::newRow("fraction") << QVariant("7.5") << "7" << false;
    QTest::newRow("null, empty selector") << QVariant() << "" << false;
    QTest::newRow("empty, empty selector") << QVariant("") << "" << false;
    QTest::newRow("letters") << QVariant("abc") << "abc" << false;
    QTest::newRow("other number") << QVariant("9") << "8" << false;
}

void TestAppointment::numberAgainstSelector() {
    QFETCH(QVariant, stored);
    QFETCH(QString, selector);
    QFETCH(bool, matches);
    QCOMPARE(Appointment::numberMatchesText(stored, selector), matches);
}

void TestAppointment::numberAgainstLabel_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("matches");
    QTest::newRow("05 against 5") << QVariant("05") << "5" << true;
    QTest::newRow("5 against 05") << QVariant("5") << "05" << true;
    QTest::newRow("minute integer against 07") << QVariant(qlonglong(7)) << "07" << true;
    QTest::newRow("00 against 0") << QVariant("00") << "0" << true;
    QTest::newRow("null against 0") << QVariant() << "0" << false;
    QTest::newRow("letters against letters") << QVariant("x") << "x" << false;
    QTest::newRow("number against empty label") << QVariant("5") << "" << false;
    QTest::newRow("different") << QVariant("5") << "6" << false;
}

void TestAppointment::numberAgainstLabel() {
    QFETCH(QVariant, stored);
    QFETCH(QString, label);
    QFETCH(bool, matches);
    QCOMPARE(Appointment::numberMatchesNumber(stored, label), matches);
}

void TestAppointment::text_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("matches");
    QTest::newRow("same") << QVariant("December") << "December" << true;
    QTest::newRow("blanks on both sides") << QVariant(" December ") << "  December" << true;
    QTest::newRow("letter case") << QVariant("december") << "December" << false;
    QTest::newRow("prefix") << QVariant("Dec") << "December" << false;
    QTest::newRow("AM against PM") << QVariant("AM") << "PM" << false;
    QTest::newRow("null against empty") << QVariant() << "" << false;
    QTest::newRow("empty against blanks") << QVariant("") << "  " << true;
}

void TestAppointment::text() {
    QFETCH(QVariant, stored);
    QFETCH(QString, other);
    QFETCH(bool, matches);
    QCOMPARE(Appointment::textMatches(stored, other), matches);
}

void TestAppointment::dateAndTime_data() {
    QTest::addColumn<QStringList>("query");  // day, month, year, hour, minute, ampm
    QTest::addColumn<bool>("onDate");
    QTest::addColumn<bool>("atLabels");
    QTest::addColumn<bool>("atEntry");
    // The record is day "08", "December", "2026", hour "05", minute 7, "PM".
    QTest::newRow("as written by value")
        << QStringList{"8", "December", "2026", "5", "7", "PM"} << true << true << true;
    QTest::newRow("with leading zeros")
        << QStringList{"08", "December", "2026", "05", "07", "PM"} << false << true << false;
    QTest::newRow("other half of the day")
        << QStringList{"8", "December", "2026", "5", "7", "AM"} << true << false << false;
    QTest::newRow("other month") << QStringList{"8", "November", "2026", "5", "7", "PM"} << false
                                 << true << true;
    QTest::newRow("other year") << QStringList{"8", "December", "2027", "5", "8", "PM"} << false
                                << false << false;
}

void TestAppointment::dateAndTime() {
    QFETCH(QStringList, query);
    QFETCH(bool, onDate);
    QFETCH(bool, atLabels);
    QFETCH(bool, atEntry);
    Appointment a;
    a.day = QStringLiteral("08");
    a.month = QStringLiteral("December");
    a.year = QStringLiteral("2026");
    a.hour = QStringLiteral("05");
    a.minute = qlonglong(7);
    a.ampm = QStringLiteral("PM");
    QCOMPARE(a.isOn({query[0], query[1], query[2]}), onDate);
    QCOMPARE(a.isAtLabels(query[3], query[4], query[5]), atLabels);
    QCOMPARE(a.isAtEntry(query[3], query[4], query[5]), atEntry);
}

void TestAppointment::scanPassesBadRecords() {
    // Records with null, empty and wrong columns stand before the one sought;
    // the scan reads them all without failing and finds it.
    TestFolder folder;
    QVERIFY(folder.ok());
    QVERIFY(folder.exec(QStringLiteral(
        "INSERT INTO scheduler VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL);"
        "INSERT INTO scheduler VALUES ('', '', '', '', '', '', '');"
        "INSERT INTO scheduler VALUES ('x', 'December', 'two', 'y', 'z', 'PM', 'bad');"
        "INSERT INTO scheduler VALUES ('8', 'December', '2026', '05', 7, 'PM', 'Dentist');")));
    auto app = folder.openContext();
    QVERIFY(app);
    RecordSet& records = *app->scheduleRecords;
    QStringList found;
    int read = 0;
    for (bool ok = records.moveFirst(); ok && !records.atEnd(); ok = records.moveNext()) {
        ++read;
        const Appointment a = Appointment::current(records);
        if (a.isOn({"8", "December", "2026"}) && a.isAtLabels("05", "07", "PM"))
            found << a.textValue();
    }
    QCOMPARE(read, 4);
    QCOMPARE(found, QStringList{"Dentist"});
}

QTEST_MAIN(TestAppointment)
#include "tst_appointment.moc"
