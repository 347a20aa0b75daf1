#pragma once

#include "platform/IPauser.h"

// Lets the window system repaint what an animation step changed, then waits.
class QtPauser final : public IPauser {
public:
    void pause(int milliseconds) override;
};
