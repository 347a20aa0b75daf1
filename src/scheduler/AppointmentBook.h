#pragma once

#include <QString>
#include <QVariantList>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "Database.h"
#include "scheduler/AppointmentSlot.h"

struct AppContext;

// The appointment table as the commands that add appointments use it, on a
// cursor of its own: what a slot already holds, and appending a record.
class AppointmentBook {
public:
    explicit AppointmentBook(const AppContext& app);
    ~AppointmentBook();

    // False when there is no database to write to.
    bool isOpen() const { return m_records != nullptr; }
    // The text of the first appointment in `slot`, in stored order; nullopt
    // when the slot is free.
    std::optional<QString> textAt(const AppointmentSlot& slot);
    // Every record's seven columns, in stored order. A record set that fails
    // while moving ends the reading there.
    std::vector<QVariantList> readAll();
    // Visits every record as stored, without copying its values; `visit`
    // must not write. False when there is nothing to read.
    template <class Visit>
    bool scanAll(Visit&& visit) {
        return m_records && m_records->scanAll(std::forward<Visit>(visit));
    }
    // Appends one record of seven columns. On failure returns false with the
    // reason in `error`; nothing is stored then.
    bool append(const QVariantList& columns, QString* error);
    // Appends records together: all of them or, on failure, none.
    bool appendAll(const std::vector<QVariantList>& records, QString* error);

private:
    static bool notOpen(QString* error);

    std::shared_ptr<Database> m_db;
    std::unique_ptr<RecordSet> m_records;
};
