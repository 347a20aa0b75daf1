#include "support/ClockWindowFixture.h"

#include <QTest>

bool loadClockWindow(Form1& form) {
    return form.load() && QTest::qWaitForWindowExposed(&form) &&
           QTest::qWaitFor([&form] { return form.isEnabled(); });
}

ClockWindowFixture::ClockWindowFixture() {
    folder.touchSoundFiles();
    services.clock = &clock;
    services.dialogs = &dialogs;
    services.pauser = &pauser;
    services.timeSetter = &timeSetter;
    services.autostart = &autostart;
    app.appFolder = folder.path();
    form = std::make_unique<Form1>(app, services);
    menus = std::make_unique<ScriptedMenus>(*form);
}

bool ClockWindowFixture::load() { return loadClockWindow(*form); }

std::unique_ptr<Form1> ClockWindowFixture::restart() {
    m_nextRun = AppContext();
    m_nextRun.appFolder = folder.path();
    return std::make_unique<Form1>(m_nextRun, services);
}
