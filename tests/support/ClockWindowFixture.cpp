#include "support/ClockWindowFixture.h"

#include <QTest>

bool loadClockWindow(Form1& form) {
    return form.load() && QTest::qWaitForWindowExposed(&form) &&
           QTest::qWaitFor([&form] { return form.isEnabled(); });
}

ClockWindowFixture::ClockWindowFixture() {
    folder.touchSoundFiles();
    app.appFolder = folder.path();
    form = std::make_unique<Form1>(app, services);
}

bool ClockWindowFixture::load() { return loadClockWindow(*form); }

std::unique_ptr<Form1> ClockWindowFixture::restart() {
    m_nextRun = AppContext();
    m_nextRun.appFolder = folder.path();
    return std::make_unique<Form1>(m_nextRun, services);
}
