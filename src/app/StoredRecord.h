#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <optional>

#include "TableCopy.h"

// One stored record as the scans read it: its columns by position, read as
// whole numbers, month names, text or the stored value, without copying the
// record. A record of a table stays valid until that table is next written
// to or read again from the file; a record made from values owns them.
// A column the record does not have reads as null.
class StoredRecord {
public:
    StoredRecord(const TableCopy& table, std::size_t row) : m_table(&table), m_row(row) {}
    // A record of its own holding `values` (as a record set's values() gives them).
    explicit StoredRecord(const QVariantList& values);

    bool isNull(int n) const { return !has(n) || m_table->isNull(m_row, n); }
    // The value read as a whole number ("05" and 5.0 read as 5).
    std::optional<qint64> number(int n) const {
        return has(n) ? m_table->number(m_row, n) : std::nullopt;
    }
    // 1 .. 12 when the column holds exactly a month's English name.
    int monthNumber(int n) const { return has(n) ? m_table->monthNumber(m_row, n) : 0; }
    // The same once blanks at both ends are dropped.
    int trimmedMonthNumber(int n) const { return has(n) ? m_table->monthNumber(m_row, n, true) : 0; }
    // The stored value as text (numbers in decimal, null as "").
    QString text(int n) const { return has(n) ? m_table->text(m_row, n) : QString(); }
    QVariant value(int n) const { return has(n) ? m_table->value(m_row, n) : QVariant(); }

private:
    bool has(int n) const { return n >= 0 && n < m_table->columns() && m_row < m_table->size(); }

    std::shared_ptr<const TableCopy> m_own;
    const TableCopy* m_table;
    std::size_t m_row;
};
