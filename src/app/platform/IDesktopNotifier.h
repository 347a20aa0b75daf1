#pragma once

#include <QString>

// The desktop's notification service: a reminder or a ringing alarm is also
// announced there, so it is seen even when the program's window lies behind
// others. Nothing happens when the desktop has no such service.
class IDesktopNotifier {
public:
    virtual ~IDesktopNotifier() = default;
    // Sends a notification without waiting for the desktop, and returns a
    // ticket for withdraw(); 0 when it cannot even be sent.
    virtual int notify(const QString& summary, const QString& body) = 0;
    // Takes the notification off the screen once the user has answered in
    // the program. Nothing happens for 0 or a ticket already withdrawn.
    virtual void withdraw(int ticket) = 0;
};
