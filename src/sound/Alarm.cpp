#include "sound/Alarm.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include "clock/Form1.h"
#include "platform/IDesktopNotifier.h"
#include "platform/IDialogs.h"
#include "sound/SoundProcedures.h"

namespace {

// Marks a dialog of the alarm as open for as long as it is on screen.
class DialogOpen {
public:
    explicit DialogOpen(bool& flag) : m_flag(flag) { m_flag = true; }
    ~DialogOpen() { m_flag = false; }
    DialogOpen(const DialogOpen&) = delete;
    DialogOpen& operator=(const DialogOpen&) = delete;

private:
    bool& m_flag;
};

}  // namespace

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

void Alarm::showMessage(const QString& text) {
    DialogOpen open(m_dialogOpen);
    m_form.services().dialogs->message(text);
}

bool Alarm::askPostpone() {
    DialogOpen open(m_dialogOpen);
    // The desktop hears of the ringing too; without a notification service
    // the question alone is shown.
    if (IDesktopNotifier* notifier = m_form.services().notifier)
        notifier->notify(QStringLiteral("Alarm"),
                         QStringLiteral("The alarm set for %1:%2 %3 is ringing")
                             .arg(m_form.Label2->text().trimmed(), m_form.Label3->text().trimmed(),
                                  alarmAmPm()));
    // It comes unbidden, from the tick: a key being typed elsewhere must not answer it.
    return m_form.services().dialogs->unbiddenQuestion(postponeQuestion());
}

void Alarm::step(const texts::TimeParts& now) {
    if (m_dialogOpen) return;
    chimeClashCheck();
    appointmentClashCheck();
    ringingCheck(now);
}

void Alarm::chimeClashCheck() {
    if (alarmMinute() != 0 || !m_form.Check1->isChecked() || !m_form.Check2->isChecked()) return;
    showMessage(chimeClashText());
    m_form.Check1->setChecked(false);
}

void Alarm::appointmentClashCheck() {
    if (!m_form.Check1->isChecked()) return;
    const std::optional<qint64> hour = alarmHour();
    const std::optional<qint64> minute = alarmMinute();
    // Every matching appointment gets its message, one after the other.
    for (int row = 0; row < m_form.List2->count(); ++row) {
        const QListWidgetItem* item = m_form.List2->item(row);
        if (!item) continue;
        const QStringList parts = item->text().split(QLatin1Char(':'));
        if (parts.size() < 3) continue;
        const std::optional<qint64> entryHour = texts::wholeNumber(parts[0]);
        const std::optional<qint64> entryMinute = texts::wholeNumber(parts[1]);
        if (!entryHour || !entryMinute || entryHour != hour || entryMinute != minute) continue;
        if (parts[2].trimmed() != alarmAmPm()) continue;
        showMessage(appointmentClashText());
        m_form.Check1->setChecked(false);
    }
}

void Alarm::ringingCheck(const texts::TimeParts& now) {
    if (!m_form.Check1->isChecked() || m_form.alarmRinging) return;
    if (alarmHour() != now.hour || alarmMinute() != now.minute || now.ampm.trimmed() != alarmAmPm())
        return;
    m_sound.alarm();
    if (!m_form.alarmRinging) return;  // no sound: armed still, tried again next tick
    const bool postpone = askPostpone();
    // A failing stop changes nothing here: the answer is carried out.
    m_sound.stop();
    if (postpone) {
        m_form.Timer3->start(kPostponeMs);
        m_form.Check1->setChecked(false);
    } else {
        m_form.Check1->setChecked(false);
        m_form.Timer3->stop();
    }
}

void Alarm::on_Timer3_timeout() {
    // The question of the last ring is still open: this minute is skipped.
    if (m_dialogOpen) return;
    m_sound.alarm();
    const bool postpone = askPostpone();
    if (!postpone) {
        m_sound.stop();
        m_form.Timer3->stop();
        m_form.Check1->setChecked(false);
    } else {
        m_form.Timer3->start(kPostponeMs);
        m_form.Check1->setChecked(false);
        m_sound.stop();
    }
}

void Alarm::on_Check1_clicked() {
    m_form.alarmRinging = false;
    if (m_form.Check1->isChecked()) {
        if (m_form.helpOn) m_form.showHelpPage(QStringLiteral("alarmenable.rtf"));
    } else {
        m_sound.stop();
    }
}
