// The scheduler panel: making appointments with the pickers' labels, the
// duplicate rule, viewing a date's appointments with the slider, removing
// them, and the refresh after every press of the panel's button. The
// appointments are read back from the database file itself.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QtTest>

#include "RichTextBox.h"
#include "Twips.h"
#include "diary/CalendarGrid.h"
#include "diary/CalendarLabel.h"
#include "diary/DayMarker.h"
#include "scheduler/AppointmentPanel.h"
#include "scheduler/Form2.h"
#include "support/PlannerFixture.h"

namespace {
const QString kAll =
    QStringLiteral("SELECT sday, smonth, syear, shour, sminute, sampm, stext FROM scheduler");
const QString kSlider = QStringLiteral(
    " schedules today. Please use the horizontal slider at the bottom to switch between them.");
// Presses the day's cell and picks "View/Remove schedule" from its menu, as
// the user does; the item is offered only on a day marked green.
void viewDay(PlannerFixture& p, const QString& day) {
    p.choose = [&](QMenu*) { return p.form->menus.vea; };
    p.form->calendar().pressDay(int(p.captions().indexOf(day)), 1);
    p.choose = nullptr;
}
}  // namespace

class TestAppointmentPanel : public QObject {
    Q_OBJECT
private slots:
    void pickersWriteTheirLabels_data();
    void pickersWriteTheirLabels();
    void makeStoresTheLabels_data();
    void makeStoresTheLabels();
    void duplicateRule_data();
    void duplicateRule();
    void threeAppointmentsWithTheSlider();
    void removeOne_data();
    void removeOne();
    void everyPressRefreshes_data();
    void everyPressRefreshes();
    void cleanupEmptiesTheDateOnView();
    void listingsUseTheHiddenBox();
};

void TestAppointmentPanel::pickersWriteTheirLabels_data() {
    QTest::addColumn<int>("picker");  // 1 hour, 2 minute, 3 AM/PM
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("label");
    QTest::newRow("hour 1") << 1 << 1 << "01";
    QTest::newRow("hour 12") << 1 << 12 << "12";
    QTest::newRow("minute 0") << 2 << 0 << "00";
    QTest::newRow("minute 7") << 2 << 7 << "07";
    QTest::newRow("minute 59") << 2 << 59 << "59";
    QTest::newRow("position 1 is PM") << 3 << 1 << "PM";
    QTest::newRow("position 2 is AM") << 3 << 2 << "AM";
}

void TestAppointmentPanel::pickersWriteTheirLabels() {
    QFETCH(int, picker);
    QFETCH(int, value);
    QFETCH(QString, label);
    PlannerFixture p;
    QVERIFY(p.load());
    QScrollBar* bars[] = {p.form->HScroll1, p.form->HScroll2, p.form->HScroll3};
    QLabel* labels[] = {p.form->Label53, p.form->Label55, p.form->Label56};
    QScrollBar* bar = bars[picker - 1];
    // Move away first, so that the value asked for is a change.
    bar->setValue(value == bar->maximum() ? bar->minimum() : bar->maximum());
    bar->setValue(value);
    QCOMPARE(labels[picker - 1]->text(), label);
}

void TestAppointmentPanel::makeStoresTheLabels_data() {
    QTest::addColumn<int>("hour");    // 0: the picker is not moved
    QTest::addColumn<int>("minute");  // -1: not moved
    QTest::addColumn<int>("ampm");    // 0: not moved
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("made");
    QTest::newRow("fresh panel: hour label still 00")
        << 0 << -1 << 0 << "Call"
        << "20|December|2026|00|0|PM|Call"
        << "I have made an appointment on  20 December,  2026 at 00 : 0  PM";
    QTest::newRow("05:07 PM") << 5 << 7 << 1 << "Dentist"
                              << "20|December|2026|05|7|PM|Dentist"
                              << "I have made an appointment on  20 December,  2026 at 05 : 7  PM";
    QTest::newRow("12:59 AM, text kept with its blanks and lines")
        << 12 << 59 << 2 << "  Two\r\nlines  "
        << "20|December|2026|12|59|AM|  Two\r\nlines  "
        << "I have made an appointment on  20 December,  2026 at 12 : 59  AM";
    QTest::newRow("empty text")
        << 9 << 0 << 2 << ""
        << "20|December|2026|09|0|AM|"
        << "I have made an appointment on  20 December,  2026 at 09 : 0  AM";
    QTest::newRow("longer than a text may be: nothing stored")
        << 9 << 0 << 2 << QString(Appointment::kMaxTextLength + 1, QLatin1Char('x')) << ""
        << AppointmentPanel::tooLongText(Appointment::kMaxTextLength + 1);
}

void TestAppointmentPanel::makeStoresTheLabels() {
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, ampm);
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QFETCH(QString, made);
    PlannerFixture p;
    QVERIFY(p.load());
    p.form->Combo1->setEditText("20");
    p.form->menus.note1->trigger();
    QCOMPARE(twips::width(p.form.get()), 9860.0);
    QVERIFY(!p.form->Combo1->isEnabled());
    if (hour) p.form->HScroll1->setValue(hour);
    if (minute >= 0) {
        p.form->HScroll2->setValue(minute == 59 ? 0 : 59);
        p.form->HScroll2->setValue(minute);
    }
    if (ampm) {
        p.form->HScroll3->setValue(3 - ampm);
        p.form->HScroll3->setValue(ampm);
    }
    p.form->RichTextBox2->setText(text);
    QTest::mouseClick(p.form->Command1, Qt::LeftButton);
    QCOMPARE(p.folder.query(kAll), stored.isEmpty() ? QStringList() : QStringList{stored});
    QCOMPARE(p.dialogs.messages, QStringList{made});
    if (stored.isEmpty()) return;
    // Still making, the labels as they were; the day turned green.
    QCOMPARE(p.form->Command1->text(), QString("Make schedule"));
    QCOMPARE(twips::width(p.form.get()), 9860.0);
    QCOMPARE(p.form->Label53->text(), stored.section('|', 3, 3));
    const int cell = p.captions().indexOf("20");
    QCOMPARE(p.form->dayCell(cell)->textColor(), DayMarker::kSchedule);
}

void TestAppointmentPanel::duplicateRule_data() {
    QTest::addColumn<QString>("existingHour");
    QTest::addColumn<QString>("existingAmPm");
    QTest::addColumn<QString>("existingDay");
    QTest::addColumn<bool>("refused");
    QTest::newRow("same date and time") << "05"
                                        << "PM"
                                        << "20" << true;
    QTest::newRow("stored hour 5 against the label 05") << "5"
                                                        << "PM"
                                                        << "20" << true;
    QTest::newRow("5:07 AM and 5:07 PM are two") << "05"
                                                 << "AM"
                                                 << "20" << false;
    QTest::newRow("another day") << "05"
                                 << "PM"
                                 << "21" << false;
}

void TestAppointmentPanel::duplicateRule() {
    QFETCH(QString, existingHour);
    QFETCH(QString, existingAmPm);
    QFETCH(QString, existingDay);
    QFETCH(bool, refused);
    PlannerFixture p;
    QVERIFY(
        p.addAppointment(existingDay, "December", "2026", existingHour, 7, existingAmPm, "First"));
    QVERIFY(p.load());
    p.form->Combo1->setEditText("20");
    p.form->menus.note1->trigger();
    p.form->HScroll1->setValue(5);
    p.form->HScroll2->setValue(7);
    p.form->RichTextBox2->setText("Second");
    QTest::mouseClick(p.form->Command1, Qt::LeftButton);
    const QStringList texts = p.folder.query("SELECT stext FROM scheduler");
    if (refused) {
        QCOMPARE(p.dialogs.messages,
                 QStringList{"There is already a schedule 'First' at this time of the day. Please "
                             "reschedule."});
        QCOMPARE(texts, QStringList{"First"});
    } else {
        QCOMPARE(p.dialogs.messages.size(), 1);
        QVERIFY(p.dialogs.messages[0].startsWith("I have made an appointment on  20 December"));
        QCOMPARE(texts, (QStringList{"First", "Second"}));
    }
}

void TestAppointmentPanel::threeAppointmentsWithTheSlider() {
    PlannerFixture p;
    QVERIFY(p.addAppointment("20", "December", "2026", "05", 7, "PM", "A"));
    QVERIFY(p.addAppointment("21", "December", "2026", "06", 0, "PM", "other day"));
    QVERIFY(p.addAppointment("20", "December", "2026", "06", 0, "PM", "B"));
    QVERIFY(p.addAppointment("20", "December", "2026", "11", 45, "AM", "C"));
    QVERIFY(p.load());
    viewDay(p, "20");
    QCOMPARE(p.dialogs.messages, QStringList{"You have  3" + kSlider});
    QCOMPARE(p.form->schedulesOnDate, qint16(3));
    QCOMPARE(p.form->Command1->text(), QString("Remove schedule"));
    QVERIFY(p.form->Slider1->isVisible());
    QCOMPARE(p.form->Slider1->minimum(), 1);
    QCOMPARE(p.form->Slider1->maximum(), 3);
    for (QScrollBar* bar : {p.form->HScroll1, p.form->HScroll2, p.form->HScroll3})
        QVERIFY(!bar->isEnabled());

    auto shown = [&] {
        return QStringList{p.form->Label53->text(), p.form->Label55->text(),
                           p.form->Label56->text(), p.form->RichTextBox2->text()};
    };
    QCOMPARE(shown(), (QStringList{"5", "7", "PM", "A"}));
    p.form->Slider1->setValue(3);
    QCOMPARE(shown(), (QStringList{"11", "45", "AM", "C"}));
    p.form->Slider1->setValue(2);
    QCOMPARE(shown(), (QStringList{"6", "0", "PM", "B"}));

    // Removing the one shown re-opens the view with the two left.
    p.dialogs.expectQuestion(
        "You sure you wish to remove the schedule on 20 December, 2026 at 6 : 0  PM?", true);
    QTest::mouseClick(p.form->Command1, Qt::LeftButton);
    QVERIFY(p.dialogs.allAnswersUsed());
    QCOMPARE(p.dialogs.messages,
             (QStringList{"You have  3" + kSlider, "Schedule removed", "You have  2" + kSlider}));
    QCOMPARE(p.folder.query("SELECT stext FROM scheduler"), (QStringList{"A", "other day", "C"}));
    QCOMPARE(p.form->Slider1->maximum(), 2);
    QCOMPARE(p.form->Slider1->value(), 2);
    QCOMPARE(shown(), (QStringList{"11", "45", "AM", "C"}));
    QCOMPARE(twips::width(p.form.get()), 9860.0);
}

void TestAppointmentPanel::removeOne_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestAppointmentPanel::removeOne() {
    QFETCH(bool, yes);
    PlannerFixture p;
    QVERIFY(p.addAppointment("20", "December", "2026", "05", 7, "PM", "Dentist"));
    QVERIFY(p.addAppointment("20", "December", "2026", "05", 7, "AM", "Early"));
    QVERIFY(p.addAppointment("20", "December", "2027", "05", 7, "PM", "Next year"));
    QVERIFY(p.load());
    viewDay(p, "20");
    p.form->Slider1->setValue(1);
    // Two on the date: the stored hour 05 is shown as 5 and still matches.
    QCOMPARE(p.form->Label53->text(), QString("5"));
    p.dialogs.expectQuestion(
        "You sure you wish to remove the schedule on 20 December, 2026 at 5 : 7  PM?", yes);
    QTest::mouseClick(p.form->Command1, Qt::LeftButton);
    QVERIFY(p.dialogs.allAnswersUsed());
    QCOMPARE(p.dialogs.messages.mid(1, 1),
             QStringList{yes ? "Schedule removed" : "Schedule NOT removed"});
    QCOMPARE(
        p.folder.query("SELECT stext FROM scheduler"),
        (yes ? QStringList{"Early", "Next year"} : QStringList{"Dentist", "Early", "Next year"}));

    // With one appointment left on the date: no count message, no slider,
    // and the panel closes after its removal.
    if (!yes) return;
    p.dialogs.messages.clear();
    viewDay(p, "20");
    QVERIFY(p.dialogs.messages.isEmpty());
    QVERIFY(!p.form->Slider1->isVisible());
    QCOMPARE(p.form->RichTextBox2->text(), QString("Early"));
    p.dialogs.expectQuestion(
        "You sure you wish to remove the schedule on 20 December, 2026 at 5 : 7  AM?", true);
    QTest::mouseClick(p.form->Command1, Qt::LeftButton);
    QCOMPARE(p.dialogs.messages, QStringList{"Schedule removed"});
    QCOMPARE(p.folder.query("SELECT stext FROM scheduler"), QStringList{"Next year"});
    QCOMPARE(twips::width(p.form.get()), 5485.0);
    QCOMPARE(p.form->Command1->text(), QString("Make schedule"));
    const int cell = p.captions().indexOf("20");
    QVERIFY(p.form->dayCell(cell)->textColor() != DayMarker::kSchedule);
}

void TestAppointmentPanel::everyPressRefreshes_data() {
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("firstMessage");
    QTest::newRow("made") << "make"
                          << "I have made an appointment on  20 December,  2026 at 05 : 7  PM";
    QTest::newRow("refused") << "duplicate"
                             << "There is already a schedule 'Dentist' at this time of the day. "
                                "Please reschedule.";
    QTest::newRow("removed") << "remove"
                             << "Schedule removed";
    // Stored at hour 00, which the labels cannot show: they keep 12 from
    // the panel's Close, and nothing matches.
    QTest::newRow("nothing at the time shown")
        << "remove at hour 00" << "No appointment at the time shown was found on this date.";
}

void TestAppointmentPanel::everyPressRefreshes() {
    QFETCH(QString, press);
    QFETCH(QString, firstMessage);
    PlannerFixture p;
    // Yesterday's appointment has passed; the refresh offers it for removal.
    QVERIFY(p.addAppointment("7", "December", "2026", "09", 0, "AM",
                             "A long text of yesterday's meeting"));
    if (press != "make")
        QVERIFY(p.addAppointment("20", "December", "2026", press.endsWith("00") ? "00" : "05", 7,
                                 "PM", "Dentist"));
    QVERIFY(p.load());
    p.form->Combo1->setEditText("20");
    if (press.startsWith("remove")) {
        if (press != "remove") p.form->closePanel();
        viewDay(p, "20");
        if (press == "remove")
            p.dialogs.expectQuestion(
                "You sure you wish to remove the schedule on 20 December, 2026 at 5 : 7  PM?",
                true);
    } else {
        p.form->menus.note1->trigger();
        p.form->HScroll1->setValue(5);
        p.form->HScroll2->setValue(7);
        p.form->RichTextBox2->setText("Dentist");
    }
    p.dialogs.answerAllQuestions(false);
    QTest::mouseClick(p.form->Command1, Qt::LeftButton);
    QCOMPARE(p.dialogs.messages, (QStringList{firstMessage, "Obsolete schedules NOT removed"}));
    QCOMPARE(p.dialogs.questions.size(), press == "remove" ? 2 : 1);
    QVERIFY(
        p.dialogs.questions.last().startsWith("The following schedules are obsolete! Shall I "
                                              "remove them? \r\n\r\n 1)  7  December 2026"));
    // The planner's copy uses the panel's box as its scratch space.
    QCOMPARE(p.form->RichTextBox2->text(), QString("A long text of yesterday's meeting"));
    QCOMPARE(p.form->RichTextBox2->selText(), QString("A long text of yeste"));
}

void TestAppointmentPanel::cleanupEmptiesTheDateOnView() {
    PlannerFixture p;
    QVERIFY(p.addAppointment("7", "December", "2026", "09", 0, "AM", "Breakfast"));
    QVERIFY(p.addAppointment("7", "December", "2026", "10", 0, "AM", "Meeting"));
    QVERIFY(p.load());
    viewDay(p, "7");
    p.form->Slider1->setValue(1);
    // Yes to the removal of the one shown, then Yes to the clean-up, which
    // takes the other one, still on view, with it.
    p.dialogs.answerAllQuestions(true);
    QTest::mouseClick(p.form->Command1, Qt::LeftButton);
    QCOMPARE(p.folder.query("SELECT stext FROM scheduler"), QStringList{});
    QCOMPARE(p.form->Command1->text(), QString("Make schedule"));
    QCOMPARE(p.form->RichTextBox2->text(), QString());
    QCOMPARE(twips::width(p.form.get()), 5485.0);
}

void TestAppointmentPanel::listingsUseTheHiddenBox() {
    PlannerFixture p;
    QVERIFY(p.addAppointment("20", "December", "2026", "05", 7, "PM", "Dentist"));
    QVERIFY(p.load());
    p.form->RichTextBox2->setText("typed, not lost");
    p.form->menus.note2->trigger();
    QCOMPARE(p.dialogs.messages,
             QStringList{"1) 20 December, 2026    5 : 7 PM    Dentist....\r\n"});
    p.dialogs.expectInput(" dentist");
    p.form->menus.note3->trigger();
    QCOMPARE(p.dialogs.messages.last(), QString(" dentist was not found in any schedule"));
    QCOMPARE(p.form->RichTextBox2->text(), QString("typed, not lost"));
}

QTEST_MAIN(TestAppointmentPanel)
#include "tst_appointmentpanel.moc"
