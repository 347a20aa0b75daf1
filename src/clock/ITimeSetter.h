#pragma once

#include <QDateTime>
#include <QString>

// Sets the computer's clock. The program hands in the desktop's own date and
// time service; tests hand in a fake, so no test touches the machine's clock.
class ITimeSetter {
public:
    virtual ~ITimeSetter() = default;
    // Sets the computer's clock to `when` (local time). Returns true when the
    // clock was set; otherwise false, with `whyNot` set to a sentence a user
    // can read, and the clock left as it was.
    virtual bool setClock(const QDateTime& when, QString* whyNot) = 0;
};
