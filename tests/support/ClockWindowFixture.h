#pragma once

#include <memory>

#include "AppContext.h"
#include "clock/Form1.h"
#include "support/WindowRig.h"

// Runs the clock window's load step, then waits for the window to be on the
// screen with the introduction help page it opens beside it (the window is
// disabled until then). False when the load step ended the run.
bool loadClockWindow(Form1& form);

// A clock window on the rig's folder (all sound files present, help on as
// shipped), the clock at 8 December 2026, 5:06:59 PM. Change the folder's
// tables before calling load().
struct ClockWindowFixture : WindowRig {
    ClockWindowFixture();
    // Runs the window's load step; false when it ended the run.
    bool load();
    // A second window on the same folder, as the next run of the program
    // would build it (the first one should have unloaded).
    std::unique_ptr<Form1> restart();

    AppContext app;
    std::unique_ptr<Form1> form;

private:
    AppContext m_nextRun;
};
