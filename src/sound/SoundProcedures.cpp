#include "sound/SoundProcedures.h"

#include <QCheckBox>

#include "Texts.h"
#include "clock/Form1.h"
#include "platform/IClock.h"
#include "sound/ISoundDevice.h"

SoundProcedures::SoundProcedures(Form1& form) : m_form(form), m_device(form.services().sound) {
    if (m_device) m_device->setCompletionHandler([this](int how) { onCompletion(how); });
}

SoundProcedures::~SoundProcedures() {
    if (m_device) m_device->setCompletionHandler(nullptr);
}

QString SoundProcedures::tuneFile(int hour) {
    return QStringLiteral("intro%1.mp3").arg(hour);
}

bool SoundProcedures::start(const QString& fileName) {
    m_alarmSounding = false;
    if (!m_device) return false;
    return m_device->close() && m_device->setFile(m_form.app().dataPath(fileName)) &&
           m_device->open() && m_device->rewind() && m_device->play();
}

bool SoundProcedures::stop() {
    m_alarmSounding = false;
    return m_device && m_device->stop();
}

void SoundProcedures::alarm() {
    // The minute as the clock writes it, two digits.
    const QString minute = m_form.services().clock->now().time().toString(QStringLiteral("mm"));
    // The hourly chime owns minute 00.
    if (m_form.Check2->isChecked() && minute == QLatin1String("00")) return;
    if (!start(QStringLiteral("alarm.mp3"))) return;
    m_alarmSounding = true;
    m_form.alarmRinging = true;
}

bool SoundProcedures::chimey() {
    if (m_device && m_device->skip()) {
        m_form.chimeStruck = false;
        return false;
    }
    // A stroke counts as struck even when the bell cannot sound, so the
    // chime's count runs on and ends as usual.
    m_form.chimeStruck = true;
    start(QStringLiteral("bell.mp3"));
    return m_form.chimeStruck;
}

void SoundProcedures::ringdude() {
    const int hour = texts::timeParts(m_form.services().clock->now().time()).hour;
    m_alarmSounding = false;
    if (!m_device || !m_device->close()) return;
    if (!m_form.music) return;
    if (m_device->setFile(m_form.app().dataPath(tuneFile(hour))) && m_device->open() &&
        m_device->rewind())
        m_device->play();
}

void SoundProcedures::prepare() {
    if (!m_device) return;
    m_device->setSkip(false);
    if (m_device->setFile(m_form.app().dataPath(QStringLiteral("bell.wav"))) && m_device->open())
        m_device->rewind();
}

void SoundProcedures::onCompletion(int how) {
    m_alarmSounding = false;
    if (!alarmHeld()) {
        m_form.alarmRinging = false;
        return;
    }
    // Unanswered: the alarm stays ringing, and its sound starts over at once
    // when it has run to its end (a stop waits for the next tick).
    if (how == ISoundDevice::Finished && withinHold()) alarm();
}

bool SoundProcedures::withinHold() const {
    const qint64 held = m_heldSince.msecsTo(m_form.services().clock->now());
    return held >= 0 && held < kHoldLimitMs;
}

void SoundProcedures::holdAlarm() {
    ++m_holds;
    m_heldSince = m_form.services().clock->now();
}

void SoundProcedures::releaseAlarm() {
    if (m_holds > 0) --m_holds;
    if (m_holds > 0) return;
    // A sound still playing clears alarmRinging when the caller's "Stop"
    // has ended it; one that has ended already cannot.
    if (!m_alarmSounding) m_form.alarmRinging = false;
}

void SoundProcedures::keepRinging() {
    if (alarmHeld() && !m_alarmSounding && withinHold()) alarm();
}
