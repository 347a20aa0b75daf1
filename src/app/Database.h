#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

#include "StoredRecord.h"
#include "TableCopy.h"

struct sqlite3;
struct sqlite3_stmt;
class RecordSet;

// The planner database `scheduler.mdb`: one SQLite file holding the tables
// scheduler, clockini and signal, reached only through record sets that
// address columns by position.
//
// A table is read into memory when a record set on it first needs it and
// kept there while any record set on it is open; the copy is read again
// when another connection (another process, or a test) has written to the
// file since. Writes go to the file first and are durable when the call
// returns, or, inside a WriteBatch, when the batch is committed; the copy
// follows them, so every record set on a table sees the others' writes at
// once.
class Database : public std::enable_shared_from_this<Database> {
public:
    // Opens an existing database file and checks that it can be used: it is
    // an SQLite database, it is not damaged, nothing else holds it locked, and
    // the three tables exist with at least the columns the program addresses.
    // On failure returns null and sets `error` to a reason a user can read.
    static std::shared_ptr<Database> open(const QString& path, QString* error);
    // Opens the database at `path` again, as the planner window does when it
    // loads. While `current` is open on that very file it is checked as a
    // fresh open checks it and handed back, so that one connection and one
    // copy of each table serve both windows; another file (the one at `path`
    // was replaced) is opened anew. Null with `error` set when the file
    // cannot be used.
    static std::shared_ptr<Database> reopen(const std::shared_ptr<Database>& current,
                                            const QString& path, QString* error);

    // Creates a fresh database at `path` from the shipped schema. Refuses to
    // touch a file that already exists.
    static bool createFresh(const QString& path, QString* error);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // A new cursor over every record of `table`, in stored order.
    std::unique_ptr<RecordSet> openRecordSet(const QString& table);

    QString path() const { return m_path; }

private:
    friend class RecordSet;
    friend class WriteBatch;
    struct Table {
        QString name;
        QStringList columns;
        TableCopy copy;  // in rowid order
        bool loaded = false;
        int users = 0;  // record sets open on the table
    };

    Database() = default;
    // The checks every open makes: the file reads whole and undamaged, and
    // the tables hold the columns the program addresses. False with the
    // reason in `error`. Checked again while open, `tablesChanged` tells
    // whether the columns differ from those the copies were made for.
    bool check(QString* error, bool* tablesChanged = nullptr);
    // Whether `path` names the file this connection has open.
    bool holds(const QString& path) const;
    int tableIndex(const QString& name) const;
    // Makes the in-memory copy of the table current; false on a read error.
    bool refresh(int table, QString* error);
    bool externalChange();
    // A record set on the table opens or goes; the copy goes with the last.
    void attach(int table);
    void detach(int table);
    // A statement prepared once and kept for the connection's life; reset
    // before it is handed out again.
    sqlite3_stmt* statement(const QString& sql);
    // Fills row `row` of the table's copy from the file.
    bool readBack(int table, std::size_t row, qint64 rowid);
    // The outermost batch starts the transaction and ends it.
    void beginBatch();
    bool endBatch(bool commit, QString* error);

    bool insertRow(int table, const QVariantList& values, qint64* rowid, QString* error);
    bool updateRow(int table, qint64 rowid, const QVariantList& values,
                   const std::vector<bool>& written, QString* error);
    bool deleteRow(int table, qint64 rowid, QString* error);

    QString m_path;
    // The opened file's device and inode, to tell it from a file put in its place.
    quint64 m_device = 0;
    quint64 m_inode = 0;
    sqlite3* m_db = nullptr;
    std::vector<Table> m_tables;
    qint64 m_dataVersion = -1;
    QHash<QString, sqlite3_stmt*> m_statements;
    int m_batchDepth = 0;
    bool m_inTransaction = false;  // the outermost batch began a transaction
};

// A cursor over one table, as the program's handlers use it: move to first,
// test for the end, move to next, read or write a column of the current
// record by position, append, edit, update and delete the current record.
// Each operation returns false on failure and keeps the reason in lastError();
// callers that run "with errors ignored" simply go on.
class RecordSet {
public:
    RecordSet(std::shared_ptr<Database> db, int table);
    ~RecordSet();
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    bool moveFirst();
    bool moveNext();
    bool atEnd() const;

    // The stored value of column n of the current record: a QString, a
    // qlonglong, a double, or a null QVariant. Null too when there is no
    // current record (see lastError()).
    QVariant field(int n) const;
    // The current record for scans that read many records: its columns
    // read without copies, valid until anything writes to the table. Every
    // column reads as null when there is no current record.
    StoredRecord record() const;
    // The stored value as text: numbers in decimal without blanks, null as "".
    QString text(int n) const;
    // Every column of the current record, in column order; empty when there
    // is no current record. (A scan of a whole table reads this once a
    // record rather than asking for each column.)
    QVariantList values() const;
    bool hasCurrent() const;

    // Reads every record from the first to the last, as moveFirst, reading
    // and moveNext to the end do, without the cursor's work for each record:
    // for the scans that run on every tick over the whole table. `visit`
    // gets each record and must not write to the table. Leaves the record
    // set at its end; false when the table cannot be read or is empty.
    template <class Visit>
    bool scanAll(Visit&& visit) {
        if (!moveFirst()) return false;
        const TableCopy& rows = copy();
        for (std::size_t row = m_index; row < rows.size(); ++row)
            if (!rows.gone(row)) visit(StoredRecord(rows, row));
        m_atEnd = true;
        m_current = -1;
        return true;
    }

    bool addNew();
    bool edit();
    bool setField(int n, const QVariant& value);
    bool update();
    bool remove();

    QString lastError() const { return m_error; }
    QString tableName() const;
    int columnCount() const;
    Database& database() const { return *m_db; }

private:
    // Index of the current record in the table's copy; false when there is none.
    bool currentRow(std::size_t* row) const;
    const TableCopy& copy() const;
    bool fail(const QString& error) const;

    std::shared_ptr<Database> m_db;
    int m_table = -1;
    qint64 m_current = -1;  // rowid of the current record
    // Where the current record stood in the copy when last found; checked
    // before use, so that a scan steps on without searching.
    mutable std::size_t m_index = 0;
    bool m_atEnd = true;
    bool m_currentDeleted = false;
    enum class Mode { None, Adding, Editing } m_mode = Mode::None;
    QVariantList m_pending;
    std::vector<bool> m_written;
    mutable QString m_error;
};
