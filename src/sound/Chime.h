#pragma once

#include <QObject>
#include <QString>

#include "Texts.h"

class Form1;
class SoundProcedures;

// The hourly chime of the clock window. Check2 switches it; ticking the box
// pops up the menu chm, whose items ba ("Bell sound alone") and mab ("Bell
// sound accompanied by music") choose the bell mode. At the top of each hour
// the clock tick strikes one bell stroke per tick until the hour has been
// struck, and in the mode "Both" the hour's tune follows.
class Chime : public QObject {
    Q_OBJECT
public:
    Chime(Form1& form, SoundProcedures& sound);

    // How long the clock waits at one o'clock between the single stroke and
    // the end of the chime: as long as a stroke sounds at the other hours.
    static constexpr int kOneOClockPauseMs = 900;

    // The strike counting of a clock tick.
    void step(const texts::TimeParts& now);

    void on_Check2_clicked();
    void on_ba_triggered();
    void on_mab_triggered();

    // Strokes struck so far in the chime under way; 0 when none is.
    int strikeCount() const { return m_strikeCount; }

private:
    void applyBellChoice();

    Form1& m_form;
    SoundProcedures& m_sound;
    int m_strikeCount = 0;
    bool m_chimeStartedThisTop = false;  // a chime began at this top of the hour
    int m_lastTickMinute = -1;           // the minute of the tick before; -1 before the first
};
