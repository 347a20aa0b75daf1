#pragma once

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
    // Every stored record, in stored order, valid until the table is next
    // written or read again.
    std::vector<StoredRecord> readAll() const;
    void rebuildReminderList(const std::vector<StoredRecord>& records);
    // Deletes every record that has passed at `now`, all in one write; true
    // if any was deleted. When the file cannot take the deletions none of
    // them stands and `failure` says why.
    bool removePassed(const obsolete::Moment& now, QString* failure);
    // The scan proper; true if it deleted anything.
    bool scan(const std::vector<StoredRecord>& records, ScratchBox& scratch);

    AppContext& m_app;
    Services m_services;
    QListWidget* m_reminderList = nullptr;
    // Set while the question is open, so that a refresh started by a timer
    // meanwhile does not put the same question on top of it.
    bool m_asking = false;
};
