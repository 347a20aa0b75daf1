#include <QPushButton>
#include <QtTest>

#include "Twips.h"
#include "clock/Form1.h"
#include "scheduler/Form2.h"
#include "support/ClockWindowFixture.h"
#include "support/FakeServices.h"
#include "support/TestFolder.h"

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
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<AppContext> m_app;
    FakeClock m_clock;
    FakeDialogs m_dialogs;
    FakePauser m_pauser;
    Services m_services;
    std::unique_ptr<Form1> m_form1;
};

void TestPlannerWindow::init() {
    m_folder = std::make_unique<TestFolder>();
    QVERIFY(m_folder->ok());
    m_folder->touchSoundFiles();
    m_app = std::make_unique<AppContext>();
    m_app->appFolder = m_folder->path();
    m_dialogs.messages.clear();
    m_dialogs.answerAllQuestions(false);
    m_services.clock = &m_clock;
    m_services.dialogs = &m_dialogs;
    m_services.pauser = &m_pauser;
    m_form1 = std::make_unique<Form1>(*m_app, m_services);
    QVERIFY(loadClockWindow(*m_form1));
    QVERIFY(m_form1->isVisible());
}

void TestPlannerWindow::cleanup() {
    m_form1.reset();
    m_app.reset();
    m_folder.reset();
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
    QVERIFY(m_dialogs.messages.isEmpty());
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
