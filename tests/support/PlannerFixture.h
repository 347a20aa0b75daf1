#pragma once

#include <QDateTime>
#include <QList>
#include <functional>
#include <memory>

#include "AppContext.h"
#include "support/WindowRig.h"

class QAction;
class QMenu;
class Form2;

// A planner window on the rig's folder, whose pop-up menus pick the command
// the test has chosen (none by default).
class PlannerFixture : public WindowRig {
public:
    explicit PlannerFixture(const QDateTime& now = QDateTime(QDate(2026, 12, 8), QTime(17, 6, 58)));
    ~PlannerFixture();

    bool ok() const { return folder.ok() && app != nullptr; }
    // Runs the window's load steps.
    bool load();
    // Appends an appointment straight to the database file.
    bool addAppointment(const QString& day, const QString& month, const QString& year,
                        const QString& hour = QStringLiteral("05"), int minute = 7,
                        const QString& ampm = QStringLiteral("PM"),
                        const QString& text = QStringLiteral("Dentist"));
    // Shows a month by typing into the month and year selectors.
    void showMonth(const QString& month, const QString& year);
    // The captions of the 42 day cells, in order.
    QStringList captions() const;

    std::unique_ptr<AppContext> app;
    std::unique_ptr<Form2> form;

    // Every menu popped up, in order, and what its items' enabled states
    // were at that moment (by object name).
    QList<QMenu*>& shownMenus = menus.shownMenus;
    QList<QMap<QString, bool>>& enabledWhenShown = menus.enabledWhenShown;
    // Picks the command for a pop-up; null dismisses it.
    std::function<QAction*(QMenu*)>& choose = menus.pick;
};
