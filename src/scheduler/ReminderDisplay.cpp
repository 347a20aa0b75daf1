#include "scheduler/ReminderDisplay.h"

#include <QComboBox>
#include <QLabel>
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
#include "scheduler/ReminderCheck.h"
#include "sound/ISoundDevice.h"

namespace {

// How much of an appointment's text the desktop notification carries.
constexpr int kNotificationTextLength = 200;

// Sets a selector's text, choosing its list item when there is one.
void selectText(QComboBox* combo, const QString& text) {
    if (combo->currentText() == text) return;
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) combo->setCurrentIndex(index);
    if (combo->currentText() != text) combo->setEditText(text);
}

DateTexts dateTexts(const QDate& date) {
    const texts::DateParts parts = texts::dateParts(date);
    return DateTexts{QString::number(parts.day), texts::monthName(parts.month),
                     QString::number(parts.year)};
}

// "5:07 PM"
QString timeText(const QTime& time) {
    const texts::TimeParts parts = texts::timeParts(time);
    return QStringLiteral("%1:%2 %3")
        .arg(parts.hour)
        .arg(parts.minute, 2, 10, QLatin1Char('0'))
        .arg(parts.ampm);
}

}  // namespace

ReminderDisplay::ReminderDisplay(Form2& form, AppointmentPanel& panel)
    : m_form(form), m_panel(panel) {}

QString ReminderDisplay::messageText(const QDateTime& due, bool late, const QDate& today) {
    const QString reminder = QStringLiteral("Schedule Reminder");
    if (!late) return reminder;
    QString when = timeText(due.time());
    if (due.date() != today) {
        const DateTexts date = dateTexts(due.date());
        when += QStringLiteral(" on ") + date.day + QLatin1Char(' ') + date.month +
                QStringLiteral(", ") + date.year;
    }
    return reminder + QStringLiteral("\r\n\r\nThis reminder comes late: it was due at ") + when +
           QLatin1Char('.');
}

QString ReminderDisplay::notificationSummary(bool late) {
    return late ? QStringLiteral("Late schedule reminder") : QStringLiteral("Schedule Reminder");
}

QString ReminderDisplay::notificationBody(const QDateTime& due, bool late, const QString& text) {
    const QString when = timeText(due.time());
    const QString shown = Appointment::shownText(text, kNotificationTextLength);
    const QString body = late ? QStringLiteral("It was due at ") + when + QLatin1Char('.') : when;
    return shown.isEmpty() ? body : body + QStringLiteral("  ") + shown;
}

void ReminderDisplay::takeFlagBack() {
    if (const std::unique_ptr<RecordSet> signal = m_form.app().openSignal())
        settings::writeHandoff(*signal, QStringLiteral("F"));
}

void ReminderDisplay::selectDate(const QDate& date) {
    const DateTexts texts = dateTexts(date);
    selectText(m_form.Combo1, texts.day);
    selectText(m_form.Combo2, texts.month);
    selectText(m_form.Combo3, texts.year);
}

void ReminderDisplay::show() {
    // One reminder at a time: the clock window hands the next one over only
    // once this one is answered.
    if (m_open) return;
    Form1* clock = m_form.clockWindow();
    const std::optional<DueReminder> due =
        clock ? clock->reminders().handedOver() : std::optional<DueReminder>();
    if (!due) {
        // Nothing is due: a flag left behind names no appointment.
        takeFlagBack();
        return;
    }
    const Services& services = m_form.services();
    m_open = true;

    // 1 .. 3: its date in the calendar (today, unless it was due before
    // midnight), the panel open with the date held.
    selectDate(due->at.date());
    m_panel.openForMaking();
    for (QComboBox* combo : {m_form.Combo1, m_form.Combo2, m_form.Combo3}) combo->setEnabled(false);

    // 4: the due appointment shown in the panel.
    const DateTexts date = dateTexts(due->at.date());
    const texts::TimeParts time = texts::timeParts(due->at.time());
    AppContext& app = m_form.app();
    bool found = false;
    if (const std::unique_ptr<RecordSet> set =
            app.plannerDb ? app.plannerDb->openRecordSet(QStringLiteral("scheduler")) : nullptr) {
        for (bool ok = set->moveFirst(); ok && !set->atEnd() && !found; ok = set->moveNext()) {
            const Appointment a = Appointment::current(*set);
            if (!a.isOn(date) ||
                !a.isAtEntry(QString::number(time.hour), QString::number(time.minute), time.ampm))
                continue;
            m_panel.showAppointment(a);
            found = true;
        }
    }

    // 5, 6: the flag taken back, the time held. Today's list stays as it is:
    // the clock examines each minute once, so this reminder does not come
    // again, and one due meanwhile is queued rather than lost.
    takeFlagBack();
    for (QScrollBar* bar : {m_form.HScroll1, m_form.HScroll2, m_form.HScroll3})
        bar->setEnabled(false);

    // 8: announced without waiting, so the clock goes on meanwhile.
    IDesktopNotifier* notifier = services.notifier;
    const int notice =
        notifier
            ? notifier->notify(notificationSummary(due->late),
                               notificationBody(due->at, due->late,
                                                found ? m_form.RichTextBox2->text() : QString()))
            : 0;
    const QDateTime at = due->at;
    services.dialogs->openMessage(this, messageText(at, due->late, services.clock->now().date()),
                                  [this, at, found, notice] { answered(at, found, notice); });
}

void ReminderDisplay::answered(const QDateTime& due, bool found, int notice) {
    m_open = false;
    const Services& services = m_form.services();
    if (services.notifier) services.notifier->withdraw(notice);
    Form1* clock = m_form.clockWindow();
    if (clock) clock->reminders().answered();

    // 9: the reminded appointment, and only it, is consumed.
    AppContext& app = m_form.app();
    if (found && app.plannerDb) {
        const DateTexts date = dateTexts(due.date());
        const QString hour = m_form.Label53->text();
        const QString minute = m_form.Label55->text();
        const QString ampm = m_form.Label56->text();
        if (const std::unique_ptr<RecordSet> set =
                app.plannerDb->openRecordSet(QStringLiteral("scheduler"))) {
            for (bool ok = set->moveFirst(); ok && !set->atEnd(); ok = set->moveNext()) {
                const Appointment a = Appointment::current(*set);
                // A deletion that fails leaves the record; the next refresh lists it as past.
                if (a.isOn(date) && a.isAtLabels(hour, minute, ampm)) set->remove();
            }
        }
    }

    // 10 .. 13: the refresh asks its own question, if any, without waiting,
    // so the sound stops as soon as the reminder is answered.
    m_form.markDays();
    m_form.closePanel();
    m_form.refresh();
    if (services.sound) services.sound->stop();
}
