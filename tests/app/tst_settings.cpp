// The settings record and the flags record: what start-up reads back from
// what the last exit stored, and the flags the windows hand each other.
#include <QTest>

#include "SettingsStore.h"
#include "support/TestFolder.h"

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void emptyTableGivesDefaults() {
        TestFolder folder;
        auto ctx = folder.openContext();
        const settings::Saved saved = settings::read(*ctx->clockiniRecords);
        QVERIFY(!saved.left);
        QVERIFY(!saved.top);
        QCOMPARE(saved.size, QStringLiteral("normal"));
        QCOMPARE(saved.chimeMode, QStringLiteral("None"));
    }

    void roundTrip_data() {
        QTest::addColumn<qint64>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("chime");
        QTest::addColumn<int>("leftBack");
        QTest::newRow("normal, none") << qint64(1200) << 900.5 << "normal" << "None" << 1200;
        QTest::newRow("small, chime") << qint64(-300) << 0.0 << "small" << "Chime" << -300;
        QTest::newRow("compact, both") << qint64(32767) << 14000.25 << "compact" << "Both" << 32767;
        QTest::newRow("empty mode") << qint64(15) << 15.0 << "normal" << "" << 15;
        QTest::newRow("left beyond 16 bits") << qint64(40500) << 100.0 << "normal" << "None" << 32767;
        QTest::newRow("left below 16 bits") << qint64(-40000) << 100.0 << "normal" << "None" << -32768;
    }
    void roundTrip() {
        QFETCH(qint64, left);
        QFETCH(double, top);
        QFETCH(QString, size);
        QFETCH(QString, chime);
        QFETCH(int, leftBack);
        TestFolder folder;
        {
            auto ctx = folder.openContext();
            settings::save(*ctx->clockiniRecords, left, top, size, chime);
            // A second exit edits the record instead of adding one.
            settings::save(*ctx->clockiniRecords, left, top, size, chime);
        }
        auto ctx = folder.openContext();
        int records = 0;
        for (ctx->clockiniRecords->moveFirst(); !ctx->clockiniRecords->atEnd(); ctx->clockiniRecords->moveNext())
            ++records;
        QCOMPARE(records, 1);
        const settings::Saved saved = settings::read(*ctx->clockiniRecords);
        QCOMPARE(*saved.left, leftBack);
        QCOMPARE(*saved.top, double(float(top)));
        QCOMPARE(saved.size, size);
        QCOMPARE(saved.chimeMode, chime);
    }

    void unreadableColumnsKeepDefaults() {
        TestFolder folder;
        QVERIFY(folder.exec(QStringLiteral("INSERT INTO clockini VALUES ('far right', 'top', NULL, NULL)")));
        auto ctx = folder.openContext();
        const settings::Saved saved = settings::read(*ctx->clockiniRecords);
        QVERIFY(!saved.left);
        QVERIFY(!saved.top);
        QCOMPARE(saved.size, QStringLiteral("normal"));
        QCOMPARE(saved.chimeMode, QStringLiteral("None"));
    }

    void helpFlag_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("expected");  // -1: cannot be read
        QTest::newRow("F is on") << "UPDATE signal SET f6 = 'F'" << 1;
        QTest::newRow("U is off") << "UPDATE signal SET f6 = 'U'" << 0;
        QTest::newRow("lower-case f is off") << "UPDATE signal SET f6 = 'f'" << 0;
        QTest::newRow("null is off") << "UPDATE signal SET f6 = NULL" << 0;
        QTest::newRow("empty table") << "DELETE FROM signal" << -1;
    }
    void helpFlag() {
        QFETCH(QString, sql);
        QFETCH(int, expected);
        TestFolder folder;
        QVERIFY(folder.exec(sql));
        auto ctx = folder.openContext();
        const auto flag = settings::readHelpFlag(*ctx->signalRecords);
        QCOMPARE(flag.has_value(), expected >= 0);
        if (flag) QCOMPARE(*flag, expected == 1);
    }

    void helpOffLeavesOtherColumns() {
        TestFolder folder;
        QVERIFY(folder.exec(QStringLiteral("UPDATE signal SET f0 = 'Pass', f3 = 'keep'")));
        auto ctx = folder.openContext();
        settings::setHelpOff(*ctx->signalRecords);
        auto again = ctx->openSignal();
        QVERIFY(again->moveFirst());
        QCOMPARE(again->text(6), QStringLiteral("U"));
        QCOMPARE(again->text(0), QStringLiteral("Pass"));
        QCOMPARE(again->text(3), QStringLiteral("keep"));
    }

    void handoffAddsTheRecordWhenTableIsEmpty() {
        TestFolder folder;
        QVERIFY(folder.exec(QStringLiteral("DELETE FROM signal")));
        auto ctx = folder.openContext();
        QVERIFY(!settings::readHandoff(*ctx->signalRecords));
        settings::setHelpOff(*ctx->signalRecords);  // nothing to edit: nothing happens
        QVERIFY(!ctx->signalRecords->moveFirst());
        settings::writeHandoff(*ctx->openSignal(), QStringLiteral("Pass"));
        QCOMPARE(*settings::readHandoff(*ctx->openSignal()), QStringLiteral("Pass"));
        settings::writeHandoff(*ctx->openSignal(), QStringLiteral("F"));
        QCOMPARE(*settings::readHandoff(*ctx->signalRecords), QStringLiteral("F"));
        int records = 0;
        for (ctx->signalRecords->moveFirst(); !ctx->signalRecords->atEnd(); ctx->signalRecords->moveNext()) ++records;
        QCOMPARE(records, 1);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
