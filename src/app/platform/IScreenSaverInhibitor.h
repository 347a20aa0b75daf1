#pragma once

#include <QString>

// Holds off the desktop's screen saver (and its power saving) while the
// program shows something the user watches without touching anything.
class IScreenSaverInhibitor {
public:
    virtual ~IScreenSaverInhibitor() = default;
    // Asks the desktop not to start the screen saver until release(). Where
    // the desktop offers no way to ask, nothing happens.
    virtual void inhibit(const QString& reason) = 0;
    // Lets the screen saver run again. Nothing happens when not holding it.
    virtual void release() = 0;
};
