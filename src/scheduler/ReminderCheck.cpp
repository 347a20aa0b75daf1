#include "scheduler/ReminderCheck.h"

#include <QListWidget>

#include "SettingsStore.h"
#include "clock/Form1.h"

ReminderCheck::ReminderCheck(Form1& form) : m_form(form) {}

bool ReminderCheck::isDue(const QString& entry, const texts::TimeParts& now) {
    const QStringList parts = entry.split(QLatin1Char(':'));
    if (parts.size() < 3) return false;
    return texts::wholeNumber(parts[0]) == now.hour && texts::wholeNumber(parts[1]) == now.minute &&
           parts[2].trimmed() == now.ampm.trimmed();
}

void ReminderCheck::run(const texts::TimeParts& now) {
    QListWidget* list = m_form.List2;
    // Reading the entries leaves the list's current entry alone: it is set
    // only for the entry that comes due.
    for (int row = 0; row < list->count(); ++row) {
        if (m_form.alarmRinging) return;
        const QListWidgetItem* item = list->item(row);
        if (item && isDue(item->text(), now)) raise(row);
    }
}

void ReminderCheck::raise(int row) {
    m_form.List2->setCurrentRow(row);
    m_form.alarm();
    if (const std::unique_ptr<RecordSet> signal = m_form.app().openSignal())
        settings::writeHandoff(*signal, QStringLiteral("Pass"));
    m_form.hide();
    m_form.loadPlanner();
}
