#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
class RecordSet;

// The planner database `scheduler.mdb`: one SQLite file holding the tables
// scheduler, clockini and signal, reached only through record sets that
// address columns by position.
//
// Every table is read once into memory and kept there; the copy is read
// again when another connection (another process, or a test) has written to
// the file since. Writes go to the file first and are durable when the call
// returns; the copy follows them, so every record set on a table sees the
// others' writes at once.
class Database : public std::enable_shared_from_this<Database> {
public:
    // Opens an existing database file and checks that it can be used: it is
    // an SQLite database, it is not damaged, nothing else holds it locked, and
    // the three tables exist with at least the columns the program addresses.
    // On failure returns null and sets `error` to a reason a user can read.
    static std::shared_ptr<Database> open(const QString& path, QString* error);

    // Creates a fresh database at `path` from the shipped schema. Refuses to
    // touch a file that already exists.
    static bool createFresh(const QString& path, QString* error);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // A new cursor over every record of `table`, in stored order.
    std::unique_ptr<RecordSet> openRecordSet(const QString& table);

    // Runs `work`, whose writes are then stored together: all of them,
    // durable when this returns true, or none (when `work` returns false or
    // they cannot be stored; the reason is in `error` then). Many writes in a
    // row wait for the disk once instead of once each.
    bool inOneWrite(const std::function<bool()>& work, QString* error);

    QString path() const { return m_path; }

private:
    friend class RecordSet;
    struct Row {
        qint64 rowid = 0;
        QVariantList values;
    };
    struct Table {
        QString name;
        QStringList columns;
        std::vector<Row> rows;  // sorted by rowid
        bool loaded = false;
    };

    Database() = default;
    int tableIndex(const QString& name) const;
    // Makes the in-memory copy of the table current; false on a read error.
    bool refresh(int table, QString* error);
    bool externalChange();
    // Index of the first row whose rowid is at least `rowid`.
    std::size_t lowerBound(int table, qint64 rowid) const;

    bool insertRow(int table, const QVariantList& values, qint64* rowid, QString* error);
    bool updateRow(int table, qint64 rowid, const QVariantList& values,
                   const std::vector<bool>& written, QString* error);
    bool deleteRow(int table, qint64 rowid, QString* error);

    QString m_path;
    sqlite3* m_db = nullptr;
    std::vector<Table> m_tables;
    qint64 m_dataVersion = -1;
};

// A cursor over one table, as the program's handlers use it: move to first,
// test for the end, move to next, read or write a column of the current
// record by position, append, edit, update and delete the current record.
// Each operation returns false on failure and keeps the reason in lastError();
// callers that run "with errors ignored" simply go on.
class RecordSet {
public:
    RecordSet(std::shared_ptr<Database> db, int table);

    bool moveFirst();
    bool moveNext();
    bool atEnd() const;

    // The stored value of column n of the current record: a QString, a
    // qlonglong, a double, or a null QVariant. Null too when there is no
    // current record (see lastError()).
    QVariant field(int n) const;
    // The same value without a copy, for scans that only compare it: valid
    // until the record set moves or anything writes to the table.
    const QVariant& fieldRef(int n) const;
    // The stored value as text: numbers in decimal without blanks, null as "".
    QString text(int n) const;
    // Every column of the current record, in column order; empty when there
    // is no current record. (A scan of a whole table reads this once a
    // record rather than asking for each column.)
    QVariantList values() const;
    bool hasCurrent() const;

    bool addNew();
    bool edit();
    bool setField(int n, const QVariant& value);
    bool update();
    bool remove();

    QString lastError() const { return m_error; }
    QString tableName() const;
    int columnCount() const;

private:
    const Database::Row* currentRow() const;
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
