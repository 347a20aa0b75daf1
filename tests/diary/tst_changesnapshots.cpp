// The two-snapshot Undo: the two latest texts alternate, also where the
// change counter runs past its largest value.
#include <QTest>

#include "diary/ChangeSnapshots.h"

class TestChangeSnapshots : public QObject {
    Q_OBJECT
private slots:
    void undoAlternatesTheTwoLatestTexts_data() {
        QTest::addColumn<int>("startCount");
        QTest::newRow("fresh editor") << 0;
        QTest::newRow("odd start") << 7;
        QTest::newRow("just below the largest value") << 65534;
        QTest::newRow("at the largest value") << 65535;
        QTest::newRow("half way") << 32767;
    }
    void undoAlternatesTheTwoLatestTexts() {
        QFETCH(int, startCount);
        ChangeSnapshots s;
        s.setChangeCount(quint16(startCount));
        QString shown;
        auto change = [&](const QString& text) {
            shown = text;
            s.record(text);
        };
        change("a");
        change("ab");
        change(s.undoText(shown));
        QCOMPARE(shown, QStringLiteral("a"));
        change(s.undoText(shown));
        QCOMPARE(shown, QStringLiteral("ab"));
        change(s.undoText(shown));
        QCOMPARE(shown, QStringLiteral("a"));
        QCOMPARE(s.changeCount(), quint16(startCount + 5));
    }
};

QTEST_MAIN(TestChangeSnapshots)
#include "tst_changesnapshots.moc"
