#pragma once

#include "platform/IAutostart.h"

// Starting with the desktop as a switch the test reads; it can be told to
// fail as a read-only configuration folder would.
class FakeAutostart final : public IAutostart {
public:
    bool isOn() const override { return on; }
    bool setOn(bool value, QString* error) override {
        ++changes;
        if (failure.isEmpty()) {
            on = value;
            return true;
        }
        if (error) *error = failure;
        return false;
    }
    bool on = false;
    QString failure;  // the reason setOn fails with; empty for success
    int changes = 0;
};
