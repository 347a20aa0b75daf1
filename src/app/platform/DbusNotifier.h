#pragma once

#include "platform/IDesktopNotifier.h"

// Notifications through the freedesktop notification service on the session
// bus. Without a session bus or without the service it does nothing.
class DbusNotifier final : public IDesktopNotifier {
public:
    bool notify(const QString& summary, const QString& body) override;

private:
    uint m_lastId = 0;  // a new notification replaces the previous one
};
