#pragma once

#include <QString>

class Form1;

// The settings panel below the clock face: opening and closing it (the window
// grows and shrinks in visible steps), the time-setting mode in which the
// three scroll bars compose a time that "S E T" writes to the computer's
// clock, and the sliders that mix the colour of the digits. Outside the
// time-setting mode the same scroll bars and labels show the alarm time.
class ClockSettingsPanel {
public:
    explicit ClockSettingsPanel(Form1& form);

    void open();              // "Settings"
    void close();             // "Close Settings"
    void enterTimeSetting();  // "Set time / Change text color"
    void setTime();           // "S E T"
    void leaveTimeSetting();  // "Close clock Settings"

    void hourChanged(int value);
    void minuteChanged(int value);
    void ampmChanged(int value);
    void colourChanged();

    // Hides the time row, which would otherwise peep out below the clock of
    // a closed panel (it starts at 1800, above the window's inner lower edge).
    void putAwayTimeRow();

    // The time row's captions joined, as "S E T" reads them ("07:45PM").
    QString composedTime() const;

    // Figures of the animations, in twips.
    static constexpr double kOpenFrom = 2050;
    static constexpr double kOpenLimit = 4932;
    static constexpr double kCloseFrom = 4932;
    static constexpr double kClosedHeight = 1932;
    static constexpr double kWideWindow = 5900;
    static constexpr double kShrinkFrom = 9288;
    static constexpr double kShrinkLimit = 5580;
    static constexpr double kStep = 100;
    static constexpr int kStepPauseMs = 8;

private:
    void showTimeRowSwitches(bool visible);
    void step();

    Form1& m_form;
};
