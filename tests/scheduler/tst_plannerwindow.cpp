#include <QPushButton>
#include <QtTest>

#include "Twips.h"
#include "clock/Form1.h"
#include "scheduler/Form2.h"
#include "support/ClockWindowFixture.h"

// The clock window and the planner window hand the screen to each other.
class TestPlannerWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void schedulerButtonOpensThePlanner();
    void closingThePlannerShowsTheClock_data();
    void closingThePlannerShowsTheClock();
    void closingTheClockLeavesThePlanner();

private:
    std::unique_ptr<ClockWindowFixture> m_rig;
    Form1* m_form1 = nullptr;
};

void TestPlannerWindow::init() {
    m_rig = std::make_unique<ClockWindowFixture>();
    QVERIFY(m_rig->folder.ok());
    m_rig->dialogs.answerAllQuestions(false);
    m_form1 = m_rig->form.get();
    QVERIFY(m_rig->load());
    QVERIFY(m_form1->isVisible());
}

void TestPlannerWindow::cleanup() {
    m_form1 = nullptr;
    m_rig.reset();
}

void TestPlannerWindow::schedulerButtonOpensThePlanner() {
    m_form1->Command13->click();
    Form2* planner = m_form1->planner();
    QVERIFY(planner);
    QVERIFY(planner->isLoaded());
    QVERIFY(planner->isVisible());
    QVERIFY(!m_form1->isVisible());
    // Loading it again changes nothing.
    planner->widen();
    m_form1->loadPlanner();
    QCOMPARE(m_form1->planner(), planner);
    QCOMPARE(twips::width(planner), 9860.0);
    QVERIFY(m_rig->dialogs.messages.isEmpty());
}

void TestPlannerWindow::closingThePlannerShowsTheClock_data() {
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Close calendar") << true;
    QTest::newRow("close box") << false;
}

void TestPlannerWindow::closingThePlannerShowsTheClock() {
    QFETCH(bool, byMenu);
    m_form1->Command13->click();
    QPointer<Form2> planner = m_form1->planner();
    QVERIFY(planner);
    m_form1->setEnabled(false);
    if (byMenu)
        planner->menus.cc1->trigger();
    else
        planner->close();
    QVERIFY(m_form1->isVisible());
    QVERIFY(m_form1->isEnabled());
    // The closed planner goes away; the next opening is a fresh window.
    QTRY_VERIFY(planner.isNull());
    m_form1->Command13->click();
    QVERIFY(m_form1->planner());
    QVERIFY(m_form1->planner()->isLoaded());
}

void TestPlannerWindow::closingTheClockLeavesThePlanner() {
    m_form1->Command13->click();
    QPointer<Form2> planner = m_form1->planner();
    m_form1->close();
    QVERIFY(planner);
    QVERIFY(planner->isLoaded());
    QVERIFY(planner->isVisible());
    // With the clock window gone, closing the planner does not bring it back.
    planner->close();
    QVERIFY(!m_form1->isVisible());
}

QTEST_MAIN(TestPlannerWindow)
#include "tst_plannerwindow.moc"
