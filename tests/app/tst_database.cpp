// The planner database as every handler uses it: scans in stored order,
// the end of an empty table, deleting while scanning, several record sets
// on one table, durable writes, and files that cannot be used.
#include <sqlite3.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "Database.h"
#include "support/TestFolder.h"

namespace {

QStringList scanTexts(RecordSet& rs, int column) {
    QStringList seen;
    rs.moveFirst();
    while (!rs.atEnd()) {
        seen << rs.text(column);
        rs.moveNext();
    }
    return seen;
}

void addAppointment(RecordSet& rs, const QString& day, const QString& text) {
    QVERIFY(rs.addNew());
    rs.setField(0, day);
    rs.setField(1, QStringLiteral("December"));
    rs.setField(2, QStringLiteral("2026"));
    rs.setField(3, QStringLiteral("05"));
    rs.setField(4, 7);
    rs.setField(5, QStringLiteral("PM"));
    rs.setField(6, text);
    QVERIFY(rs.update());
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void emptyTableIsAtEndAtOnce() {
        TestFolder folder;
        QVERIFY(folder.ok());
        auto ctx = folder.openContext();
        QVERIFY(ctx);
        RecordSet& rs = *ctx->scheduleRecords;
        QVERIFY(rs.atEnd());
        QVERIFY(!rs.moveFirst());
        QVERIFY(rs.atEnd());
        QVERIFY(rs.field(0).isNull());
        QVERIFY(!rs.lastError().isEmpty());
        // Callers go on after the failed move: adding still works.
        addAppointment(rs, QStringLiteral("8"), QStringLiteral("Dentist"));
        QVERIFY(rs.moveFirst());
        QCOMPARE(rs.text(6), QStringLiteral("Dentist"));
    }

    void scanKeepsStoredOrder() {
        TestFolder folder;
        auto ctx = folder.openContext();
        RecordSet& rs = *ctx->scheduleRecords;
        for (const char* day : {"9", "1", "30", "4"}) addAppointment(rs, QString::fromLatin1(day), QString());
        QCOMPARE(scanTexts(rs, 0), (QStringList{"9", "1", "30", "4"}));
    }

    void fieldsReadAsTextNumberOrNull() {
        TestFolder folder;
        QVERIFY(folder.exec(QStringLiteral(
            "INSERT INTO scheduler VALUES ('08', 'March', 2026, NULL, 7, ' PM ', '')")));
        auto ctx = folder.openContext();
        RecordSet& rs = *ctx->scheduleRecords;
        QVERIFY(rs.moveFirst());
        QCOMPARE(rs.field(0).typeId(), int(QMetaType::QString));
        QCOMPARE(rs.field(0).toString(), QStringLiteral("08"));
        QVERIFY(rs.field(3).isNull());
        QCOMPARE(rs.text(3), QString());
        QCOMPARE(rs.field(4).typeId(), int(QMetaType::LongLong));
        QCOMPARE(rs.field(4).toLongLong(), 7);
        QCOMPARE(rs.text(5), QStringLiteral(" PM "));
        QVERIFY(rs.field(7).isNull());  // no such column
        QVERIFY(!rs.lastError().isEmpty());
        // Numbers beyond 32 bits and real numbers read back whole.
        QVERIFY(folder.exec(QStringLiteral(
            "INSERT INTO scheduler VALUES (-5000000000, 'May', 2.5, 4294967296, -7, 'AM', 'x')")));
        QVERIFY(rs.moveFirst() && rs.moveNext());
        QCOMPARE(rs.field(0).toLongLong(), Q_INT64_C(-5000000000));
        QCOMPARE(rs.field(2).toDouble(), 2.5);
        QCOMPARE(rs.field(3).toLongLong(), Q_INT64_C(4294967296));
        QCOMPARE(rs.field(4).toLongLong(), -7);
    }

    void deleteWhileScanningMovesOnRight_data() {
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<QStringList>("deleted");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("first") << QStringList{"1", "2", "3"} << QStringList{"1"} << QStringList{"2", "3"};
        QTest::newRow("middle") << QStringList{"1", "2", "3"} << QStringList{"2"} << QStringList{"1", "3"};
        QTest::newRow("last") << QStringList{"1", "2", "3"} << QStringList{"3"} << QStringList{"1", "2"};
        QTest::newRow("every one") << QStringList{"1", "2", "3"} << QStringList{"1", "2", "3"} << QStringList{};
        QTest::newRow("two in a row") << QStringList{"1", "2", "3", "4"} << QStringList{"2", "3"}
                                      << QStringList{"1", "4"};
    }
    void deleteWhileScanningMovesOnRight() {
        QFETCH(QStringList, days);
        QFETCH(QStringList, deleted);
        QFETCH(QStringList, left);
        TestFolder folder;
        auto ctx = folder.openContext();
        RecordSet& rs = *ctx->scheduleRecords;
        for (const QString& day : days) addAppointment(rs, day, QString());
        QStringList visited;
        rs.moveFirst();
        while (!rs.atEnd()) {
            visited << rs.text(0);
            if (deleted.contains(rs.text(0))) QVERIFY(rs.remove());
            rs.moveNext();
        }
        QCOMPARE(visited, days);
        QCOMPARE(scanTexts(rs, 0), left);
    }

    void editStoresOnlyOnUpdate() {
        TestFolder folder;
        auto ctx = folder.openContext();
        RecordSet& rs = *ctx->scheduleRecords;
        addAppointment(rs, QStringLiteral("8"), QStringLiteral("old"));
        QVERIFY(rs.moveFirst());
        QVERIFY(rs.edit());
        QVERIFY(rs.setField(6, QStringLiteral("new")));
        QCOMPARE(rs.text(6), QStringLiteral("old"));
        QVERIFY(rs.update());
        QCOMPARE(rs.text(6), QStringLiteral("new"));
        QCOMPARE(rs.text(0), QStringLiteral("8"));  // untouched columns stay
        // Writing without add new or edit fails and stores nothing.
        QVERIFY(!rs.setField(6, QStringLiteral("lost")));
        QVERIFY(!rs.update());
        QCOMPARE(rs.text(6), QStringLiteral("new"));
    }

    void recordSetsOnOneTableSeeEachOther() {
        TestFolder folder;
        auto ctx = folder.openContext();
        // The clock window stores "Pass"; the planner's fresh record set
        // opened right after must read it, and the long-lived one too.
        auto writer = ctx->openSignal();
        QVERIFY(writer->moveFirst());
        QVERIFY(writer->edit());
        writer->setField(0, QStringLiteral("Pass"));
        QVERIFY(writer->update());
        auto fresh = ctx->openSignal();
        QVERIFY(fresh->moveFirst());
        QCOMPARE(fresh->text(0), QStringLiteral("Pass"));
        QVERIFY(ctx->signalRecords->moveFirst());
        QCOMPARE(ctx->signalRecords->text(0), QStringLiteral("Pass"));
        QCOMPARE(ctx->signalRecords->text(6), QStringLiteral("F"));
        // A delete through one set is seen by another at its next move.
        QVERIFY(fresh->remove());
        QVERIFY(!writer->moveFirst());
        QVERIFY(writer->atEnd());
    }

    void wholeRecordAtOnce() {
        TestFolder folder;
        auto ctx = folder.openContext();
        RecordSet& rs = *ctx->scheduleRecords;
        QVERIFY(rs.values().isEmpty());
        addAppointment(rs, QStringLiteral("8"), QStringLiteral("first"));
        addAppointment(rs, QStringLiteral("9"), QStringLiteral("second"));
        QVERIFY(rs.moveFirst());
        QVERIFY(rs.moveNext());
        const QVariantList values = rs.values();
        QCOMPARE(values.size(), 7);
        QCOMPARE(values[0].toString(), QStringLiteral("9"));
        QCOMPARE(values[4].toLongLong(), 7);
        QCOMPARE(values[6].toString(), QStringLiteral("second"));
        // Deleted while it is current: there is nothing to read.
        QVERIFY(rs.remove());
        QVERIFY(rs.values().isEmpty());
    }

    void writesOfAnotherConnectionAreSeen() {
        TestFolder folder;
        auto ctx = folder.openContext();
        RecordSet& rs = *ctx->scheduleRecords;
        QVERIFY(!rs.moveFirst());
        QVERIFY(folder.exec(QStringLiteral(
            "INSERT INTO scheduler VALUES ('8', 'December', '2026', '05', 7, 'PM', 'outside')")));
        QVERIFY(rs.moveFirst());
        QCOMPARE(rs.text(6), QStringLiteral("outside"));
    }

    void updateAndDeleteAreDurableAtOnce() {
        TestFolder folder;
        auto ctx = folder.openContext();
        RecordSet& rs = *ctx->scheduleRecords;
        addAppointment(rs, QStringLiteral("8"), QStringLiteral("kept"));
        addAppointment(rs, QStringLiteral("9"), QStringLiteral("gone"));
        rs.moveFirst();
        rs.moveNext();
        QVERIFY(rs.remove());
        // A second connection (another process would see the same) reads the
        // file as it is now, with no transaction left open by ours.
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(folder.file("scheduler.mdb")).constData(), &other), SQLITE_OK);
        sqlite3_stmt* stmt = nullptr;
        QCOMPARE(sqlite3_prepare_v2(other, "SELECT group_concat(stext) FROM scheduler", -1, &stmt, nullptr),
                 SQLITE_OK);
        QCOMPARE(sqlite3_step(stmt), SQLITE_ROW);
        QCOMPARE(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))),
                 QStringLiteral("kept"));
        sqlite3_finalize(stmt);
        QCOMPARE(sqlite3_get_autocommit(other), 1);
        sqlite3_close(other);
    }

    void unusableFilesAreRefusedAndLeftAsTheyAre_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reasonPart");
        QByteArray random(8192, '\0');
        for (int i = 0; i < random.size(); ++i) random[i] = char((i * 7919 + 13) % 251);
        QTest::newRow("random bytes") << random << QStringLiteral("not a database");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("missing");
        QTest::newRow("text file") << QByteArray("day,month,year\n8,December,2026\n")
                                   << QStringLiteral("not a database");
    }
    void unusableFilesAreRefusedAndLeftAsTheyAre() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reasonPart);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scheduler.mdb"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        QString error;
        QVERIFY(!Database::open(path, &error));
        QVERIFY2(error.contains(reasonPart), qPrintable(error));
        QCOMPARE(readAll(path), content);
    }

    void truncatedDatabaseIsRefused() {
        TestFolder folder;
        // Enough records to fill several pages, then cut the file in half.
        QString sql = QStringLiteral("BEGIN;");
        for (int i = 0; i < 400; ++i)
            sql += QStringLiteral("INSERT INTO scheduler VALUES ('%1','May','2026','01',1,'AM','%2');")
                       .arg(i % 28 + 1)
                       .arg(QString(200, QLatin1Char('x')));
        QVERIFY(folder.exec(sql + QStringLiteral("COMMIT;")));
        const QString path = folder.file(QStringLiteral("scheduler.mdb"));
        QByteArray bytes = readAll(path);
        bytes.truncate(bytes.size() / 2);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        QString error;
        QVERIFY(!Database::open(path, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(path), bytes);
    }

    void missingTableOrColumnsAreNamed_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("reasonPart");
        QTest::newRow("no signal") << QStringLiteral("DROP TABLE signal") << QStringLiteral("\"signal\" is missing");
        QTest::newRow("short scheduler")
            << QStringLiteral("DROP TABLE scheduler; CREATE TABLE scheduler (a, b, c)")
            << QStringLiteral("\"scheduler\" has 3 columns, 7 are needed");
    }
    void missingTableOrColumnsAreNamed() {
        QFETCH(QString, sql);
        QFETCH(QString, reasonPart);
        TestFolder folder;
        QVERIFY(folder.exec(sql));
        QString error;
        QVERIFY(!Database::open(folder.file(QStringLiteral("scheduler.mdb")), &error));
        QVERIFY2(error.contains(reasonPart), qPrintable(error));
    }

    void lockedByAnotherProcessIsRefused() {
        TestFolder folder;
        const QByteArray path = QFile::encodeName(folder.file(QStringLiteral("scheduler.mdb")));
        sqlite3* holder = nullptr;
        QCOMPARE(sqlite3_open(path.constData(), &holder), SQLITE_OK);
        QCOMPARE(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        QString error;
        QVERIFY(!Database::open(QString::fromUtf8(path), &error));
        QVERIFY2(error.contains(QStringLiteral("locked")), qPrintable(error));
        sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(holder);
        QVERIFY(Database::open(QString::fromUtf8(path), &error));
    }

    void freshDatabaseNeverReplacesAFile() {
        TestFolder folder;
        auto ctx = folder.openContext();
        addAppointment(*ctx->scheduleRecords, QStringLiteral("8"), QStringLiteral("precious"));
        const QString path = folder.file(QStringLiteral("scheduler.mdb"));
        const QByteArray before = readAll(path);
        QString error;
        QVERIFY(!Database::createFresh(path, &error));
        QCOMPARE(readAll(path), before);
    }

    void freshDatabaseTurnsHelpOn() {
        TestFolder folder;
        auto ctx = folder.openContext();
        RecordSet& signal = *ctx->signalRecords;
        QVERIFY(signal.moveFirst());
        QCOMPARE(signal.text(0), QStringLiteral("F"));
        QCOMPARE(signal.text(6), QStringLiteral("F"));
        QVERIFY(!ctx->clockiniRecords->moveFirst());
        QVERIFY(!ctx->scheduleRecords->moveFirst());
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
