#pragma once

#include <QDateTime>

#include "platform/ModuleLoader.h"
#include "platform/Services.h"
#include "support/FakeAutostart.h"
#include "support/FakeScreenSaver.h"
#include "support/FakeServices.h"
#include "support/FakeSoundDevice.h"
#include "support/FakeTimeSetter.h"
#include "support/ScriptedMenus.h"
#include "support/TestFolder.h"

// What every window test starts from: a fresh data folder and fakes for all
// the platform services, handed to the windows through `services`: a clock
// the test sets, scripted dialogs and pop-up menus, pauses that do not wait,
// and a sound device, notifier, clock setter, screen saver and desktop
// autostart that only record. A test that wants a service missing sets it null before it builds
// its window.
struct WindowRig {
    explicit WindowRig(const QDateTime& now = QDateTime(QDate(2026, 12, 8), QTime(17, 6, 59)));
    WindowRig(const WindowRig&) = delete;
    WindowRig& operator=(const WindowRig&) = delete;

    TestFolder folder;
    FakeClock clock;
    FakeDialogs dialogs;
    FakePauser pauser;
    FakeSoundDevice sound;
    FakeNotifier notifier;
    FakeTimeSetter timeSetter;
    FakeScreenSaver screenSaver;
    FakeAutostart autostart;
    ScriptedMenus menus;
    ModuleLoader modules{{QStringLiteral(TAVENEL_MODULE_DIR)}};
    Services services;
};
