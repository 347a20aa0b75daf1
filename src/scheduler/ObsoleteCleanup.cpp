#include "scheduler/ObsoleteCleanup.h"

#include "WriteBatch.h"
#include "clock/ReminderList.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "scheduler/Appointment.h"

namespace {
constexpr int kTextColumn = 6;
}  // namespace

ObsoleteCleanup::ObsoleteCleanup(AppContext& app, const Services& services,
                                 ReminderList* reminderList)
    : m_app(app), m_services(services), m_reminderList(reminderList) {}

std::vector<StoredRecord> ObsoleteCleanup::readAll() const {
    std::vector<StoredRecord> records;
    if (RecordSet* set = m_app.scheduleRecords.get())
        set->scanAll([&records](const StoredRecord& record) { records.push_back(record); });
    return records;
}

int ObsoleteCleanup::passOf(const StoredRecord& record, const obsolete::Moment& now) const {
    const int pass = obsolete::passOf(record, now);
    if (pass == 0 || !m_stillOwed) return pass;
    const std::optional<QDateTime> due = obsolete::dueAt(record);
    return due && m_stillOwed(*due) ? 0 : pass;
}

QString ObsoleteCleanup::listing(const std::vector<StoredRecord>& records,
                                 const obsolete::Moment& now, QString* lastListed) const {
    // Each record's pass is worked out once; the six passes then go through
    // the table in stored order, each listing the records of its own test.
    std::vector<int> passes(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) passes[i] = passOf(records[i], now);
    QString lines;
    int n = 0;
    for (int pass = 1; pass <= 6; ++pass) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (passes[i] != pass) continue;
            ++n;
            const QString text = records[i].text(kTextColumn);
            lines += obsolete::listingLine(n, records[i], ScratchBox::excerpt(text));
            *lastListed = text;
        }
    }
    return lines;
}

void ObsoleteCleanup::refresh(ScratchBox scratch, std::function<void()> done) {
    const std::vector<StoredRecord> records = readAll();
    rebuildReminderList(records);
    if (m_asking) {
        if (done) done();
        return;
    }
    // One moment for the listing and the deletion, so that what is deleted
    // is what was listed even when the user answers a minute later.
    const obsolete::Moment now = obsolete::momentOf(m_services.clock->now());
    QString lastListed;
    const QString lines = listing(records, now, &lastListed);
    if (lines.trimmed().isEmpty()) {
        if (done) done();
        return;
    }
    scratch.holdWithStartSelected(Appointment::shownText(lastListed));
    m_asking = true;
    m_services.dialogs->openQuestion(
        this, obsolete::questionText(lines), DefaultAnswer::No,
        [this, now, done = std::move(done)](bool yes) {
            answered(yes, now);
            if (done) done();
        },
        TextLayout::Listing);
}

void ObsoleteCleanup::answered(bool yes, const obsolete::Moment& now) {
    m_asking = false;
    QString notice = QStringLiteral("Obsolete schedules NOT removed");
    QString failure;
    if (yes) removePassed(now, &failure);
    const std::vector<StoredRecord> left = readAll();
    if (yes) {
        // Said to be removed only when none of them is left.
        QString lastListed;
        if (failure.isEmpty() && !listing(left, now, &lastListed).isEmpty())
            failure = QStringLiteral("the planner database could not be written");
        notice = failure.isEmpty()
                     ? QStringLiteral("Obsolete schedules have been removed")
                     : QStringLiteral("The obsolete schedules could not be removed (%1). "
                                      "The schedules have been left as they were.")
                           .arg(failure);
    }
    rebuildReminderList(left);
    if (yes && failure.isEmpty()) emit removed();
    // Never on top of the same notice still open from an earlier answer.
    if (!m_openNotices.contains(notice)) {
        m_openNotices << notice;
        m_services.dialogs->openMessage(
            this, notice, [this, notice] { m_openNotices.removeOne(notice); },
            failure.isEmpty() ? MessageKind::Notice : MessageKind::Failure);
    }
}

void ObsoleteCleanup::removePassed(const obsolete::Moment& now, QString* failure) {
    RecordSet* set = m_app.scheduleRecords.get();
    if (!set) {
        *failure = QStringLiteral("the planner database is not open");
        return;
    }
    // An empty table has nothing left to remove.
    if (!set->moveFirst()) return;
    // All of the scan's deletions reach the file together, durable before
    // the message that reports them.
    WriteBatch batch(set->database());
    bool refused = false;
    while (!set->atEnd()) {
        // A file that refuses one deletion (read-only, or in a folder where
        // its journal cannot be made) refuses them all; the batch then ends
        // without a commit, so that none of them stands.
        if (passOf(set->record(), now) != 0 && !set->remove()) {
            *failure = set->lastError();
            refused = true;
            break;
        }
        if (!set->moveNext()) break;
    }
    if ((refused || !batch.commit(failure)) && failure->isEmpty())
        *failure = QStringLiteral("the planner database could not be written");
}

void ObsoleteCleanup::rebuildReminderList(const std::vector<StoredRecord>& records) {
    const QDate todayDate = m_services.clock->now().date();
    const texts::DateParts today = texts::dateParts(todayDate);
    QStringList entries;
    m_app.appToday = false;
    for (const StoredRecord& record : records) {
        if (!obsolete::isToday(record, today)) continue;
        m_app.appToday = true;
        const QString entry = obsolete::reminderEntry(record);
        if (!entry.isEmpty()) entries.append(entry);
    }
    if (m_reminderList) m_reminderList->setEntries(entries);
    m_listDate = todayDate;
}
