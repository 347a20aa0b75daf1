#pragma once

#include <QString>

// The desktop's notification service: a reminder or a ringing alarm is also
// announced there, so it is seen even when the program's window lies behind
// others. Nothing happens when the desktop has no such service.
class IDesktopNotifier {
public:
    virtual ~IDesktopNotifier() = default;
    // Returns false when no notification could be shown.
    virtual bool notify(const QString& summary, const QString& body) = 0;
};
