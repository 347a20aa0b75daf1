#pragma once

#include <QObject>
#include <QString>

#include "platform/Services.h"

struct AppContext;

// The user's switch "Start with the desktop", shown in the clock's settings
// panel and in the tray icon's menu: it sets or clears the autostart of the
// platform and tells every place that shows it. It also offers the setting,
// once per data folder, when the first appointment is made while it is off:
// a reminder program that is not running reminds nobody.
class StartWithDesktop : public QObject {
    Q_OBJECT
public:
    StartWithDesktop(const Services& services, const AppContext& app, QObject* parent = nullptr);

    // The file in the data folder that records that the offer was made.
    static QString offeredFileName() { return QStringLiteral("autostart.offered"); }

    // Whether the program starts with the desktop (false where the platform
    // offers no autostart).
    bool isOn() const;
    bool isAvailable() const { return m_services.autostart != nullptr; }
    // Sets the switch; a failure is told to the user and leaves it as it was.
    // Announces the state in changed() either way.
    void set(bool on);
    // Announces the current state in changed() (the entry may have been
    // added or removed outside the program).
    void refresh();
    // Asks once whether to start with the desktop, unless it already does.
    void offerOnce();

signals:
    void changed(bool on);

private:
    Services m_services;
    const AppContext& m_app;
};
