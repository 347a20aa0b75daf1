#include <QtTest>

#include "Database.h"
#include "WriteBatch.h"
#include "support/TestFolder.h"

// Scans over a record set while the table changes under them: the cursor
// steps on from where it stands, whatever was added or deleted meanwhile.
class TestRecordSetScan : public QObject {
    Q_OBJECT
private slots:
    void changesDuringAScan_data();
    void changesDuringAScan();
    void otherConnectionsSeenAtTheNextScan();
    void equalTextsStaySeparateRecords();
};

namespace {
// Fills the table with records whose day column is 1 .. n.
bool fill(const TestFolder& folder, int n) {
    QString sql;
    for (int i = 1; i <= n; ++i)
        sql += QStringLiteral(
                   "INSERT INTO scheduler VALUES ('%1', 'December', '2026', '05', 7, "
                   "'PM', 't');")
                   .arg(i);
    return folder.exec(sql);
}
}  // namespace

void TestRecordSetScan::changesDuringAScan_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("seen");       // days the scan reads, in order
    QTest::addColumn<QString>("remaining");  // days left in the table
    QTest::addColumn<QString>("batch");      // the scan's writes in one batch: "", "commit", "drop"
    QTest::newRow("nothing") << "none"
                             << "1 2 3 4 5"
                             << "1 2 3 4 5" << "";
    QTest::newRow("delete each even day as it is read") << "delete-even"
                                                        << "1 2 3 4 5"
                                                        << "1 3 5" << "";
    QTest::newRow("another cursor deletes the next record") << "delete-next"
                                                            << "1 3 5"
                                                            << "1 3 5" << "";
    QTest::newRow("another cursor appends at 3") << "append"
                                                 << "1 2 3 4 5 9"
                                                 << "1 2 3 4 5 9" << "";
    QTest::newRow("even days deleted in one batch") << "delete-even"
                                                    << "1 2 3 4 5"
                                                    << "1 3 5" << "commit";
    QTest::newRow("next records deleted in one batch") << "delete-next"
                                                       << "1 3 5"
                                                       << "1 3 5" << "commit";
    QTest::newRow("a batch never committed leaves all") << "delete-even"
                                                        << "1 2 3 4 5"
                                                        << "1 2 3 4 5" << "drop";
}

void TestRecordSetScan::changesDuringAScan() {
    QFETCH(QString, change);
    QFETCH(QString, seen);
    QFETCH(QString, remaining);
    QFETCH(QString, batch);
    TestFolder folder;
    QVERIFY(fill(folder, 5));
    auto app = folder.openContext();
    QVERIFY(app);
    RecordSet& scan = *app->scheduleRecords;
    auto other = app->plannerDb->openRecordSet(QStringLiteral("scheduler"));
    auto writes = batch.isEmpty() ? nullptr : std::make_unique<WriteBatch>(*app->plannerDb);
    QStringList read;
    for (bool ok = scan.moveFirst(); ok && !scan.atEnd(); ok = scan.moveNext()) {
        const QString day = scan.text(0);
        QCOMPARE(scan.record().value(0), scan.field(0));
        read << day;
        const int d = day.toInt();
        if (change == "delete-even" && d % 2 == 0) QVERIFY(scan.remove());
        if (change == "delete-next" && d % 2 == 1) {
            // Deletes the record after the current one through the other cursor.
            for (bool o = other->moveFirst(); o && !other->atEnd(); o = other->moveNext()) {
                if (other->text(0).toInt() == d + 1) {
                    QVERIFY(other->remove());
                    break;
                }
            }
        }
        if (change == "append" && d == 3) {
            QVERIFY(other->addNew());
            QVERIFY(other->setField(0, "9"));
            QVERIFY(other->update());
        }
    }
    QCOMPARE(read.join(' '), seen);
    if (batch == "commit") QVERIFY(writes->commit());
    writes.reset();
    QStringList left;
    for (bool ok = scan.moveFirst(); ok && !scan.atEnd(); ok = scan.moveNext())
        left << scan.text(0);
    QCOMPARE(left.join(' '), remaining);
    // The file holds what the copy shows, with no transaction left open.
    QCOMPARE(folder.query(QStringLiteral("SELECT sday FROM scheduler ORDER BY rowid")).join(' '),
             remaining);
}

void TestRecordSetScan::otherConnectionsSeenAtTheNextScan() {
    TestFolder folder;
    QVERIFY(fill(folder, 2));
    auto app = folder.openContext();
    QVERIFY(app);
    RecordSet& records = *app->scheduleRecords;
    int count = 0;
    for (bool ok = records.moveFirst(); ok && !records.atEnd(); ok = records.moveNext()) ++count;
    QCOMPARE(count, 2);
    QVERIFY(
        folder.exec("DELETE FROM scheduler WHERE sday = '1'; "
                    "INSERT INTO scheduler VALUES ('7', 'May', '2027', '1', 1, 'AM', '');"));
    QStringList days;
    for (bool ok = records.moveFirst(); ok && !records.atEnd(); ok = records.moveNext())
        days << records.text(0);
    QCOMPARE(days, (QStringList{"2", "7"}));
}

void TestRecordSetScan::equalTextsStaySeparateRecords() {
    // Records read with the same texts must still change one at a time.
    TestFolder folder;
    QVERIFY(fill(folder, 3));
    auto app = folder.openContext();
    QVERIFY(app);
    RecordSet& records = *app->scheduleRecords;
    QVERIFY(records.moveFirst());
    QVERIFY(records.moveNext());
    QVERIFY(records.edit());
    QVERIFY(records.setField(1, "January"));
    QVERIFY(records.update());
    QStringList months;
    for (bool ok = records.moveFirst(); ok && !records.atEnd(); ok = records.moveNext())
        months << records.text(1);
    QCOMPARE(months, (QStringList{"December", "January", "December"}));
}

QTEST_MAIN(TestRecordSetScan)
#include "tst_recordsetscan.moc"
