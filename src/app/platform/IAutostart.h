#pragma once

#include <QString>

// Whether the program starts by itself when the user logs in to the desktop.
// The real implementation keeps a desktop entry in the user's autostart
// folder; tests use a fake that only remembers.
class IAutostart {
public:
    virtual ~IAutostart() = default;
    // True while the program is set to start with the desktop.
    virtual bool isOn() const = 0;
    // Sets or clears it. On failure returns false with a reason a user can
    // read in `error`, and the setting is as it was.
    virtual bool setOn(bool on, QString* error) = 0;
};
