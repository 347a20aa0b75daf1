#include "support/WindowRig.h"

WindowRig::WindowRig(const QDateTime& now) : clock(now) {
    services.clock = &clock;
    services.dialogs = &dialogs;
    services.pauser = &pauser;
    services.sound = &sound;
    services.notifier = &notifier;
    services.timeSetter = &timeSetter;
    services.screenSaver = &screenSaver;
    services.autostart = &autostart;
    services.popUpMenus = &menus;
    services.modules = &modules;
}
