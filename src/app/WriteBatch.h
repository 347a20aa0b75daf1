#pragma once

#include <QString>

class Database;

// Groups the writes made through a database's record sets into one
// transaction: a scan that deletes many records writes the file once, and
// the records deleted leave the in-memory copy in one pass at the end.
// Nothing is durable until commit() returns true; a batch that ends without
// a commit, or whose commit fails, leaves the file as it was before the
// batch. Batches may nest; the outermost one decides.
class WriteBatch {
public:
    explicit WriteBatch(Database& db);
    ~WriteBatch();
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;

    // Makes the batch's writes durable; false, with the reason, when the
    // file could not take them (then none of them stands).
    bool commit(QString* error = nullptr);

private:
    Database& m_db;
    bool m_ended = false;
};
