#include "scheduler/ReminderDisplay.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>

#include "Database.h"
#include "RichTextBox.h"
#include "SettingsStore.h"
#include "Texts.h"
#include "clock/Form1.h"
#include "platform/IClock.h"
#include "platform/IDesktopNotifier.h"
#include "platform/IDialogs.h"
#include "scheduler/AppointmentPanel.h"
#include "scheduler/Form2.h"
#include "sound/ISoundDevice.h"

namespace {

// Sets a selector's text, choosing its list item when there is one.
void selectText(QComboBox* combo, const QString& text) {
    if (combo->currentText() == text) return;
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) combo->setCurrentIndex(index);
    if (combo->currentText() != text) combo->setEditText(text);
}

}  // namespace

ReminderDisplay::ReminderDisplay(Form2& form, AppointmentPanel& panel)
    : m_form(form), m_panel(panel) {}

std::optional<ReminderDisplay::DueTime> ReminderDisplay::dueTime() const {
    const Form1* clock = m_form.clockWindow();
    if (!clock || !clock->List2) return std::nullopt;
    const QListWidgetItem* item = clock->List2->currentItem();
    if (!item) return std::nullopt;
    const QStringList parts = item->text().split(QLatin1Char(':'));
    if (parts.size() < 3) return std::nullopt;
    return DueTime{parts[0].trimmed(), parts[1].trimmed(), parts[2].trimmed()};
}

void ReminderDisplay::takeFlagBack() {
    if (const std::unique_ptr<RecordSet> signal = m_form.app().openSignal())
        settings::writeHandoff(*signal, QStringLiteral("F"));
}

void ReminderDisplay::selectToday() {
    const texts::DateParts today = texts::dateParts(m_form.services().clock->now().date());
    selectText(m_form.Combo1, QString::number(today.day));
    selectText(m_form.Combo2, texts::monthName(today.month));
    selectText(m_form.Combo3, QString::number(today.year));
}

void ReminderDisplay::notifyDesktop(const QString& body) {
    // The desktop may have no notification service; the message box is shown anyway.
    if (IDesktopNotifier* notifier = m_form.services().notifier)
        notifier->notify(QStringLiteral("Schedule Reminder"), body);
}

void ReminderDisplay::show() {
    const std::optional<DueTime> due = dueTime();
    if (!due) {
        // Nothing is due: a flag left behind names no appointment.
        takeFlagBack();
        return;
    }
    const Services& services = m_form.services();
    const QDate todayDate = services.clock->now().date();
    const texts::DateParts today = texts::dateParts(todayDate);
    const DateTexts todayTexts{QString::number(today.day), texts::monthName(today.month),
                               QString::number(today.year)};

    // 1 .. 3: today in the calendar, the panel open with the date held.
    selectToday();
    m_panel.openForMaking();
    for (QComboBox* combo : {m_form.Combo1, m_form.Combo2, m_form.Combo3}) combo->setEnabled(false);

    // 4: the due appointment shown in the panel.
    AppContext& app = m_form.app();
    std::unique_ptr<RecordSet> set =
        app.plannerDb ? app.plannerDb->openRecordSet(QStringLiteral("scheduler")) : nullptr;
    bool found = false;
    if (set) {
        for (bool ok = set->moveFirst(); ok && !set->atEnd() && !found; ok = set->moveNext()) {
            const Appointment a = Appointment::current(*set);
            if (!a.isOn(todayTexts) || !a.isAtEntry(due->hour, due->minute, due->ampm)) continue;
            m_panel.showAppointment(a);
            found = true;
        }
    }

    // 5 .. 7: the flag taken back, the time held, today's list emptied, so
    // that no second reminder starts while this one is shown.
    takeFlagBack();
    for (QScrollBar* bar : {m_form.HScroll1, m_form.HScroll2, m_form.HScroll3})
        bar->setEnabled(false);
    if (Form1* clock = m_form.clockWindow()) clock->List2->clear();

    // 8
    notifyDesktop(due->hour + QLatin1Char(':') + due->minute.rightJustified(2, QLatin1Char('0')) +
                  QLatin1Char(' ') + due->ampm +
                  (found ? QStringLiteral("  ") + m_form.RichTextBox2->text() : QString()));
    services.dialogs->unbiddenMessage(QStringLiteral("Schedule Reminder"));

    // 9: the reminded appointment, and only it, is consumed.
    if (found && set) {
        const QString hour = m_form.Label53->text();
        const QString minute = m_form.Label55->text();
        const QString ampm = m_form.Label56->text();
        for (bool ok = set->moveFirst(); ok && !set->atEnd(); ok = set->moveNext()) {
            const Appointment a = Appointment::current(*set);
            // A deletion that fails leaves the record; the next refresh lists it as past.
            if (a.isOn(todayTexts) && a.isAtLabels(hour, minute, ampm)) set->remove();
        }
    }

    // 10 .. 13
    m_form.markDays();
    m_form.closePanel();
    m_form.refresh();
    if (services.sound) services.sound->stop();
}
