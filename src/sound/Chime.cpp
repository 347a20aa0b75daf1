#include "sound/Chime.h"

#include <QCheckBox>

#include "clock/Form1.h"
#include "platform/IPauser.h"
#include "sound/SoundProcedures.h"

Chime::Chime(Form1& form, SoundProcedures& sound) : m_form(form), m_sound(sound) {}

void Chime::on_ba_triggered() {
    m_form.bellChoice = QStringLiteral("ba");
}
void Chime::on_mab_triggered() {
    m_form.bellChoice = QStringLiteral("mab");
}

void Chime::on_Check2_clicked() {
    Form1& form = m_form;
    // The load step ticks and clears the box itself and sets the flags.
    if (form.startingUp) return;
    if (!form.Check2->isChecked()) {
        form.bellChoice = QStringLiteral("NONE");
        m_sound.stop();
    } else {
        // Choosing an item sets bellChoice; closing the menu without a
        // choice keeps the last one.
        form.popUpMenu(form.chm);
    }
    if (form.Check2->isChecked() && form.helpOn)
        form.showHelpPage(QStringLiteral("chimeenable.rtf"));
    if (!form.cb) applyBellChoice();
    form.kk = false;
    form.cb = false;
}

void Chime::applyBellChoice() {
    Form1& form = m_form;
    if (form.bellChoice == QLatin1String("mab")) {
        // Skipped for the click that ticking the box in the "ba" branch raises.
        if (form.kk) return;
        form.chimeOn = true;
        form.music = true;
        form.chimeMode = QStringLiteral("Both");
    } else if (form.bellChoice == QLatin1String("ba")) {
        form.chimeOn = true;
        form.music = false;
        form.chimeMode = QStringLiteral("Chime");
        form.kk = true;
        form.Check2->setChecked(true);
    } else if (form.bellChoice == QLatin1String("NONE")) {
        form.chimeOn = false;
        form.music = false;
        form.chimeMode = QStringLiteral("None");
    }
}

void Chime::step(const texts::TimeParts& now) {
    // The top of the hour is second 00 of minute 00, or the first tick of
    // minute 00 when the tick before it fell in an earlier minute: a tick
    // held up past second 00 (the program busy, the machine loaded) does not
    // lose the chime.
    const bool topOfHour =
        now.minute == 0 && (now.second == 0 || (m_lastTickMinute >= 0 && m_lastTickMinute != 0));
    m_lastTickMinute = now.minute;
    if (!topOfHour) m_chimeStartedThisTop = false;
    if (!m_form.Check2->isChecked()) return;
    if (m_strikeCount == 0) {
        // Two ticks can fall in second 00; only the first starts a chime,
        // or one o'clock, which is over within its tick, would be struck twice.
        if (!topOfHour || m_chimeStartedThisTop) return;
        m_chimeStartedThisTop = true;
    }
    if (m_sound.chimey()) ++m_strikeCount;
    if (now.hour == 1) {
        m_sound.chimey();
        m_strikeCount = 0;
        // A short wait on the spot so that the single stroke is heard; the
        // bell goes on sounding on the audio thread meanwhile.
        if (IPauser* pauser = m_form.services().pauser) pauser->pause(kOneOClockPauseMs);
        m_sound.ringdude();
    } else if (m_strikeCount >= now.hour + 1) {
        // The stroke of this tick is cut off at once: the hour has been
        // struck. A count left over from a chime that was interrupted (the
        // box cleared, then ticked again in a later hour) may already be
        // past this hour's; it ends the chime too instead of striking on.
        m_strikeCount = 0;
        m_sound.ringdude();
    }
}
