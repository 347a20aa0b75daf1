#include "scheduler/ScheduleListing.h"

#include "platform/IDialogs.h"
#include "scheduler/ListingRules.h"

namespace {
constexpr int kTextColumn = 6;
}  // namespace

ScheduleListing::ScheduleListing(AppContext& app, const Services& services, ScratchBox scratch)
    : m_app(app), m_services(services), m_scratch(scratch) {}

template <class Accept>
QString ScheduleListing::lines(Accept accept) const {
    QString list;
    RecordSet* set = m_app.scheduleRecords.get();
    if (!set) return list;
    int n = 0;
    set->scanAll([&](const StoredRecord& record) {
        const QString text = ScratchBox::asHeld(record.text(kTextColumn));
        if (!accept(text)) return;
        ++n;
        list += listing::line(n, record, ScratchBox::excerpt(text));
    });
    return list;
}

QString ScheduleListing::allLines() const {
    return lines([](const QString&) { return true; });
}

QString ScheduleListing::matchingLines(const QString& search) const {
    return lines([&](const QString& text) { return listing::found(text, search); });
}

void ScheduleListing::listAll() {
    const QString list = allLines();
    m_scratch.clear();
    IDialogs& dialogs = *m_services.dialogs;
    if (list.trimmed().isEmpty())
        dialogs.message(listing::nothingMade());
    else
        dialogs.longMessage(list);
}

void ScheduleListing::findText() {
    IDialogs& dialogs = *m_services.dialogs;
    const QString search = dialogs.inputBox(listing::searchPrompt(), listing::searchTitle());
    if (search.isEmpty()) return;
    const QString list = matchingLines(search);
    m_scratch.clear();
    if (list.trimmed().isEmpty())
        dialogs.message(listing::notFound(search));
    else
        dialogs.longMessage(list);
}
