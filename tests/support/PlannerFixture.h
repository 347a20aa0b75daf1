#pragma once

#include <QDateTime>
#include <QList>
#include <functional>
#include <memory>

#include "AppContext.h"
#include "support/FakeServices.h"
#include "support/TestFolder.h"

class QAction;
class QMenu;
class Form2;

// A planner window on a fresh data folder, with a fake clock, scripted
// dialogs, pauses that do not wait, and pop-up menus that record what was
// shown and pick the command the test has chosen (none by default).
class PlannerFixture {
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

    TestFolder folder;
    FakeClock clock;
    FakeDialogs dialogs;
    FakePauser pauser;
    Services services;
    std::unique_ptr<AppContext> app;
    std::unique_ptr<Form2> form;

    // Every menu popped up, in order, and what its items' enabled states
    // were at that moment (by object name).
    QList<QMenu*> shownMenus;
    QList<QMap<QString, bool>> enabledWhenShown;
    // Picks the command for a pop-up; null dismisses it.
    std::function<QAction*(QMenu*)> choose;
};
