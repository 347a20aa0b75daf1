#include "sound/Alarm.h"

#include <QCheckBox>
#include <QLabel>
#include <QTimer>

#include "clock/Form1.h"
#include "clock/ReminderList.h"
#include "platform/IDesktopNotifier.h"
#include "platform/IDialogs.h"
#include "sound/SoundProcedures.h"

Alarm::Alarm(Form1& form, SoundProcedures& sound) : m_form(form), m_sound(sound) {}

QString Alarm::chimeClashText() {
    return QStringLiteral(
        "Chime has been enabled and it rings every hour. An alarm has also been set at a specific "
        "hour. "
        "Both cannot work simultaneously therefore the alarm is being turned off");
}

QString Alarm::appointmentClashText() {
    return QStringLiteral(
        "A schedule has been set for this hour of the day. Please change the alarm time or remove "
        "the schedule");
}

QString Alarm::postponeQuestion() {
    return QStringLiteral("Do you wish to postpone the alarm by a minute?");
}

std::optional<qint64> Alarm::alarmHour() const {
    return texts::wholeNumber(m_form.Label2->text());
}
std::optional<qint64> Alarm::alarmMinute() const {
    return texts::wholeNumber(m_form.Label3->text());
}
QString Alarm::alarmAmPm() const {
    return m_form.Label5->text().trimmed();
}

void Alarm::askPostpone(std::function<void(bool)> answered) {
    m_dialogOpen = true;
    m_sound.holdAlarm();
    // The desktop hears of the ringing too; without a notification service
    // the question alone is shown.
    IDesktopNotifier* notifier = m_form.services().notifier;
    const int notice =
        notifier ? notifier->notify(QStringLiteral("Alarm"),
                                    QStringLiteral("The alarm set for %1:%2 %3 is ringing")
                                        .arg(m_form.Label2->text().trimmed(),
                                             m_form.Label3->text().trimmed(), alarmAmPm()))
                 : 0;
    m_form.services().dialogs->openQuestion(
        this, postponeQuestion(), DefaultAnswer::Yes,
        [this, notifier, notice, answered = std::move(answered)](bool postpone) {
            m_dialogOpen = false;
            m_sound.releaseAlarm();
            if (notifier) notifier->withdraw(notice);
            answered(postpone);
        });
}

void Alarm::step(const texts::TimeParts& now) {
    m_sound.keepRinging();
    if (m_dialogOpen) return;
    if (chimeClashCheck() || appointmentClashCheck()) return;
    ringingCheck(now);
}

bool Alarm::chimeClashCheck() {
    if (alarmMinute() != 0 || !m_form.Check1->isChecked() || !m_form.Check2->isChecked())
        return false;
    m_dialogOpen = true;
    m_form.services().dialogs->openMessage(this, chimeClashText(), [this] {
        m_dialogOpen = false;
        m_form.Check1->setChecked(false);
    });
    return true;
}

bool Alarm::appointmentClashCheck() {
    if (!m_form.Check1->isChecked()) return false;
    const std::optional<qint64> hour = alarmHour();
    const std::optional<qint64> minute = alarmMinute();
    // Every matching appointment gets its message, one after the other.
    int clashes = 0;
    for (int row = 0; row < m_form.List2->count(); ++row) {
        const QStringList parts = m_form.List2->text(row).split(QLatin1Char(':'));
        if (parts.size() < 3) continue;
        const std::optional<qint64> entryHour = texts::wholeNumber(parts[0]);
        const std::optional<qint64> entryMinute = texts::wholeNumber(parts[1]);
        if (!entryHour || !entryMinute || entryHour != hour || entryMinute != minute) continue;
        if (parts[2].trimmed() != alarmAmPm()) continue;
        ++clashes;
    }
    if (clashes == 0) return false;
    showClashes(clashes);
    return true;
}

void Alarm::showClashes(int count) {
    m_dialogOpen = true;
    m_form.services().dialogs->openMessage(this, appointmentClashText(), [this, count] {
        m_dialogOpen = false;
        m_form.Check1->setChecked(false);
        if (count > 1) showClashes(count - 1);
    });
}

void Alarm::ringingCheck(const texts::TimeParts& now) {
    if (!m_form.Check1->isChecked() || m_form.alarmRinging) return;
    if (alarmHour() != now.hour || alarmMinute() != now.minute || now.ampm.trimmed() != alarmAmPm())
        return;
    m_sound.alarm();
    if (!m_form.alarmRinging) return;  // no sound: armed still, tried again next tick
    askPostpone([this](bool postpone) {
        // A failing stop changes nothing here: the answer is carried out.
        m_sound.stop();
        if (postpone) {
            m_form.Timer3->start(kPostponeMs);
            m_form.Check1->setChecked(false);
        } else {
            m_form.Check1->setChecked(false);
            m_form.Timer3->stop();
        }
    });
}

void Alarm::on_Timer3_timeout() {
    // The question of the last ring is still open: this minute is skipped.
    if (m_dialogOpen) return;
    m_sound.alarm();
    askPostpone([this](bool postpone) {
        if (!postpone) {
            m_sound.stop();
            m_form.Timer3->stop();
            m_form.Check1->setChecked(false);
        } else {
            m_form.Timer3->start(kPostponeMs);
            m_form.Check1->setChecked(false);
            m_sound.stop();
        }
    });
}

void Alarm::on_Check1_clicked() {
    m_form.alarmRinging = false;
    if (m_form.Check1->isChecked()) {
        if (m_form.helpOn) m_form.showHelpPage(QStringLiteral("alarmenable.rtf"));
    } else {
        m_sound.stop();
    }
}
