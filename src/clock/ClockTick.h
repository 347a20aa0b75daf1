#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QTime>
#include <optional>

#include "Texts.h"
#include "clock/DailyCheckGate.h"

class Form1;

// The clock tick, every 900 ms: places the clock face, refreshes the help
// flag, draws the time and colours the frame, runs the alarm, reminder and
// chime steps, writes the date into the caption and, once a day, the check
// of past appointments. One call per step, in that order.
class ClockTick {
public:
    explicit ClockTick(Form1& form);

    void run();
    // The drawing step alone: the current time on the face and the frame in
    // its colour, unless the picture viewer has the face. Start-up draws the
    // first time with it, and the clock window again at the start of each
    // second.
    void drawFace();
    // How many times the tick has run the daily check so far.
    int dailyChecksRun() const { return m_dailyChecksRun; }

private:
    void placeFace();
    void refreshHelpFlag();
    void draw(const texts::TimeParts& parts, const QTime& now);

    // What a drawing of the face depends on. The face is drawn at the start of
    // each second and by every tick; a tick in the same second as the last
    // drawing, with nothing else changed, would only repeat it.
    struct FaceDrawing {
        QTime second;
        QColor colour;
        QColor textColour;
        QFont windowFont;
        QSize box;
        bool compactSize = false;
        bool centredLayout = false;
        bool compactLayout = false;
        bool doipt = false;
        quint64 textRevision = 0;  // the face's printed text untouched since
        bool operator==(const FaceDrawing&) const = default;
    };
    void writeCaption(const QDate& today);
    void dailyCheck(const QDate& today);

    Form1& m_form;
    DailyCheckGate m_daily;
    int m_dailyChecksRun = 0;
    std::optional<FaceDrawing> m_drawn;
};
