#include "support/ClockWindowFixture.h"

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

bool ClockWindowFixture::load() {
    return form->load();
}

std::unique_ptr<Form1> ClockWindowFixture::restart() {
    m_nextRun = AppContext();
    m_nextRun.appFolder = folder.path();
    return std::make_unique<Form1>(m_nextRun, services);
}
