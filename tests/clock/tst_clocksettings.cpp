// The settings panel: opening and closing it with its animation, the
// time-setting mode, the scroll bars writing the time row, "S E T" setting
// the computer's clock (through a fake) or saying why not, and the colour
// sliders.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QtTest>

#include "Twips.h"
#include "clock/ClockSettingsPanel.h"
#include "clock/PictureBox.h"
#include "support/ClockWindowFixture.h"

namespace {

// Records the window's size at every pause of an animation.
class SizeRecordingPauser final : public IPauser {
public:
    explicit SizeRecordingPauser(QWidget*& window) : m_window(window) {}
    void pause(int) override {
        widths << twips::width(m_window);
        heights << twips::height(m_window);
    }
    QList<double> widths;
    QList<double> heights;

private:
    QWidget*& m_window;
};

QList<double> steps(double from, double to, double by) {
    QList<double> values;
    for (double v = from; by > 0 ? v <= to : v >= to; v += by) values << v;
    return values;
}

// The controls a user sees on the panel, by state.
struct Shown {
    bool slider, set, clockSettings, closeClockSettings, alarmSwitches;
};

Shown shownOf(const Form1& form) {
    return {!form.Slider1->isHidden() && !form.Slider2->isHidden() && !form.Slider3->isHidden(),
            !form.Command9->isHidden(), !form.Command6->isHidden(), !form.Command10->isHidden(),
            !form.Check1->isHidden() && !form.Check2->isHidden() && !form.Label6->isHidden() &&
                !form.Label7->isHidden() && !form.Check4->isHidden()};
}

void enterTimeSetting(ClockWindowFixture& f) {
    f.form->Command1->click();
    f.menus.choose(QStringLiteral("Set time / Change text color"));
    f.form->Command6->click();
}

}  // namespace

class TestClockSettings : public QObject {
    Q_OBJECT
private slots:
    void panelOpensTo4850();
    void panelClosesTo1932_data();
    void panelClosesTo1932();
    void designedControls_data();
    void designedControls();
    void scrollBarsWriteTheTimeRow_data();
    void scrollBarsWriteTheTimeRow();
    void timeSettingModeAndBack();
    void setWritesTheComposedTime_data();
    void setWritesTheComposedTime();
    void setRefusedLeavesTheClockAndThePanel_data();
    void setRefusedLeavesTheClockAndThePanel();
    void slidersColourTheDigitsUntilTheNextStart();
};

void TestClockSettings::panelOpensTo4850() {
    ClockWindowFixture f;
    QWidget* window = nullptr;
    SizeRecordingPauser pauser(window);
    f.services.pauser = &pauser;
    auto form = f.restart();  // built with the recording pauser
    window = form.get();
    QVERIFY(loadClockWindow(*form));
    form->Command1->click();
    QCOMPARE(pauser.heights, steps(2050, 4850, 100));
    QCOMPARE(twips::height(form.get()), 4850.0);
    QCOMPARE(twips::width(form.get()), 5580.0);
    QVERIFY(form->Command1->isHidden());
    QVERIFY(!form->Command2->isHidden());
    for (QWidget* w : std::initializer_list<QWidget*>{
             form->Label1, form->Label2, form->Label3, form->Label4, form->Label5, form->Label8,
             form->HScroll1, form->Command5, form->Command3, form->Command6, form->Command13})
        QVERIFY2(!w->isHidden(), qPrintable(w->objectName()));
    for (QWidget* w : std::initializer_list<QWidget*>{
             form->Slider1, form->Command9, form->Command10, form->Command8, form->Command12})
        QVERIFY2(w->isHidden(), qPrintable(w->objectName()));
}

void TestClockSettings::panelClosesTo1932_data() {
    QTest::addColumn<double>("widthBefore");
    QTest::addColumn<QList<double>>("widthSteps");
    QTest::addColumn<double>("widthAfter");
    QTest::newRow("normal width") << 5580.0 << QList<double>{} << 5580.0;
    QTest::newRow("5900 is not wider") << 5900.0 << QList<double>{} << 5900.0;
    QTest::newRow("viewer width shrinks first") << 9180.0 << steps(9288, 5588, -100) << 5588.0;
}

void TestClockSettings::panelClosesTo1932() {
    QFETCH(double, widthBefore);
    QFETCH(QList<double>, widthSteps);
    QFETCH(double, widthAfter);
    ClockWindowFixture f;
    QWidget* window = nullptr;
    SizeRecordingPauser pauser(window);
    f.services.pauser = &pauser;
    auto form = f.restart();
    window = form.get();
    QVERIFY(loadClockWindow(*form));
    form->Command1->click();
    twips::setWidth(form.get(), widthBefore);
    pauser.widths.clear();
    pauser.heights.clear();

    form->Command2->click();
    const QList<double> heights = steps(4932, 1932, -100);
    QCOMPARE(pauser.heights.size(), widthSteps.size() + heights.size());
    QCOMPARE(pauser.widths.mid(0, widthSteps.size()), widthSteps);
    QCOMPARE(pauser.heights.mid(widthSteps.size()), heights);
    QCOMPARE(twips::height(form.get()), 1932.0);
    QCOMPARE(twips::width(form.get()), widthAfter);
    QVERIFY(!form->Command1->isHidden());
    QVERIFY(form->Command2->isHidden());
    QVERIFY(!form->Command3->isHidden());
    QVERIFY(form->Command8->isHidden());
    // Nothing of the closed panel peeps out below the clock (from 1800 down).
    for (QWidget* w : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isHidden() || !w->isWidgetType()) continue;
        const double top = twips::top(w);
        QVERIFY2(top >= 1932 || top + twips::height(w) <= 1800 || w == form->Picture1,
                 qPrintable(w->objectName()));
    }
}

void TestClockSettings::designedControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("Command1") << "Command1" << QRectF(1800, 1200, 1812, 312) << "Settings"
                              << "Features and settings";
    QTest::newRow("Command2") << "Command2" << QRectF(1800, 1200, 1812, 372) << "Close Settings"
                              << "";
    QTest::newRow("Label1") << "Label1" << QRectF(240, 1920, 1695, 495) << "Alarm  :"
                            << "";
    QTest::newRow("Label2") << "Label2" << QRectF(2160, 1800, 1092, 852) << " 00"
                            << "";
    QTest::newRow("Label4") << "Label4" << QRectF(3120, 1800, 252, 852) << ":"
                            << "";
    QTest::newRow("Label3") << "Label3" << QRectF(3360, 1800, 732, 852) << "00"
                            << "";
    QTest::newRow("Label5") << "Label5" << QRectF(4320, 1920, 972, 612) << "AM"
                            << "";
    QTest::newRow("Check1") << "Check1" << QRectF(360, 2520, 252, 252) << ""
                            << "If checked, Alarm is enabled";
    QTest::newRow("Check2") << "Check2" << QRectF(1440, 2520, 252, 252) << ""
                            << "If Checked, Chime is enabled";
    QTest::newRow("Slider1") << "Slider1" << QRectF(600, 2520, 252, 612) << ""
                             << "";
    QTest::newRow("Slider2") << "Slider2" << QRectF(840, 2520, 252, 612) << ""
                             << "";
    QTest::newRow("Slider3") << "Slider3" << QRectF(1080, 2520, 252, 612) << ""
                             << "";
    QTest::newRow("HScroll1") << "HScroll1" << QRectF(2280, 2640, 732, 252) << ""
                              << "";
    QTest::newRow("HScroll2") << "HScroll2" << QRectF(3360, 2640, 732, 252) << ""
                              << "";
    QTest::newRow("HScroll3") << "HScroll3" << QRectF(4440, 2640, 732, 264) << ""
                              << "";
    QTest::newRow("Label6") << "Label6" << QRectF(120, 2760, 972, 252) << "Enable"
                            << "";
    QTest::newRow("Label7") << "Label7" << QRectF(900, 2760, 1332, 252) << "Enable Chime"
                            << "";
    QTest::newRow("Check4") << "Check4" << QRectF(120, 3036, 2400, 252) << "Start with the desktop"
                            << "If checked, Tavenel starts when you log in, so that its reminders "
                               "come";
    QTest::newRow("Command9") << "Command9" << QRectF(2880, 3000, 732, 180) << "S E T"
                              << "";
    QTest::newRow("Label8") << "Label8" << QRectF(360, 3360, 1812, 372) << "Clock Settings.."
                            << "";
    QTest::newRow("Command5") << "Command5" << QRectF(120, 3840, 1212, 612) << "Switch clock size"
                              << "Makes the clock look more compact";
    QTest::newRow("Command3") << "Command3" << QRectF(1440, 3840, 1212, 612) << "Picture Viewer"
                              << "Comprehensive image viewer";
    QTest::newRow("Command8") << "Command8" << QRectF(1440, 3840, 1212, 612)
                              << "Close Picture Viewer"
                              << "View pictures / Slide shows";
    QTest::newRow("Command13") << "Command13" << QRectF(2760, 3840, 1212, 612)
                               << "Scheduler and diary"
                               << "";
    QTest::newRow("Command6") << "Command6" << QRectF(4080, 3840, 1332, 612) << "Clock Settings"
                              << "Set the time on the clock";
    QTest::newRow("Command10") << "Command10" << QRectF(4080, 3840, 1332, 612)
                               << "Close clock Settings"
                               << "Set the clock time";
    QTest::newRow("Picture1") << "Picture1" << QRectF(0, 0, 5532, 1692) << ""
                              << "Click here to return to normal operation";
}

void TestClockSettings::designedControls() {
    QFETCH(QString, name);
    QFETCH(QRectF, rect);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    ClockWindowFixture f;
    QVERIFY(f.load());
    auto* control = f.form->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    QVERIFY(control);
    QCOMPARE(twips::rect(control), rect);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) QCOMPARE(button->text(), caption);
    if (auto* label = qobject_cast<QLabel*>(control)) QCOMPARE(label->text(), caption);
    if (!toolTip.isEmpty()) QCOMPARE(control->toolTip(), toolTip);
}

void TestClockSettings::scrollBarsWriteTheTimeRow_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("hour 7") << "HScroll1" << 7 << "Label2"
                            << "07";
    QTest::newRow("hour 12") << "HScroll1" << 12 << "Label2"
                             << "12";
    QTest::newRow("minute 5") << "HScroll2" << 5 << "Label3"
                              << "05";
    QTest::newRow("minute 45") << "HScroll2" << 45 << "Label3"
                               << "45";
    QTest::newRow("minute 0 after 1") << "HScroll2" << 0 << "Label3"
                                      << "00";
    QTest::newRow("1 is PM") << "HScroll3" << 1 << "Label5"
                             << "PM";
    QTest::newRow("2 is AM") << "HScroll3" << 2 << "Label5"
                             << "AM";
}

void TestClockSettings::scrollBarsWriteTheTimeRow() {
    QFETCH(QString, bar);
    QFETCH(int, value);
    QFETCH(QString, label);
    QFETCH(QString, text);
    ClockWindowFixture f;
    QVERIFY(f.load());
    auto* scroll = f.form->findChild<QScrollBar*>(bar);
    auto* caption = f.form->findChild<QLabel*>(label);
    QVERIFY(scroll && caption);
    // Move away first so that the value set is a change.
    scroll->setValue(value == scroll->minimum() ? scroll->maximum() : scroll->minimum());
    if (bar == QLatin1String("HScroll2") && value == 0) scroll->setValue(1);
    scroll->setValue(value);
    QCOMPARE(caption->text(), text);
    // A click on the bar's arrow moves it by one and writes the label too.
    const QString before = caption->text();
    scroll->triggerAction(value == scroll->maximum() ? QAbstractSlider::SliderSingleStepSub
                                                     : QAbstractSlider::SliderSingleStepAdd);
    QVERIFY(caption->text() != before);
}

void TestClockSettings::timeSettingModeAndBack() {
    ClockWindowFixture f;
    QVERIFY(f.load());
    enterTimeSetting(f);
    QCOMPARE(f.menus.shown, QStringList{QStringLiteral("Clocksettings")});
    QCOMPARE(f.form->Label1->text(), QStringLiteral(" Clock :"));
    Shown shown = shownOf(*f.form);
    QVERIFY(shown.slider && shown.set && !shown.clockSettings && shown.closeClockSettings &&
            !shown.alarmSwitches);
    for (QSlider* slider : {f.form->Slider1, f.form->Slider2, f.form->Slider3}) {
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 255);
    }

    f.form->Command10->click();
    QCOMPARE(f.form->Label1->text(), QStringLiteral(" Alarm :"));
    shown = shownOf(*f.form);
    QVERIFY(!shown.slider && !shown.set && shown.clockSettings && !shown.closeClockSettings &&
            shown.alarmSwitches);
    QVERIFY(f.timeSetter.asked.isEmpty());
}

void TestClockSettings::setWritesTheComposedTime_data() {
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("ampm");
    QTest::addColumn<QString>("composed");
    QTest::addColumn<QTime>("time");
    QTest::newRow("07:45PM") << 7 << 45 << 1 << "07:45PM" << QTime(19, 45);
    QTest::newRow("12:05AM is after midnight") << 12 << 5 << 2 << "12:05AM" << QTime(0, 5);
    QTest::newRow("12:30PM is after noon") << 12 << 30 << 1 << "12:30PM" << QTime(12, 30);
}

void TestClockSettings::setWritesTheComposedTime() {
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, ampm);
    QFETCH(QString, composed);
    QFETCH(QTime, time);
    ClockWindowFixture f;
    QVERIFY(f.load());
    enterTimeSetting(f);
    for (auto [bar, value] : {std::pair{f.form->HScroll1, hour},
                              {f.form->HScroll2, minute},
                              {f.form->HScroll3, ampm}}) {
        bar->setValue(value == bar->minimum() ? bar->maximum() : bar->minimum());
        bar->setValue(value);
    }
    QCOMPARE(f.form->settingsPanel().composedTime(), composed);
    f.form->Command9->click();
    // Today's date with the composed time; nothing else asked, nothing shown.
    QCOMPARE(f.timeSetter.asked, QList<QDateTime>{QDateTime(QDate(2026, 12, 8), time)});
    QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.messages.join('\n')));
    QCOMPARE(f.form->Label1->text(), QStringLiteral("Alarm : "));
    const Shown shown = shownOf(*f.form);
    QVERIFY(!shown.slider && !shown.set && shown.clockSettings && !shown.closeClockSettings &&
            shown.alarmSwitches);
    // The time row stays as the alarm time.
    QCOMPARE(f.form->Label2->text() + f.form->Label3->text() + f.form->Label5->text(),
             QString(composed).remove(QLatin1Char(':')));
}

void TestClockSettings::setRefusedLeavesTheClockAndThePanel_data() {
    QTest::addColumn<bool>("moveBars");
    QTest::addColumn<QString>("refusal");  // what the clock setter answers
    QTest::addColumn<int>("asked");
    QTest::addColumn<QStringList>("messageParts");
    QTest::newRow("designed 00:00AM is not a time")
        << false << "" << 0 << QStringList{"\" 00:00AM\"", "hour must be from 01 to 12"};
    QTest::newRow("no rights") << true
                               << "You do not have the right to change the computer's clock." << 1
                               << QStringList{"07:45PM", "You do not have the right"};
    QTest::newRow("automatic time") << true << "Automatic time synchronisation is on." << 1
                                    << QStringList{"Automatic time synchronisation is on."};
}

void TestClockSettings::setRefusedLeavesTheClockAndThePanel() {
    QFETCH(bool, moveBars);
    QFETCH(QString, refusal);
    QFETCH(int, asked);
    QFETCH(QStringList, messageParts);
    ClockWindowFixture f;
    if (!refusal.isEmpty()) f.timeSetter.refuseWith(refusal);
    QVERIFY(f.load());
    enterTimeSetting(f);
    if (moveBars) {
        f.form->HScroll1->setValue(7);
        f.form->HScroll2->setValue(45);
        f.form->HScroll3->setValue(2);
        f.form->HScroll3->setValue(1);
    }
    f.form->Command9->click();
    QCOMPARE(f.timeSetter.asked.size(), asked);
    QCOMPARE(f.dialogs.messages.size(), 1);
    const QString message = f.dialogs.messages.front();
    for (const QString& part : messageParts) QVERIFY2(message.contains(part), qPrintable(message));
    QVERIFY2(message.contains(QLatin1String("left as it is")), qPrintable(message));
    // Still in the time-setting mode, to correct the time or leave.
    QCOMPARE(f.form->Label1->text(), QStringLiteral(" Clock :"));
    const Shown shown = shownOf(*f.form);
    QVERIFY(shown.slider && shown.set && shown.closeClockSettings && !shown.alarmSwitches);
}

void TestClockSettings::slidersColourTheDigitsUntilTheNextStart() {
    ClockWindowFixture f;
    QVERIFY(f.load());
    enterTimeSetting(f);
    f.form->Slider2->setValue(0);
    f.form->Slider3->setValue(0);
    f.form->Slider1->setValue(255);
    QCOMPARE(f.form->Picture1->foreColor(), QColor(255, 0, 0));
    f.form->tick();
    QCOMPARE(f.form->Picture1->printed().front().color, QColor(255, 0, 0));
    // The user drags a slider with the mouse: the digits follow.
    f.form->Slider2->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(f.form->Picture1->foreColor(), QColor(255, f.form->Slider2->value(), 0));
    QVERIFY(f.form->Slider2->value() > 0);

    f.dialogs.answerAllQuestions(true);
    f.form->unload();
    f.form.reset();
    auto next = f.restart();
    QVERIFY(next->load());
    QCOMPARE(next->Picture1->foreColor(), QColor(255, 255, 128));
    next->tick();
    QCOMPARE(next->Picture1->printed().front().color, QColor(255, 255, 128));
}

QTEST_MAIN(TestClockSettings)
#include "tst_clocksettings.moc"
