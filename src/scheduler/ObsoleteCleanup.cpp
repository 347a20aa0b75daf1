#include "scheduler/ObsoleteCleanup.h"

#include <QListWidget>

#include "platform/IClock.h"
#include "platform/IDialogs.h"

namespace {
constexpr int kTextColumn = 6;
}  // namespace

ObsoleteCleanup::ObsoleteCleanup(AppContext& app, const Services& services,
                                 QListWidget* reminderList)
    : m_app(app), m_services(services), m_reminderList(reminderList) {}

void ObsoleteCleanup::refresh(ScratchBox scratch) {
    std::vector<QVariantList> records = readAll();
    if (scan(records, scratch)) records = readAll();
    rebuildReminderList(records);
}

void ObsoleteCleanup::obsoleteScan(ScratchBox scratch) {
    scan(readAll(), scratch);
}

void ObsoleteCleanup::rebuildReminderList() {
    rebuildReminderList(readAll());
}

std::vector<QVariantList> ObsoleteCleanup::readAll() const {
    std::vector<QVariantList> records;
    RecordSet* set = m_app.scheduleRecords.get();
    if (!set || !set->moveFirst()) return records;
    while (!set->atEnd()) {
        // A record that cannot be read is left out, as if it were not there.
        QVariantList record = set->values();
        if (!record.isEmpty()) records.push_back(std::move(record));
        if (!set->moveNext()) break;
    }
    return records;
}

bool ObsoleteCleanup::scan(const std::vector<QVariantList>& records, ScratchBox& scratch) {
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
    const QVariantList* lastListed = nullptr;
    for (int pass = 1; pass <= 6; ++pass) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (passes[i] != pass) continue;
            ++n;
            const QVariantList& record = records[i];
            listing += obsolete::listingLine(
                n, record, ScratchBox::excerpt(record.value(kTextColumn).toString()));
            lastListed = &record;
        }
    }
    if (listing.trimmed().isEmpty()) return false;
    scratch.holdWithStartSelected(lastListed->value(kTextColumn).toString());

    IDialogs& dialogs = *m_services.dialogs;
    m_asking = true;
    const bool yes = dialogs.question(obsolete::questionText(listing));
    m_asking = false;
    if (!yes) {
        dialogs.message(QStringLiteral("Obsolete schedules NOT removed"));
        return false;
    }
    const bool removed = removePassed(now);
    dialogs.message(QStringLiteral("Obsolete schedules have been removed"));
    return removed;
}

bool ObsoleteCleanup::removePassed(const obsolete::Moment& now) {
    RecordSet* set = m_app.scheduleRecords.get();
    bool removed = false;
    if (!set || !set->moveFirst()) return false;
    while (!set->atEnd()) {
        const QVariantList record = set->values();
        // A deletion that fails leaves the record where it is.
        if (obsolete::passOf(record, now) != 0 && set->remove()) removed = true;
        if (!set->moveNext()) break;
    }
    return removed;
}

void ObsoleteCleanup::rebuildReminderList(const std::vector<QVariantList>& records) {
    const texts::DateParts today = texts::dateParts(m_services.clock->now().date());
    if (m_reminderList) m_reminderList->clear();
    m_app.appToday = false;
    for (const QVariantList& record : records) {
        if (!obsolete::isToday(record, today)) continue;
        m_app.appToday = true;
        const QString entry = obsolete::reminderEntry(record);
        if (m_reminderList && !entry.isEmpty()) m_reminderList->addItem(entry);
    }
}
