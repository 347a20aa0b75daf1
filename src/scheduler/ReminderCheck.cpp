#include "scheduler/ReminderCheck.h"

#include <algorithm>

#include "SettingsStore.h"
#include "Texts.h"
#include "clock/Form1.h"
#include "clock/ReminderList.h"
#include "platform/IClock.h"
#include "scheduler/Form2.h"
#include "scheduler/ObsoleteCleanup.h"

namespace {
QDateTime minuteOf(const QDateTime& moment) {
    const QTime time = moment.time();
    return QDateTime(moment.date(), QTime(time.hour(), time.minute()));
}
}  // namespace

ReminderCheck::ReminderCheck(Form1& form) : m_form(form) {}

std::optional<QTime> ReminderCheck::entryTime(const QString& entry) {
    const QStringList parts = entry.split(QLatin1Char(':'));
    if (parts.size() < 3) return std::nullopt;
    const std::optional<qint64> hour = texts::wholeNumber(parts[0]);
    const std::optional<qint64> minute = texts::wholeNumber(parts[1]);
    const QString ampm = parts[2].trimmed();
    if (!hour || !minute || (ampm != QLatin1String("AM") && ampm != QLatin1String("PM")))
        return std::nullopt;
    return texts::timeOfDay(*hour, *minute, ampm == QLatin1String("PM"));
}

void ReminderCheck::run() {
    const QDateTime now = minuteOf(m_form.services().clock->now());
    // The first tick looks at its own minute on; so does a tick after the
    // clock was set back, and the minutes it goes over again come anew.
    if (!m_examinedUpTo.isValid() || now < m_examinedUpTo) m_examinedUpTo = now.addSecs(-60);
    examine(now);

    // A planner window that went before it showed the handed-over reminder
    // (closed in the moment the reminder came) leaves it to come again.
    if (m_handedOver) {
        const Form2* planner = m_form.planner();
        if (!planner || !planner->isLoaded()) {
            m_queue.push_front(m_handedOver->at);
            m_handedOver.reset();
            m_form.releaseAlarm();
        }
    }
    // One at a time: nothing starts while a reminder or the alarm waits for
    // its answer.
    if (!m_handedOver && !m_form.alarmRinging && !m_queue.empty()) raise(now);
}

void ReminderCheck::examine(const QDateTime& now) {
    const QDate listDate = m_form.obsoleteCleanup().listDate();
    if (!listDate.isValid()) return;
    // Minutes of days the list was never built for are passed over.
    const QDateTime from = std::max(m_examinedUpTo, QDateTime(listDate, QTime(0, 0)).addSecs(-60));
    const QDateTime upTo = std::min(now, QDateTime(listDate, QTime(23, 59)));
    if (upTo <= from) return;
    const ReminderList* list = m_form.List2;
    for (int row = 0; row < list->count(); ++row) {
        const std::optional<QTime> time = entryTime(list->text(row));
        if (!time) continue;
        const QDateTime at(listDate, *time);
        if (at > from && at <= upTo) enqueue(at);
    }
    m_examinedUpTo = upTo;
}

void ReminderCheck::enqueue(const QDateTime& at) {
    // Two appointments at one minute are one reminder, which consumes both.
    if (m_handedOver && m_handedOver->at == at) return;
    const auto place = std::lower_bound(m_queue.begin(), m_queue.end(), at);
    if (place != m_queue.end() && *place == at) return;
    m_queue.insert(place, at);
}

void ReminderCheck::raise(const QDateTime& now) {
    m_handedOver = DueReminder{m_queue.front(), m_queue.front() < now};
    m_queue.pop_front();
    m_form.alarm();
    m_form.holdAlarm();
    if (const std::unique_ptr<RecordSet> signal = m_form.app().openSignal())
        settings::writeHandoff(*signal, QStringLiteral("Pass"));
    m_form.hide();
    m_form.loadPlanner();
    // A planner window that could not load has said why; its reminder would
    // only fail the same way again.
    const Form2* planner = m_form.planner();
    if (!planner || !planner->isLoaded()) answered();
}

void ReminderCheck::answered() {
    m_handedOver.reset();
    m_form.releaseAlarm();
}

bool ReminderCheck::owes(const QDateTime& due) const {
    if (m_handedOver && m_handedOver->at == due) return true;
    if (std::binary_search(m_queue.begin(), m_queue.end(), due)) return true;
    // Today's minutes that have come but that no tick has examined yet.
    const QDateTime now = m_form.services().clock->now();
    return m_examinedUpTo.isValid() && due.date() == now.date() && due > m_examinedUpTo &&
           due <= now;
}
