// The clock's three sizes: the size menu, each size's geometry in twips, the
// size applied at start-up after the first drawing, the click on the clock
// face that returns to normal, and the size word stored at exit.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "Database.h"
#include "Twips.h"
#include "clock/ClockSizes.h"
#include "clock/PictureBox.h"
#include "support/ClockWindowFixture.h"

namespace {

using Lines = QList<QLineF>;

Lines linesOf(const Form1& form) {
    Lines lines;
    for (const FrameLine* line : {&form.Line1, &form.Line2, &form.Line3, &form.Line4})
        lines << QLineF(line->X1, line->Y1, line->X2, line->Y2);
    return lines;
}

// The compact figures are the design's quotients in single precision.
double single(double value) {
    return double(float(value));
}

const Lines kNormalLines{QLineF(1080, 480, 4800, 480), QLineF(1080, 480, 1080, 1080),
                         QLineF(1080, 1080, 4800, 1080), QLineF(4800, 480, 4800, 1080)};
const Lines kSmallLines{QLineF(0, 0, 3590, 0), QLineF(0, 0, 0, 580), QLineF(0, 580, 3590, 580),
                        QLineF(3590, 0, 3590, 580)};
const double kR = single(3400 / 1.8);  // 1888.88...
const double kB = single(610 / 1.8);   // 338.88...
const Lines kCompactLines{QLineF(0, 0, kR, 0), QLineF(0, 0, 0, kB), QLineF(0, kB, kR, kB),
                          QLineF(kR, 0, kR, kB)};

QString storedSize(const TestFolder& folder) {
    QString error;
    auto db = Database::open(folder.file(QStringLiteral("scheduler.mdb")), &error);
    if (!db) return error;
    auto clockini = db->openRecordSet(QStringLiteral("clockini"));
    return clockini->moveFirst() ? clockini->text(2) : QStringLiteral("(no record)");
}

}  // namespace

class TestClockSizes : public QObject {
    Q_OBJECT
private slots:
    void geometryOfEachSize_data();
    void geometryOfEachSize();
    void savedSizeAppliedAfterTheFirstDrawing_data();
    void savedSizeAppliedAfterTheFirstDrawing();
    void clickOnTheFaceReturnsToNormal();
    void sizeMenuClosesThePanel();
    void sizeMenuWithoutAChoiceChangesNothing();
};

void TestClockSizes::geometryOfEachSize_data() {
    // Menu choices made one after the other on a normal clock.
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<bool>("smallSize");
    QTest::addColumn<bool>("compactSize");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("stored");
    QTest::newRow("normal") << QStringList{} << 5580.0 << 2050.0 << kNormalLines << false << false
                            << 30.0 << "normal";
    QTest::newRow("small") << QStringList{"Small"} << 3741.0 << 1000.0 << kSmallLines << true
                           << false << 30.0 << "small";
    QTest::newRow("compact") << QStringList{"Compact"} << single(3541 / 1.75) << single(1000 / 1.3)
                             << kCompactLines << true << true << 14.0 << "compact";
    QTest::newRow("compact then small keeps compact")
        << QStringList{"Compact", "Small"} << 3741.0 << 1000.0 << kSmallLines << true << true
        << 14.0 << "compact";
    QTest::newRow("small then compact")
        << QStringList{"Small", "Compact"} << single(3541 / 1.75) << single(1000 / 1.3)
        << kCompactLines << true << true << 14.0 << "compact";
}

void TestClockSizes::geometryOfEachSize() {
    QFETCH(QStringList, choices);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(Lines, lines);
    QFETCH(bool, smallSize);
    QFETCH(bool, compactSize);
    QFETCH(double, points);
    QFETCH(QString, stored);
    ClockWindowFixture f;
    QVERIFY(f.load());
    for (const QString& choice : choices) {
        f.menus.choose(choice);
        f.form->Command5->click();
    }
    QCOMPARE(f.menus.shown.size(), choices.size());
    QVERIFY2(f.menus.failures.isEmpty(), qPrintable(f.menus.failures.join('\n')));
    QCOMPARE(twips::width(f.form.get()), width);
    QCOMPARE(twips::height(f.form.get()), height);
    QCOMPARE(linesOf(*f.form), lines);
    QCOMPARE(f.form->smallSize, smallSize);
    QCOMPARE(f.form->compactSize, compactSize);
    QCOMPARE(f.form->centredLayout, !smallSize);
    QCOMPARE(f.form->compactLayout, smallSize);
    // The clock face itself keeps its designed place and size.
    QCOMPARE(twips::rect(f.form->Picture1), QRectF(0, 0, 5532, 1692));

    f.form->tick();
    const auto& printed = f.form->Picture1->printed();
    QCOMPARE(printed.size(), std::size_t(1));
    QCOMPARE(printed.front().font.pointSizeF(), points);
    if (smallSize) QCOMPARE(printed.front().at, QPointF(169, 0));

    f.dialogs.answerAllQuestions(true);
    f.form->unload();
    QCOMPARE(storedSize(f.folder), stored);
}

void TestClockSizes::savedSizeAppliedAfterTheFirstDrawing_data() {
    QTest::addColumn<QString>("saved");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<Lines>("lines");
    QTest::newRow("small") << "small" << 3741.0 << 1000.0 << kSmallLines;
    QTest::newRow("compact") << "compact" << single(3541 / 1.75) << single(1000 / 1.3)
                             << kCompactLines;
    QTest::newRow("normal") << "normal" << 5580.0 << 2050.0 << kNormalLines;
    QTest::newRow("an unknown word is normal") << "Small" << 5580.0 << 2050.0 << kNormalLines;
}

void TestClockSizes::savedSizeAppliedAfterTheFirstDrawing() {
    QFETCH(QString, saved);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(Lines, lines);
    ClockWindowFixture f;
    QVERIFY(f.folder.exec(
        QStringLiteral("INSERT INTO clockini VALUES (300, 200, '%1', 'None')").arg(saved)));
    QVERIFY(f.load());
    QCOMPARE(twips::width(f.form.get()), width);
    QCOMPARE(twips::height(f.form.get()), height);
    QCOMPARE(linesOf(*f.form), lines);
    // The time drawn during start-up is the normal size's: centred, 30 points.
    const auto& printed = f.form->Picture1->printed();
    QCOMPARE(printed.size(), std::size_t(1));
    QCOMPARE(printed.front().font.pointSizeF(), 30.0);
    QVERIFY(printed.front().at != QPointF(169, 0));
    QVERIFY(f.menus.shown.isEmpty());  // applied without the menu
}

void TestClockSizes::clickOnTheFaceReturnsToNormal() {
    ClockWindowFixture f;
    QVERIFY(f.load());
    f.menus.choose(QStringLiteral("Compact"));
    f.form->Command5->click();
    QVERIFY(f.form->compactSize);

    QTest::mouseClick(f.form->Picture1, Qt::LeftButton, {}, QPoint(20, 10));
    QVERIFY(!f.form->smallSize);
    QVERIFY(!f.form->compactSize);
    QVERIFY(f.form->centredLayout);
    QVERIFY(!f.form->compactLayout);
    QCOMPARE(twips::width(f.form.get()), 5580.0);
    QCOMPARE(twips::height(f.form.get()), 2050.0);
    QCOMPARE(linesOf(*f.form), kNormalLines);
    QCOMPARE(twips::width(f.form->Picture1), 5528.0);
    QCOMPARE(twips::height(f.form->Picture1), 1692.0);

    f.form->tick();
    QCOMPARE(f.form->Picture1->printed().front().font.pointSizeF(), 30.0);
    QCOMPARE(f.form->windowTitle(), QStringLiteral(" 8 December, 2026"));
    // The click reset the picture viewer without making its controls.
    QVERIFY(!f.form->viewerControlsMade());
    f.dialogs.answerAllQuestions(true);
    f.form->unload();
    QCOMPARE(storedSize(f.folder), QStringLiteral("normal"));
}

void TestClockSizes::sizeMenuClosesThePanel() {
    ClockWindowFixture f;
    QVERIFY(f.load());
    f.form->Command1->click();
    QVERIFY(!f.form->Command2->isHidden());
    f.menus.choose(QStringLiteral("Small"));
    f.form->Command5->click();
    QCOMPARE(f.menus.shown, QStringList{QStringLiteral("Size")});
    QVERIFY(f.form->Command2->isHidden());
    QVERIFY(!f.form->Command1->isHidden());
    // Back in the normal size, the closed panel's time row does not show
    // below the clock.
    f.form->restoreNormalClock();
    QVERIFY(f.form->Label2->isHidden());
    QVERIFY(f.form->Label1->isHidden());
}

void TestClockSizes::sizeMenuWithoutAChoiceChangesNothing() {
    ClockWindowFixture f;
    QVERIFY(f.load());
    f.menus.choose(QString());
    f.form->Command5->click();
    QCOMPARE(twips::width(f.form.get()), 5580.0);
    QCOMPARE(twips::height(f.form.get()), 2050.0);
    QVERIFY(!f.form->smallSize);
}

QTEST_MAIN(TestClockSizes)
#include "tst_clocksizes.moc"
