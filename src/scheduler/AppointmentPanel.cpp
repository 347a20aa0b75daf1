#include "scheduler/AppointmentPanel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <limits>
#include <optional>

#include "Database.h"
#include "RichTextBox.h"
#include "StartWithDesktop.h"
#include "Texts.h"
#include "diary/CalendarGrid.h"
#include "platform/IDialogs.h"
#include "clock/Form1.h"
#include "scheduler/AppointmentBook.h"
#include "scheduler/Form2.h"

namespace {

const QString kRemoveCaption = QStringLiteral("Remove schedule");
const QString kMakeCaption = QStringLiteral("Make schedule");

// A number of a message written with its sign blank (" 8"); a text that is
// no whole number is written as it stands.
QString withSignBlank(const QString& text) {
    const auto n = texts::wholeNumber(text);
    return n ? texts::signBlank(*n) : text.trimmed();
}

// A number written by value ("05" -> "5"); a text that is no whole number is
// written as it stands.
QString byValue(const QString& text) {
    const auto n = texts::wholeNumber(text);
    return n ? QString::number(*n) : text.trimmed();
}

// The minute label as a 16-bit number; 0 when it holds none.
int minuteOf(const QString& label) {
    const auto n = texts::wholeNumber(label);
    if (!n || *n < std::numeric_limits<qint16>::min() || *n > std::numeric_limits<qint16>::max())
        return 0;
    return int(*n);
}

}  // namespace

AppointmentPanel::AppointmentPanel(Form2& form) : m_form(form) {}

// --- Messages ----------------------------------------------------------------

QString AppointmentPanel::duplicateText(const QString& existingText) {
    return QStringLiteral("There is already a schedule '") + existingText +
           QStringLiteral("' at this time of the day. Please reschedule.");
}

QString AppointmentPanel::tooLongText(int length) {
    return QStringLiteral(
               "The text of an appointment may have at most %L1 characters; this one has %L2. "
               "Please shorten it. Nothing was saved.")
        .arg(Appointment::kMaxTextLength)
        .arg(length);
}

QString AppointmentPanel::madeText(const DateTexts& date, const QString& hourLabel, int minute,
                                   const QString& ampm) {
    return QStringLiteral("I have made an appointment on ") + withSignBlank(date.day) +
           QLatin1Char(' ') + date.month.trimmed() + QStringLiteral(", ") +
           withSignBlank(date.year) + QStringLiteral(" at ") + hourLabel.trimmed() +
           QStringLiteral(" : ") + QString::number(minute) + QStringLiteral("  ") + ampm.trimmed();
}

QString AppointmentPanel::countText(int count) {
    return QStringLiteral("You have ") + texts::signBlank(count) +
           QStringLiteral(
               " schedules today. Please use the horizontal slider at the bottom to switch "
               "between them.");
}

QString AppointmentPanel::removalQuestion(const DateTexts& date, const QString& hourLabel,
                                          const QString& minuteLabel, const QString& ampmLabel) {
    const QString dateText = byValue(date.day) + QLatin1Char(' ') + date.month.trimmed() +
                             QStringLiteral(", ") + byValue(date.year);
    const QString timeText = byValue(hourLabel) + QStringLiteral(" : ") + byValue(minuteLabel) +
                             QStringLiteral("  ") + ampmLabel.trimmed();
    return QStringLiteral("You sure you wish to remove the schedule on ") + dateText +
           QStringLiteral(" at ") + timeText + QLatin1Char('?');
}

QString AppointmentPanel::notFoundText() {
    return QStringLiteral("No appointment at the time shown was found on this date.");
}

// --- Scans -------------------------------------------------------------------

std::unique_ptr<RecordSet> AppointmentPanel::records() const {
    const AppContext& app = m_form.app();
    return app.plannerDb ? app.plannerDb->openRecordSet(QStringLiteral("scheduler")) : nullptr;
}

void AppointmentPanel::scan(RecordSet& set,
                            const std::function<bool(const Appointment&)>& visit) const {
    // A failing step ends the scan rather than repeating itself.
    for (bool ok = set.moveFirst(); ok && !set.atEnd(); ok = set.moveNext())
        if (!visit(Appointment::current(set))) return;
}

DateTexts AppointmentPanel::selectedDate() const {
    return m_form.calendar().selectedDate();
}

// --- Opening the panel ---------------------------------------------------------

void AppointmentPanel::openForMaking() {
    m_form.Command3->hide();
    for (QScrollBar* bar : {m_form.HScroll1, m_form.HScroll2, m_form.HScroll3})
        bar->setEnabled(true);
    m_form.Slider1->hide();
    m_form.Command1->setText(kMakeCaption);
    m_form.RichTextBox1->hide();
    m_form.Frame1->show();
    for (QComboBox* combo : {m_form.Combo1, m_form.Combo2, m_form.Combo3}) combo->setEnabled(false);
    m_form.RichTextBox2->setFocus();
    m_form.widen();
}

void AppointmentPanel::openForViewing() {
    openForMaking();
    for (QComboBox* combo : {m_form.Combo1, m_form.Combo2, m_form.Combo3}) combo->setEnabled(false);
    for (QScrollBar* bar : {m_form.HScroll1, m_form.HScroll2, m_form.HScroll3})
        bar->setEnabled(false);
    m_form.Command1->setText(kRemoveCaption);

    const int count = countOnDate();
    if (count > 1) m_form.services().dialogs->message(countText(count));
    showOnDate(count);
}

int AppointmentPanel::countOnDate() {
    const DateTexts date = selectedDate();
    int count = 0;
    if (auto set = records()) {
        scan(*set, [&](const Appointment& a) {
            // The count is a 16-bit number.
            if (a.isOn(date) && count < std::numeric_limits<qint16>::max()) ++count;
            return true;
        });
    }
    m_form.schedulesOnDate = qint16(count);
    return count;
}

void AppointmentPanel::showOnDate(int count) {
    // The slider holds its position within the new range itself.
    {
        const QSignalBlocker quiet(m_form.Slider1);
        m_form.Slider1->setRange(1, std::max(1, count));
    }
    m_form.Slider1->setVisible(count >= 2);
    // With one appointment the slider stands at 1 and shows it.
    if (count >= 1) sliderMoved();
}

void AppointmentPanel::recordsRemoved() {
    // Only the viewing mode shows stored appointments.
    if (m_form.Command1->text() != kRemoveCaption) return;
    const int count = countOnDate();
    if (count == 0)
        m_form.closePanel();
    else
        showOnDate(count);
}

// --- The pickers and the slider ----------------------------------------------

void AppointmentPanel::hourPicked() {
    m_form.Label53->setText(
        QStringLiteral("%1").arg(m_form.HScroll1->value(), 2, 10, QLatin1Char('0')));
}

void AppointmentPanel::minutePicked() {
    m_form.Label55->setText(
        QStringLiteral("%1").arg(m_form.HScroll2->value(), 2, 10, QLatin1Char('0')));
}

void AppointmentPanel::ampmPicked() {
    m_form.Label56->setText(m_form.HScroll3->value() == 1 ? QStringLiteral("PM")
                                                          : QStringLiteral("AM"));
}

void AppointmentPanel::sliderMoved() {
    const DateTexts date = selectedDate();
    const int position = m_form.Slider1->value();
    int n = 0;
    auto set = records();
    if (!set) return;
    scan(*set, [&](const Appointment& a) {
        if (!a.isOn(date)) return true;
        if (++n < position) return true;
        showAppointment(a);
        return false;
    });
}

void AppointmentPanel::showAppointment(const Appointment& appointment) {
    // An hour or minute outside the pickers' ranges leaves its label as it was.
    if (const auto hour = texts::wholeNumber(appointment.hour); hour && *hour >= 1 && *hour <= 12)
        m_form.Label53->setText(QString::number(*hour));
    if (const auto minute = texts::wholeNumber(appointment.minute);
        minute && *minute >= 0 && *minute <= 59)
        m_form.Label55->setText(QString::number(*minute));
    m_form.Label56->setText(appointment.ampm.toString().trimmed());
    m_form.RichTextBox2->setText(Appointment::shownText(appointment.textValue()));
}

// --- Command1 ----------------------------------------------------------------

void AppointmentPanel::commandPressed() {
    if (m_form.Command1->text() == kRemoveCaption)
        remove();
    else
        make();
    m_form.refresh();
}

void AppointmentPanel::make() {
    IDialogs& dialogs = *m_form.services().dialogs;
    const DateTexts date = selectedDate();
    const QString hour = m_form.Label53->text().trimmed();
    const int minute = minuteOf(m_form.Label55->text());
    const QString ampm = m_form.Label56->text().trimmed();
    const QString text = m_form.RichTextBox2->text();
    if (text.size() > Appointment::kMaxTextLength) {
        dialogs.message(tooLongText(int(text.size())));
        return;
    }

    AppointmentBook book(m_form.app());
    if (!book.isOpen()) return;
    std::optional<QString> existing =
        book.textAt(AppointmentSlot::wanted(date, hour, QString::number(minute), ampm));
    if (existing) existing = Appointment::shownText(*existing);
    if (existing) {
        dialogs.message(duplicateText(*existing));
        return;
    }

    QString why;
    if (!book.append({date.day, date.month, date.year, hour, minute, ampm, text}, &why)) {
        // Said plainly rather than reported as made: the appointment would
        // otherwise never come, and the user would not know.
        dialogs.message(
            QStringLiteral("The appointment could not be stored: %1. Nothing was saved.").arg(why),
            MessageKind::Failure);
        return;
    }
    dialogs.message(madeText(date, hour, minute, ampm));
    m_form.markDays();
    // A reminder program that is not running reminds nobody.
    if (Form1* clock = m_form.clockWindow()) clock->startWithDesktop().offerOnce();
}

void AppointmentPanel::remove() {
    IDialogs& dialogs = *m_form.services().dialogs;
    const DateTexts date = selectedDate();
    const QString hour = m_form.Label53->text();
    const QString minute = m_form.Label55->text();
    const QString ampm = m_form.Label56->text();
    const QString question = removalQuestion(date, hour, minute, ampm);

    bool found = false;
    if (auto set = records()) {
        // Each matching record gets its own question; the scan goes on either way.
        scan(*set, [&](const Appointment& a) {
            if (!a.isOn(date) || !a.isAtLabels(hour, minute, ampm)) return true;
            found = true;
            if (!dialogs.question(question)) {
                dialogs.message(QStringLiteral("Schedule NOT removed"));
            } else if (set->remove()) {
                dialogs.message(QStringLiteral("Schedule removed"));
            } else {
                dialogs.message(
                    QStringLiteral("The schedule could not be removed: %1.").arg(set->lastError()),
                    MessageKind::Failure);
            }
            return true;
        });
    }
    // An appointment the labels cannot show (stored at hour "00") matches
    // nothing; the press must not pass in silence.
    if (!found) dialogs.message(notFoundText());
    m_form.markDays();
    if (m_form.schedulesOnDate < 2)
        m_form.closePanel();
    else
        openForViewing();
}
