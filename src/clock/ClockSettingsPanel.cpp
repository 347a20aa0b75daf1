#include "clock/ClockSettingsPanel.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>

#include "StartWithDesktop.h"
#include "Twips.h"
#include "clock/ClockRules.h"
#include "clock/Form1.h"
#include "clock/ITimeSetter.h"
#include "clock/PictureBox.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "platform/IPauser.h"

ClockSettingsPanel::ClockSettingsPanel(Form1& form) : m_form(form) {
    // The panel starts closed.
    putAwayTimeRow();
    // The colour sliders start at the digits' designed colour.
    form.Slider1->setValue(255);
    form.Slider2->setValue(255);
    form.Slider3->setValue(128);
}

void ClockSettingsPanel::step() {
    m_form.services().pauser->pause(kStepPauseMs);
}

void ClockSettingsPanel::open() {
    Form1& f = m_form;
    for (QWidget* w : std::initializer_list<QWidget*>{f.Slider1, f.Slider2, f.Slider3, f.Command9})
        w->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{f.HScroll1, f.HScroll2, f.HScroll3, f.Check1,
                                                      f.Check2, f.Command5, f.Command3})
        w->show();
    // The autostart entry may have been changed outside the program.
    f.Check4->show();
    f.startWithDesktop().refresh();
    f.Command8->hide();
    f.Command6->show();
    f.Command13->show();
    f.Command10->hide();
    f.Image1->show();
    for (QWidget* w : std::initializer_list<QWidget*>{f.Label1, f.Label2, f.Label3, f.Label4,
                                                      f.Label5, f.Label6, f.Label7, f.Label8})
        w->show();
    f.Command11->show();
    f.Command12->hide();

    QPalette palette = f.palette();
    palette.setColor(QPalette::Window, Qt::black);
    f.setPalette(palette);

    for (double height = kOpenFrom; height <= kOpenLimit; height += kStep) {
        twips::setHeight(&f, height);
        step();
    }
    f.Command2->show();
    f.Command1->hide();
}

void ClockSettingsPanel::close() {
    Form1& f = m_form;
    f.Command3->show();
    f.Command8->hide();
    if (twips::width(&f) > kWideWindow) {
        for (double width = kShrinkFrom; width >= kShrinkLimit; width -= kStep) {
            twips::setWidth(&f, width);
            step();
        }
    }
    for (double height = kCloseFrom; height >= kClosedHeight; height -= kStep) {
        twips::setHeight(&f, height);
        step();
    }
    // The window's height is its inner height, so the top of the time row
    // would still show below the clock. Opening shows it again.
    putAwayTimeRow();
    f.Command2->hide();
    f.Command1->show();
}

void ClockSettingsPanel::putAwayTimeRow() {
    for (QWidget* w : std::initializer_list<QWidget*>{m_form.Label1, m_form.Label2, m_form.Label3,
                                                      m_form.Label4, m_form.Label5})
        w->hide();
}

void ClockSettingsPanel::showTimeRowSwitches(bool visible) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_form.Label6, m_form.Label7, m_form.Check1,
                                                      m_form.Check2, m_form.Check4})
        w->setVisible(visible);
}

void ClockSettingsPanel::enterTimeSetting() {
    Form1& f = m_form;
    if (f.helpOn) f.showHelpPage(QStringLiteral("clocksettings.rtf"));
    for (QSlider* slider : {f.Slider1, f.Slider2, f.Slider3}) {
        slider->show();
        slider->setRange(0, 255);
    }
    showTimeRowSwitches(false);
    f.Label1->setText(QStringLiteral(" Clock :"));
    f.Command9->show();
    f.Command6->hide();
    f.Command10->show();
}

QString ClockSettingsPanel::composedTime() const {
    return m_form.Label2->text() + m_form.Label4->text() + m_form.Label3->text() +
           m_form.Label5->text();
}

void ClockSettingsPanel::setTime() {
    Form1& f = m_form;
    const QString composed = composedTime();
    // The clock is set first; when it cannot be, the user is told why and
    // the panel stays in the time-setting mode to correct or leave it.
    QString whyNot;
    bool done = false;
    if (const auto time = clockrules::readTwelveHourTime(composed)) {
        if (f.services().timeSetter) {
            // The date is not changed.
            const QDate today = f.services().clock->now().date();
            done = f.services().timeSetter->setClock(QDateTime(today, *time), &whyNot);
        } else {
            whyNot =
                QStringLiteral("Setting the computer's clock is not available in this program.");
        }
    } else {
        whyNot = QStringLiteral(
                     "\"%1\" is not a time of day: the hour must be from 01 to 12. Choose the "
                     "hour, minute and AM or PM with the three bars first.")
                     .arg(composed);
    }
    if (!done) {
        f.services().dialogs->message(
            QStringLiteral("The computer's clock could not be set to %1.\r\n\r\n%2"
                           "\r\n\r\nThe clock was left as it is.")
                .arg(composed.trimmed(), whyNot),
            MessageKind::Failure);
        return;
    }
    for (QSlider* slider : {f.Slider1, f.Slider2, f.Slider3}) slider->hide();
    f.Command9->hide();
    f.Command10->hide();
    f.Command6->show();
    f.Label1->setText(QStringLiteral("Alarm : "));
    showTimeRowSwitches(true);
}

void ClockSettingsPanel::leaveTimeSetting() {
    Form1& f = m_form;
    for (QSlider* slider : {f.Slider1, f.Slider2, f.Slider3}) slider->hide();
    showTimeRowSwitches(true);
    f.Command10->hide();
    f.Command6->show();
    f.Label1->setText(QStringLiteral(" Alarm :"));
    f.Command9->hide();
}

void ClockSettingsPanel::hourChanged(int value) {
    m_form.Label2->setText(clockrules::twoDigits(value));
}

void ClockSettingsPanel::minuteChanged(int value) {
    m_form.Label3->setText(clockrules::twoDigits(value));
}

void ClockSettingsPanel::ampmChanged(int value) {
    if (value == 1 || value == 2) m_form.Label5->setText(clockrules::ampmText(value));
}

void ClockSettingsPanel::colourChanged() {
    m_form.Picture1->setForeColor(
        QColor(m_form.Slider1->value(), m_form.Slider2->value(), m_form.Slider3->value()));
}
