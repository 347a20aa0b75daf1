#pragma once

// The short pauses between the steps of a window animation and the chime's
// one o'clock pause. The real one repaints and waits; tests do not wait.
class IPauser {
public:
    virtual ~IPauser() = default;
    // Repaints what changed, then waits about the given number of milliseconds.
    virtual void pause(int milliseconds) = 0;
};
