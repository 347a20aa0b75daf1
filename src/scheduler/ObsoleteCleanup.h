#pragma once

#include <QVariantList>
#include <vector>

#include "AppContext.h"
#include "platform/Services.h"
#include "scheduler/ObsoleteRules.h"
#include "scheduler/ScratchBox.h"

class QListWidget;

// Finds the appointments whose time has passed, lists them in one question
// and deletes them when the user agrees; then rebuilds today's reminder list
// (the clock window's hidden List2) and the flag appToday. Both windows run
// it: the clock window once a day from its tick, the planner window after
// every press of its schedule button and after a reminder; each lends its
// own rich-text box as scratch space.
class ObsoleteCleanup {
public:
    ObsoleteCleanup(AppContext& app, const Services& services, QListWidget* reminderList);

    // The obsolete scan, then the reminder list.
    void refresh(ScratchBox scratch);
    // Lists, asks and deletes; shows its own messages.
    void obsoleteScan(ScratchBox scratch);
    // Empties the reminder list and fills it with today's appointments.
    void rebuildReminderList();

private:
    // Every stored record's seven columns, in stored order. A record set that
    // fails while moving ends the reading there; what was read is kept.
    std::vector<QVariantList> readAll() const;
    void rebuildReminderList(const std::vector<QVariantList>& records);
    // Deletes every record that has passed at `now`; true if any was deleted.
    bool removePassed(const obsolete::Moment& now);
    // The scan proper; true if it deleted anything.
    bool scan(const std::vector<QVariantList>& records, ScratchBox& scratch);

    AppContext& m_app;
    Services m_services;
    QListWidget* m_reminderList = nullptr;
    // Set while the question is open, so that a refresh started by a timer
    // meanwhile does not put the same question on top of it.
    bool m_asking = false;
};
