#include "StoredRecord.h"

namespace {
std::shared_ptr<const TableCopy> copyOf(const QVariantList& values) {
    auto table = std::make_shared<TableCopy>(int(values.size()));
    const std::size_t row = table->insert(1);
    for (int c = 0; c < values.size(); ++c) table->setValue(row, c, values[c]);
    return table;
}
}  // namespace

StoredRecord::StoredRecord(const QVariantList& values)
    : m_own(copyOf(values)), m_table(m_own.get()), m_row(0) {}
