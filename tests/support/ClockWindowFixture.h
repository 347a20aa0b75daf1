#pragma once

#include <memory>

#include "AppContext.h"
#include "clock/Form1.h"
#include "support/FakeAutostart.h"
#include "support/FakeServices.h"
#include "support/FakeTimeSetter.h"
#include "support/ScriptedMenus.h"
#include "support/TestFolder.h"

// Runs the clock window's load step, then waits for the window to be on the
// screen with the introduction help page it opens beside it (the window is
// disabled until then). False when the load step ended the run.
bool loadClockWindow(Form1& form);

// A clock window on a fresh data folder (all sound files present, help on as
// shipped) with fake services: the clock at 8 December 2026, 5:06:59 PM,
// scripted dialogs and menus, pauses that do not wait and a clock setter that
// only records. Change the folder's tables before calling load().
struct ClockWindowFixture {
    ClockWindowFixture();
    // Runs the window's load step; false when it ended the run.
    bool load();
    // A second window on the same folder, as the next run of the program
    // would build it (the first one should have unloaded).
    std::unique_ptr<Form1> restart();

    TestFolder folder;
    FakeClock clock;
    FakeDialogs dialogs;
    FakePauser pauser;
    FakeTimeSetter timeSetter;
    FakeAutostart autostart;
    Services services;
    AppContext app;
    std::unique_ptr<Form1> form;
    std::unique_ptr<ScriptedMenus> menus;

private:
    AppContext m_nextRun;
};
