#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include "RichTextBox.h"
#include "Twips.h"
#include "clock/Form1.h"
#include "diary/CalendarGrid.h"
#include "diary/CalendarLabel.h"
#include "scheduler/Form2.h"
#include "support/PlannerFixture.h"

// The planner window's frame: loading, widths, the panel's Close action,
// the tick's caption and the pop-up menus of the window itself.
class TestForm2 : public QObject {
    Q_OBJECT
private slots:
    void loadsNarrowAndCentred();
    void missingDatabase();
    void loadingTwiceDoesNothing();
    void widenAndClose_data();
    void widenAndClose();
    void closeResetsLabelsNotPickers();
    void caption_data();
    void caption();
    void closeCalendarUnloads();
    void backgroundMenu_data();
    void backgroundMenu();
    void diaryControlButton();
};

namespace {
double screenWidthTwips(const QWidget* w) {
    return twips::fromPixels(w->screen()->geometry().width());
}
}  // namespace

void TestForm2::loadsNarrowAndCentred() {
    PlannerFixture p;
    QVERIFY(p.ok());
    QVERIFY(p.load());
    QVERIFY(p.form->isLoaded());
    QVERIFY(p.form->isVisible());
    QCOMPARE(twips::width(p.form.get()), 5460.0);
    QCOMPARE(twips::left(p.form.get()), (screenWidthTwips(p.form.get()) - 5460) / 2);
    QCOMPARE(p.form->windowTitle(), QString("Alarm options"));
    QVERIFY(!p.form->Slider1->isVisible());
    QVERIFY(!p.form->Command3->isVisible());
    QVERIFY(!p.form->RichTextBox3->isVisible());
    QVERIFY(p.form->Timer1->isActive());
    QCOMPARE(p.form->Timer1->interval(), 900);
    // The planner has handles of its own on the database.
    QVERIFY(p.app->plannerDb);
    QVERIFY(p.app->scheduleRecords);
    QVERIFY(p.dialogs.messages.isEmpty());
}

void TestForm2::missingDatabase() {
    PlannerFixture p;
    QVERIFY(p.ok());
    QVERIFY(QFile::remove(p.folder.file("scheduler.mdb")));
    const auto handlesBefore = p.app->plannerDb;
    QSignalSpy unloaded(p.form.get(), &Form2::unloaded);
    QVERIFY(!p.load());
    QCOMPARE(p.dialogs.messages, QStringList{"I am missing a scheduler.mdb at " + p.folder.path() +
                                             ". Try re-installing."});
    QVERIFY(!p.form->isLoaded());
    QVERIFY(!p.form->isVisible());
    QVERIFY(!p.form->Timer1->isActive());
    QCOMPARE(unloaded.count(), 1);
    // Nothing was opened and the calendar was not drawn.
    QCOMPARE(p.app->plannerDb, handlesBefore);
    QCOMPARE(p.form->Combo3->count(), 0);
}

void TestForm2::loadingTwiceDoesNothing() {
    PlannerFixture p;
    QVERIFY(p.load());
    p.form->Combo1->setEditText("20");
    p.form->widen();
    QVERIFY(p.load());
    QCOMPARE(twips::width(p.form.get()), 9860.0);
    QCOMPARE(p.form->Combo1->currentText(), QString("20"));
}

void TestForm2::widenAndClose_data() {
    QTest::addColumn<bool>("byMenu");  // the editor menu's "Close", or the panel's button
    QTest::addColumn<int>("steps");
    QTest::newRow("panel's Close") << false << 23 + 23;
    // Once narrow, the menu item's second narrowing has nothing to do.
    QTest::newRow("menu item close") << true << 23 + 23;
}

void TestForm2::widenAndClose() {
    QFETCH(bool, byMenu);
    QFETCH(int, steps);
    PlannerFixture p;
    QVERIFY(p.load());
    p.form->widen();
    QCOMPARE(twips::width(p.form.get()), 9860.0);
    QCOMPARE(p.pauser.count, 23);
    QCOMPARE(twips::left(p.form.get()), (screenWidthTwips(p.form.get()) - 9860) / 2);
    for (QComboBox* c : {p.form->Combo1, p.form->Combo2, p.form->Combo3}) c->setEnabled(false);
    p.form->Command1->setText("Remove schedule");
    if (byMenu)
        p.form->menus.close->trigger();
    else
        QTest::mouseClick(p.form->Command2, Qt::LeftButton);
    QCOMPARE(twips::width(p.form.get()), 5485.0);
    QCOMPARE(p.pauser.count, steps);
    QCOMPARE(p.form->Command1->text(), QString("Make schedule"));
    for (QComboBox* c : {p.form->Combo1, p.form->Combo2, p.form->Combo3}) QVERIFY(c->isEnabled());
    QCOMPARE(twips::left(p.form.get()), (screenWidthTwips(p.form.get()) - 5485) / 2);
}

void TestForm2::closeResetsLabelsNotPickers() {
    PlannerFixture p;
    QVERIFY(p.load());
    p.form->widen();
    p.form->HScroll1->setValue(5);
    p.form->HScroll2->setValue(7);
    p.form->HScroll3->setValue(2);
    for (QScrollBar* bar : {p.form->HScroll1, p.form->HScroll2, p.form->HScroll3})
        bar->setEnabled(false);
    p.form->Label53->setText("05");
    p.form->RichTextBox2->setText("Dentist");
    p.form->Slider1->show();
    p.form->Command3->show();
    p.form->closePanel();
    QCOMPARE(p.form->Label53->text(), QString("12"));
    QCOMPARE(p.form->Label55->text(), QString("00"));
    QCOMPARE(p.form->Label56->text(), QString("PM"));
    QVERIFY(p.form->RichTextBox2->text().isEmpty());
    QCOMPARE(p.form->HScroll1->value(), 5);
    QCOMPARE(p.form->HScroll2->value(), 7);
    QCOMPARE(p.form->HScroll3->value(), 2);
    for (QScrollBar* bar : {p.form->HScroll1, p.form->HScroll2, p.form->HScroll3})
        QVERIFY(bar->isEnabled());
    QVERIFY(!p.form->Slider1->isVisible());
    QVERIFY(!p.form->Command3->isVisible());
}

void TestForm2::caption_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("date");
    QTest::newRow("one-digit day")
        << QDateTime(QDate(2026, 12, 8), QTime(17, 6, 58)) << "Today :  8 December, 2026";
    QTest::newRow("two-digit day")
        << QDateTime(QDate(2026, 12, 18), QTime(9, 0, 0)) << "Today :  18 December, 2026";
    QTest::newRow("first of January")
        << QDateTime(QDate(2030, 1, 1), QTime(0, 0, 1)) << "Today :  1 January, 2030";
}

void TestForm2::caption() {
    QFETCH(QDateTime, now);
    QFETCH(QString, date);
    PlannerFixture p(now);
    QVERIFY(p.load());
    p.form->on_Timer1_timeout();
    QCOMPARE(p.form->windowTitle(), date + QString(13, ' ') + Form1::timeOfDayText(now.time()));
    p.clock.advanceMs(900);
    p.form->on_Timer1_timeout();
    QCOMPARE(p.form->windowTitle(),
             date + QString(13, ' ') + Form1::timeOfDayText(now.addMSecs(900).time()));
}

void TestForm2::closeCalendarUnloads() {
    PlannerFixture p;
    QVERIFY(p.load());
    p.form->HScroll1->setEnabled(false);
    QSignalSpy unloaded(p.form.get(), &Form2::unloaded);
    p.form->menus.cc1->trigger();
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!p.form->isLoaded());
    QVERIFY(!p.form->isVisible());
    QVERIFY(!p.form->Timer1->isActive());
    QVERIFY(p.form->HScroll1->isEnabled());
    // Loading again starts from today.
    QVERIFY(p.load());
    QCOMPARE(p.form->Combo1->currentText(), QString("8"));
}

void TestForm2::backgroundMenu_data() {
    QTest::addColumn<int>("left");  // twips
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("shown");
    QTest::newRow("between the headers and the first week") << 2000 << 1100 << true;
    QTest::newRow("below the calendar") << 2000 << 4500 << true;
    QTest::newRow("on a weekday header") << 1000 << 800 << false;
    QTest::newRow("on an empty day cell") << 300 << 1400 << false;
}

void TestForm2::backgroundMenu() {
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, shown);
    PlannerFixture p;
    QVERIFY(p.load());
    const QPoint at(twips::toPixels(left), twips::toPixels(top));
    QTest::mouseClick(p.form.get(), Qt::RightButton, {}, at);
    QTest::mouseClick(p.form.get(), Qt::LeftButton, {}, at);
    // The press of an empty day cell pops nothing; the window never does there.
    const QList<QMenu*> expected =
        shown ? QList<QMenu*>{p.form->menus.mf, p.form->menus.mf} : QList<QMenu*>{};
    QCOMPARE(p.shownMenus, expected);
    // "Close calendar" from there unloads the window.
    if (shown) {
        p.choose = [&](QMenu*) { return p.form->menus.cc1; };
        QTest::mouseClick(p.form.get(), Qt::RightButton, {}, at);
        QVERIFY(!p.form->isLoaded());
    }
}

void TestForm2::diaryControlButton() {
    PlannerFixture p;
    QVERIFY(p.load());
    p.form->widen();
    p.form->Command3->show();
    QTest::mouseClick(p.form->Command3, Qt::LeftButton);
    QCOMPARE(p.shownMenus, QList<QMenu*>{p.form->menus.all2});
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
