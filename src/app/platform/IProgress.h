#pragma once

#include <QString>

// Shows how far a long-running command has got, so that a user whose folder
// holds thousands of files sees the program at work. The real one is a
// progress dialog that appears only when the work takes more than about half
// a second; tests hand in a recorder or nothing.
class IProgress {
public:
    virtual ~IProgress() = default;
    // The work starts: `total` steps, described by `label`.
    virtual void start(const QString& label, int total) = 0;
    // `done` of the steps are finished.
    virtual void advance(int done) = 0;
    // The work is over; whatever was shown disappears.
    virtual void finish() = 0;
};
