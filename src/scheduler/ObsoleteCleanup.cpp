#include "scheduler/ObsoleteCleanup.h"

#include <QListWidget>

#include "WriteBatch.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"

namespace {
constexpr int kTextColumn = 6;
}  // namespace

ObsoleteCleanup::ObsoleteCleanup(AppContext& app, const Services& services,
                                 QListWidget* reminderList)
    : m_app(app), m_services(services), m_reminderList(reminderList) {}

void ObsoleteCleanup::refresh(ScratchBox scratch) {
    scan(readAll(), scratch);
    // Read again: the scan may have deleted, and the table may have been
    // read anew while its question was open.
    rebuildReminderList(readAll());
}

void ObsoleteCleanup::obsoleteScan(ScratchBox scratch) {
    scan(readAll(), scratch);
}

void ObsoleteCleanup::rebuildReminderList() {
    rebuildReminderList(readAll());
}

std::vector<StoredRecord> ObsoleteCleanup::readAll() const {
    std::vector<StoredRecord> records;
    if (RecordSet* set = m_app.scheduleRecords.get())
        set->scanAll([&records](const StoredRecord& record) { records.push_back(record); });
    return records;
}

bool ObsoleteCleanup::scan(const std::vector<StoredRecord>& records, ScratchBox& scratch) {
    if (m_asking) return false;
    // One moment for the listing and the deletion, so that what is deleted
    // is what was listed even when the user answers a minute later.
    const obsolete::Moment now = obsolete::momentOf(m_services.clock->now());

    // Each record's pass is worked out once; the six passes then go through
    // the table in stored order, each listing the records of its own test.
    std::vector<int> passes(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) passes[i] = obsolete::passOf(records[i], now);
    QString listing;
    int n = 0;
    const StoredRecord* lastListed = nullptr;
    for (int pass = 1; pass <= 6; ++pass) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (passes[i] != pass) continue;
            ++n;
            const StoredRecord& record = records[i];
            listing += obsolete::listingLine(n, record, ScratchBox::excerpt(record.text(kTextColumn)));
            lastListed = &record;
        }
    }
    if (listing.trimmed().isEmpty()) return false;
    scratch.holdWithStartSelected(lastListed->text(kTextColumn));

    IDialogs& dialogs = *m_services.dialogs;
    m_asking = true;
    const bool yes = dialogs.question(obsolete::questionText(listing));
    m_asking = false;
    if (!yes) {
        dialogs.message(QStringLiteral("Obsolete schedules NOT removed"));
        return false;
    }
    QString failure;
    const bool removed = removePassed(now, &failure);
    if (!failure.isEmpty()) {
        dialogs.message(QStringLiteral("The obsolete schedules could not be removed (%1). "
                                       "The schedules have been left as they were.")
                            .arg(failure));
        return false;
    }
    dialogs.message(QStringLiteral("Obsolete schedules have been removed"));
    return removed;
}

bool ObsoleteCleanup::removePassed(const obsolete::Moment& now, QString* failure) {
    RecordSet* set = m_app.scheduleRecords.get();
    bool removed = false;
    if (!set || !set->moveFirst()) return false;
    // All of the scan's deletions reach the file together, durable before
    // the message that reports them.
    WriteBatch batch(set->database());
    while (!set->atEnd()) {
        // A deletion that fails leaves the record where it is.
        if (obsolete::passOf(set->record(), now) != 0 && set->remove()) removed = true;
        if (!set->moveNext()) break;
    }
    if (!batch.commit(failure)) {
        if (failure->isEmpty()) *failure = QStringLiteral("the planner database could not be written");
        return false;
    }
    return removed;
}

void ObsoleteCleanup::rebuildReminderList(const std::vector<StoredRecord>& records) {
    const texts::DateParts today = texts::dateParts(m_services.clock->now().date());
    if (m_reminderList) m_reminderList->clear();
    m_app.appToday = false;
    for (const StoredRecord& record : records) {
        if (!obsolete::isToday(record, today)) continue;
        m_app.appToday = true;
        const QString entry = obsolete::reminderEntry(record);
        if (m_reminderList && !entry.isEmpty()) m_reminderList->addItem(entry);
    }
}
