#pragma once

class IClock;
class IDialogs;
class IPauser;
class ISoundDevice;
class ITimeSetter;
class IPrinter;
class IDesktopNotifier;
class IScreenSaverInhibitor;
class IAutostart;
class IPopUpMenus;
class ModuleLoader;

// The platform services a window is handed when it is built. The program
// fills it with the real implementations; a test with fakes. A service a
// test does not need may stay null only if the code under test never uses it.
struct Services {
    IClock* clock = nullptr;
    IDialogs* dialogs = nullptr;
    IPauser* pauser = nullptr;
    ISoundDevice* sound = nullptr;
    ITimeSetter* timeSetter = nullptr;
    IPrinter* printer = nullptr;
    IDesktopNotifier* notifier = nullptr;
    IScreenSaverInhibitor* screenSaver = nullptr;
    IAutostart* autostart = nullptr;
    IPopUpMenus* popUpMenus = nullptr;
    // Where the program's modules (printing, calendar files) are loaded from.
    ModuleLoader* modules = nullptr;
};
