#include "clock/ClockWindowAccess.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

#include "Accessibility.h"
#include "FocusRing.h"
#include "clock/Form1.h"
#include "clock/PictureBox.h"
#include "platform/IClock.h"
#include "viewer/FolderTree.h"
#include "viewer/PictureViewer.h"

using accessibility::describe;

ClockWindowAccess::ClockWindowAccess(Form1& form)
    : QObject(&form), m_form(form) {
    new FocusRing(this);
    nameControls();
    orderControls();
    connect(form.Timer1, &QTimer::timeout, this, &ClockWindowAccess::onTick);
}

void ClockWindowAccess::nameControls() {
    Form1& f = m_form;
    describe(f.Picture1, faceName(), f.Picture1->toolTip());
    // The switches have their captions in labels beside them.
    describe(f.Check1, QStringLiteral("Enable alarm"));
    describe(f.Check2, QStringLiteral("Enable Chime"));
    f.Label6->setBuddy(f.Check1);
    f.Label7->setBuddy(f.Check2);
    describe(f.Command9, QStringLiteral("Set"), QStringLiteral("Set the computer's clock to this time"));
    const QString digits = QStringLiteral("Colour of the clock's digits");
    describe(f.Slider1, QStringLiteral("Red"), digits);
    describe(f.Slider2, QStringLiteral("Green"), digits);
    describe(f.Slider3, QStringLiteral("Blue"), digits);
    // The time row shows the alarm time, or the time to set in the
    // time-setting mode.
    const QString timeRow = QStringLiteral("The alarm time, or the time to set the clock to");
    accessibility::nameWithLabel(f.HScroll1, QStringLiteral("Hour"), f.Label2);
    accessibility::nameWithLabel(f.HScroll2, QStringLiteral("Minute"), f.Label3);
    accessibility::nameWithLabel(f.HScroll3, QStringLiteral("AM or PM"), f.Label5);
    for (QScrollBar* bar : {f.HScroll1, f.HScroll2, f.HScroll3}) {
        bar->setAccessibleDescription(timeRow);
        accessibility::makeKeyboardPicker(bar);
    }
    // The face takes the keyboard too: Return or Space on it is a click.
    accessibility::makeTabStop(f.Picture1);
    accessibility::nameScrollBars(&f);
}

void ClockWindowAccess::orderControls() {
    Form1& f = m_form;
    // Row by row as the window shows them; the buttons that share a place
    // stand next to each other, so that the focus passes from one to the
    // other when a click swaps them.
    accessibility::tabOrder({f.Picture1, f.Command1, f.Command2, f.Check1, f.Slider1, f.Slider2,
                             f.Slider3, f.Check2, f.Check4, f.HScroll1, f.HScroll2, f.HScroll3,
                             f.Command9, f.Command5, f.Command3, f.Command8, f.Command13, f.Command6,
                             f.Command10, f.Command11, f.Command12});
}

void ClockWindowAccess::nameViewerControls() {
    Form1& f = m_form;
    describe(f.Drive1, QStringLiteral("Drive"), f.Drive1->toolTip());
    describe(f.Dir1, QStringLiteral("Folder"),
             QStringLiteral("Choose a folder with Enter to add its pictures to the list"));
    describe(f.List1, QStringLiteral("Pictures"), f.List1->toolTip());
    accessibility::nameScrollBars(&f);
    // Between the clock's last button and the layout switches, as the
    // column and the slide-show row read.
    accessibility::tabOrder({f.Command10, f.Drive1, f.Dir1, f.List1, f.Check3, f.Option1,
                             f.Option2, f.Option3, f.Command11, f.Command12, f.Command16});
}

QString ClockWindowAccess::faceName() const {
    if (m_form.viewerOpen) {
        const QString entry = m_form.pictureViewer().selectedEntry();
        return entry.isEmpty() ? QStringLiteral("Picture")
                               : QStringLiteral("Picture ") + QFileInfo(entry).fileName();
    }
    return QStringLiteral("Clock ") +
           Form1::timeOfDayText(m_form.services().clock->now().time());
}

void ClockWindowAccess::onTick() {
    // Costs nothing while no assistive program is there to hear it.
    if (!QAccessible::isActive()) return;
    const QString name = faceName();
    if (m_form.Picture1->accessibleName() != name) m_form.Picture1->setAccessibleName(name);
}
