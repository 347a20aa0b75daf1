#pragma once

#include <QDate>
#include <QObject>
#include <QStringList>
#include <functional>
#include <vector>

#include "AppContext.h"
#include "platform/Services.h"
#include "scheduler/ObsoleteRules.h"
#include "scheduler/ScratchBox.h"

class ReminderList;

// Finds the appointments whose time has passed, lists them in one question
// and deletes them when the user agrees; then rebuilds today's reminder list
// (the clock window's hidden List2) and the flag appToday. Both windows run
// it: the clock window once a day from its tick, the planner window after
// every press of its schedule button and after a reminder; each lends its
// own rich-text box as scratch space.
//
// The question comes unbidden and deletes data, so No is its default; it is
// asked without waiting. Today's reminder list is built before it is asked
// as well as after the answer, so that the reminders of the day come while
// the question is open.
class ObsoleteCleanup : public QObject {
    Q_OBJECT
public:
    ObsoleteCleanup(AppContext& app, const Services& services, ReminderList* reminderList);

    // Tells whether the appointment due at this date and minute is still
    // owed its reminder; such an appointment is neither listed nor deleted.
    using StillOwed = std::function<bool(const QDateTime& due)>;
    void setStillOwed(StillOwed owed) { m_stillOwed = std::move(owed); }

    // The obsolete scan, then the reminder list. `done` runs when it is all
    // over: at once when nothing was asked, else once the question has been
    // answered (and not at all when this goes before the answer comes).
    void refresh(ScratchBox scratch, std::function<void()> done = {});

    // The date the reminder list was last built for; null before the first
    // build.
    QDate listDate() const { return m_listDate; }

signals:
    // Obsolete records have been deleted: what shows stored records shows
    // what is left.
    void removed();

private:
    // Every stored record, in stored order, valid until the table is next
    // written or read again.
    std::vector<StoredRecord> readAll() const;
    void rebuildReminderList(const std::vector<StoredRecord>& records);
    // The pass that lists the record at `now` (0: not listed).
    int passOf(const StoredRecord& record, const obsolete::Moment& now) const;
    // Deletes every record that has passed at `now`, all in one write. When
    // the file cannot take the deletions none of them stands and `failure`
    // says why.
    void removePassed(const obsolete::Moment& now, QString* failure);
    // The listing of the records that have passed at `now`; empty when none
    // has. `lastListed` names the text listed last.
    QString listing(const std::vector<StoredRecord>& records, const obsolete::Moment& now,
                    QString* lastListed) const;
    void answered(bool yes, const obsolete::Moment& now);

    AppContext& m_app;
    Services m_services;
    ReminderList* m_reminderList = nullptr;
    StillOwed m_stillOwed;
    QDate m_listDate;
    // Set while the question is open, so that a refresh started by a timer
    // or a button meanwhile does not put the same question on top of it.
    bool m_asking = false;
    QStringList m_openNotices;  // the notices after an answer still on screen
};
