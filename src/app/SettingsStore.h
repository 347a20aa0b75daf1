#pragma once

#include <QString>
#include <optional>

class RecordSet;

// The settings record (first record of `clockini`) and the flags record
// (first record of `signal`). Every operation runs as the program's
// handlers do: a failing step is skipped and the next one runs.
namespace settings {

// What start-up reads from the settings record. A value that cannot be read
// stays unset (position) or keeps its default.
struct Saved {
    std::optional<int> left;    // twips, 16-bit
    std::optional<double> top;  // twips, single precision
    QString size = QStringLiteral("normal");
    QString chimeMode = QStringLiteral("None");
};
Saved read(RecordSet& clockini);

// Stores the clock window's position, size word and chime mode, adding the
// record when the table is empty. `left` is clamped to 16 bits.
void save(RecordSet& clockini, qint64 left, double top, const QString& size,
          const QString& chimeMode);

// The help flag: column 6 of the flags record is exactly "F". nullopt when
// the record cannot be read (an empty table).
std::optional<bool> readHelpFlag(RecordSet& signal);

// Stores "U" in column 6 of the first flags record; nothing when there is none.
void setHelpOff(RecordSet& signal);

// Stores `value` ("Pass" or "F") in column 0 of the flags record, adding the
// record when the table is empty.
void writeHandoff(RecordSet& signal, const QString& value);
// Column 0 of the first flags record; nullopt when there is no record.
std::optional<QString> readHandoff(RecordSet& signal);

}  // namespace settings
