#include "scheduler/AppointmentBook.h"

#include "AppContext.h"
#include "Database.h"
#include "WriteBatch.h"

AppointmentBook::AppointmentBook(const AppContext& app)
    : m_db(app.plannerDb),
      m_records(m_db ? m_db->openRecordSet(QStringLiteral("scheduler")) : nullptr) {}

AppointmentBook::~AppointmentBook() = default;

std::optional<QString> AppointmentBook::textAt(const AppointmentSlot& slot) {
    if (!m_records) return std::nullopt;
    // A failing step ends the scan rather than repeating itself.
    for (bool ok = m_records->moveFirst(); ok && !m_records->atEnd(); ok = m_records->moveNext()) {
        const Appointment stored = Appointment::current(*m_records);
        if (AppointmentSlot::of(stored) == slot) return stored.textValue();
    }
    return std::nullopt;
}

std::vector<QVariantList> AppointmentBook::readAll() {
    std::vector<QVariantList> records;
    if (!m_records) return records;
    for (bool ok = m_records->moveFirst(); ok && !m_records->atEnd(); ok = m_records->moveNext())
        records.push_back(m_records->values());
    return records;
}

bool AppointmentBook::notOpen(QString* error) {
    if (error) *error = QStringLiteral("the planner database is not open");
    return false;
}

bool AppointmentBook::append(const QVariantList& columns, QString* error) {
    if (!m_records) return notOpen(error);
    bool stored = m_records->addNew();
    for (int column = 0; stored && column < columns.size(); ++column)
        stored = m_records->setField(column, columns[column]);
    if (stored) stored = m_records->update();
    if (!stored && error) *error = m_records->lastError();
    return stored;
}

bool AppointmentBook::appendAll(const std::vector<QVariantList>& records, QString* error) {
    if (!m_records) return notOpen(error);
    // All or none: a failed import can then simply be tried again.
    WriteBatch batch(*m_db);
    for (const QVariantList& columns : records)
        if (!append(columns, error)) return false;
    return batch.commit(error);
}
