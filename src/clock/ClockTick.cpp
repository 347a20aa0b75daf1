#include "clock/ClockTick.h"

#include "SettingsStore.h"
#include "Twips.h"
#include "clock/ClockFont.h"
#include "clock/ClockRules.h"
#include "clock/Form1.h"
#include "clock/PictureBox.h"
#include "platform/IClock.h"

ClockTick::ClockTick(Form1& form) : m_form(form) {}

void ClockTick::run() {
    placeFace();
    refreshHelpFlag();
    const QDateTime now = m_form.services().clock->now();
    const texts::TimeParts parts = texts::timeParts(now.time());
    if (!m_form.viewerOpen) draw(parts, now.time());
    m_form.alarmStep(parts);
    m_form.reminderCheck(parts);
    m_form.chimeStep(parts);
    writeCaption(now.date());
    dailyCheck(now.date());
}

void ClockTick::drawFace() {
    if (m_form.viewerOpen) return;
    const QTime now = m_form.services().clock->now().time();
    draw(texts::timeParts(now), now);
}

void ClockTick::placeFace() {
    // In full screen the viewer places the picture itself.
    if (!m_form.fullScreenTicked()) twips::move(m_form.Picture1, 0, 0);
}

void ClockTick::refreshHelpFlag() {
    // A flags record that cannot be read counts as help on.
    std::optional<bool> help;
    if (m_form.app().signalRecords) help = settings::readHelpFlag(*m_form.app().signalRecords);
    m_form.helpOn = help.value_or(true);
}

void ClockTick::draw(const texts::TimeParts& parts, const QTime& now) {
    PictureBox* face = m_form.Picture1;
    const QColor colour = clockrules::frameColour(parts.hour, parts.minute, parts.second);
    FaceDrawing drawing{QTime(now.hour(), now.minute(), now.second()),
                        colour,
                        face->foreColor(),
                        m_form.font(),
                        face->size(),
                        m_form.compactSize,
                        m_form.centredLayout,
                        m_form.compactLayout,
                        m_form.doipt,
                        face->textRevision()};
    if (m_drawn == drawing) return;
    const QString text = Form1::timeOfDayText(now);
    face->cls();
    for (FrameLine* line : {&m_form.Line1, &m_form.Line2, &m_form.Line3, &m_form.Line4})
        line->BorderColor = colour;
    m_form.repaintLines();
    // A change of font repaints the face; it changes only with the size.
    const QFont font = clockfont::font(m_form.compactSize ? 14 : 30);
    if (face->font() != font) face->setFont(font);
    if (m_form.centredLayout) m_form.drawTimeCentred(text);
    if (m_form.compactLayout) {
        face->currentX = 169;
        face->currentY = 0;
        if (!m_form.doipt) face->print(text);
    }
    drawing.textRevision = face->textRevision();
    m_drawn = drawing;
}

void ClockTick::writeCaption(const QDate& today) {
    m_form.setWindowTitle(
        clockrules::caption(today, m_form.smallSize || m_form.compactSize, m_form.app().appToday));
}

void ClockTick::dailyCheck(const QDate& today) {
    if (!m_daily.tick(today)) return;
    ++m_dailyChecksRun;
    m_form.dailyCheck();
}
