#include "Database.h"

#include "StoredKind.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

#include <malloc.h>
#include <sys/stat.h>

namespace {

struct RequiredTable {
    const char* name;
    int columns;
};
// The tables the program opens and the columns it addresses by position.
constexpr RequiredTable kRequiredTables[] = {{"scheduler", 7}, {"clockini", 4}, {"signal", 7}};

QString sqliteError(sqlite3* db) {
    if (!db) return QStringLiteral("out of memory");
    // A file that cannot be written is named in the user's words: which of
    // the two refuses, the folder (where the journal goes) or the file.
    const int code = sqlite3_extended_errcode(db);
    if (code == SQLITE_READONLY_DIRECTORY) return QStringLiteral("the data folder cannot be written");
    if ((code & 0xff) == SQLITE_READONLY) return QStringLiteral("the planner database file is read-only");
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// A prepared statement that finalises itself, or one of the connection's
// kept statements, borrowed and reset when done with.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql) {
        const QByteArray utf8 = sql.toUtf8();
        m_rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    }
    explicit Statement(sqlite3_stmt* kept) : m_stmt(kept), m_rc(kept ? SQLITE_OK : SQLITE_ERROR), m_kept(true) {}
    ~Statement() {
        if (!m_kept) {
            sqlite3_finalize(m_stmt);
        } else if (m_stmt) {
            sqlite3_reset(m_stmt);
            sqlite3_clear_bindings(m_stmt);
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool ok() const { return m_rc == SQLITE_OK && m_stmt; }
    sqlite3_stmt* get() const { return m_stmt; }

    bool bind(int index, const QVariant& value) {
        int rc = SQLITE_OK;
        switch (storedKind(value)) {
            case TableCopy::Kind::Null:
                rc = sqlite3_bind_null(m_stmt, index);
                break;
            case TableCopy::Kind::Integer:
                rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
                break;
            case TableCopy::Kind::Real:
                rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
                break;
            default: {
                const QByteArray text = value.toString().toUtf8();
                rc = sqlite3_bind_text(m_stmt, index, text.constData(), int(text.size()),
                                       SQLITE_TRANSIENT);
            }
        }
        return rc == SQLITE_OK;
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_ERROR;
    bool m_kept = false;
};

// Puts column `column` of the statement's current row into the copy.
void copyColumn(TableCopy& copy, std::size_t row, int to, sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_INTEGER:
            copy.setInteger(row, to, sqlite3_column_int64(stmt, column));
            break;
        case SQLITE_FLOAT:
            copy.setReal(row, to, sqlite3_column_double(stmt, column));
            break;
        case SQLITE_NULL:
            copy.setNull(row, to);
            break;
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            copy.setText(row, to, std::string_view(text ? text : "", std::size_t(sqlite3_column_bytes(stmt, column))));
        }
    }
}

QVariant columnValue(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(stmt, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(stmt, column));
        case SQLITE_NULL:
            return QVariant();
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, column)));
        }
    }
}

QString quoted(const QString& identifier) {
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

}  // namespace

// The schema is compiled into the library; a static library must ask for its
// resources to be registered.
static void registerResources() { Q_INIT_RESOURCE(tavenel); }

std::shared_ptr<Database> Database::open(const QString& path, QString* error) {
    if (!QFileInfo(path).isFile()) {
        if (error) *error = QStringLiteral("the file does not exist");
        return nullptr;
    }
    std::shared_ptr<Database> db(new Database);
    db->m_path = path;
    const QByteArray native = QFile::encodeName(path);
    // Read-write, never create: a missing file must not turn into an empty one.
    if (sqlite3_open_v2(native.constData(), &db->m_db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        if (error) *error = sqliteError(db->m_db);
        return nullptr;
    }
    sqlite3_busy_timeout(db->m_db, 1500);
    struct stat file {};
    if (::stat(native.constData(), &file) == 0) {
        db->m_device = quint64(file.st_dev);
        db->m_inode = quint64(file.st_ino);
    }
    if (!db->check(error)) return nullptr;
    db->externalChange();
    return db;
}

std::shared_ptr<Database> Database::reopen(const std::shared_ptr<Database>& current,
                                           const QString& path, QString* error) {
    if (!current || current->m_batchDepth > 0 || !current->holds(path)) return open(path, error);
    bool tablesChanged = false;
    if (!current->check(error, &tablesChanged)) return nullptr;
    // Another program altered the tables: the copies and record sets were
    // made for the old ones, so the file is opened anew.
    return tablesChanged ? open(path, error) : current;
}

bool Database::holds(const QString& path) const {
    if (path != m_path || m_inode == 0) return false;
    struct stat file {};
    return ::stat(QFile::encodeName(path).constData(), &file) == 0 &&
           quint64(file.st_dev) == m_device && quint64(file.st_ino) == m_inode;
}

bool Database::check(QString* error, bool* tablesChanged) {
    auto fail = [&](const QString& text) {
        if (error) *error = text;
        return false;
    };
    {
        // Reads every page of the file: a foreign file, a truncated one or
        // one held locked by another process fails here, before any write.
        Statement check(m_db, QStringLiteral("PRAGMA quick_check"));
        if (!check.ok()) return fail(sqliteError(m_db));
        const int rc = sqlite3_step(check.get());
        if (rc != SQLITE_ROW) return fail(sqliteError(m_db));
        const QString verdict = columnValue(check.get(), 0).toString();
        if (verdict != QLatin1String("ok"))
            return fail(QStringLiteral("the file is damaged (%1)").arg(verdict));
    }
    // The pages the check read stay in the file; the tables are copied to
    // memory anyway.
    sqlite3_db_release_memory(m_db);

    std::vector<QStringList> found;
    for (const RequiredTable& required : kRequiredTables) {
        const QString name = QString::fromLatin1(required.name);
        QStringList columns;
        Statement info(m_db, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(name)));
        if (!info.ok()) return fail(sqliteError(m_db));
        int rc;
        while ((rc = sqlite3_step(info.get())) == SQLITE_ROW)
            columns << columnValue(info.get(), 1).toString();
        if (rc != SQLITE_DONE) return fail(sqliteError(m_db));
        if (columns.isEmpty())
            return fail(QStringLiteral("the table \"%1\" is missing").arg(name));
        if (columns.size() < required.columns) {
            return fail(QStringLiteral("the table \"%1\" has %2 columns, %3 are needed")
                            .arg(name)
                            .arg(columns.size())
                            .arg(required.columns));
        }
        found.push_back(columns);
    }
    if (m_tables.empty()) {
        for (std::size_t i = 0; i < found.size(); ++i) {
            Table table;
            table.name = QString::fromLatin1(kRequiredTables[i].name);
            table.columns = found[i];
            table.copy = TableCopy(int(table.columns.size()));
            m_tables.push_back(std::move(table));
        }
        return true;
    }
    for (std::size_t i = 0; i < found.size(); ++i)
        if (found[i] != m_tables[i].columns && tablesChanged) *tablesChanged = true;
    return true;
}

bool Database::createFresh(const QString& path, QString* error) {
    if (QFileInfo::exists(path)) {
        if (error) *error = QStringLiteral("%1 already exists").arg(path);
        return false;
    }
    registerResources();
    QFile schemaFile(QStringLiteral(":/data/schema.sql"));
    if (!schemaFile.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("the database schema is not built into the program");
        return false;
    }
    const QByteArray schema = schemaFile.readAll();

    sqlite3* db = nullptr;
    const QByteArray native = QFile::encodeName(path);
    int rc = sqlite3_open_v2(native.constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXCLUSIVE,
                             nullptr);
    char* message = nullptr;
    if (rc == SQLITE_OK) {
        const QByteArray script = "BEGIN;\n" + schema + "\nCOMMIT;";
        rc = sqlite3_exec(db, script.constData(), nullptr, nullptr, &message);
    }
    const QString reason =
        message ? QString::fromUtf8(message) : (rc == SQLITE_OK ? QString() : sqliteError(db));
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        if (error) *error = reason;
        return false;
    }
    return true;
}

Database::~Database() {
    for (sqlite3_stmt* stmt : std::as_const(m_statements)) sqlite3_finalize(stmt);
    sqlite3_close(m_db);
}

int Database::tableIndex(const QString& name) const {
    for (std::size_t i = 0; i < m_tables.size(); ++i)
        if (m_tables[i].name.compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

std::unique_ptr<RecordSet> Database::openRecordSet(const QString& table) {
    const int index = tableIndex(table);
    if (index < 0) return nullptr;
    return std::make_unique<RecordSet>(shared_from_this(), index);
}

void Database::attach(int table) { ++m_tables[std::size_t(table)].users; }

void Database::detach(int table) {
    Table& t = m_tables[std::size_t(table)];
    if (--t.users > 0) return;
    // Nobody reads this copy any more (the planner window re-opens the
    // database and drops its record sets on the old connection): free it.
    // Swapped out, not assigned over: a text block assigned an empty one
    // would keep its buffer.
    TableCopy(int(t.columns.size())).swap(t.copy);
    t.loaded = false;
}

sqlite3_stmt* Database::statement(const QString& sql) {
    if (sqlite3_stmt* kept = m_statements.value(sql)) return kept;
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(m_db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    m_statements.insert(sql, stmt);
    return stmt;
}

bool Database::externalChange() {
    Statement stmt(statement(QStringLiteral("PRAGMA data_version")));
    if (!stmt.ok() || sqlite3_step(stmt.get()) != SQLITE_ROW) return true;
    const qint64 version = sqlite3_column_int64(stmt.get(), 0);
    const bool changed = version != m_dataVersion;
    m_dataVersion = version;
    return changed;
}

bool Database::refresh(int table, QString* error) {
    Table& t = m_tables[std::size_t(table)];
    if (externalChange()) {
        for (Table& other : m_tables) other.loaded = false;
    }
    if (t.loaded) return true;

    Statement stmt(statement(QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(quoted(t.name))));
    if (!stmt.ok()) {
        if (error) *error = sqliteError(m_db);
        return false;
    }
    TableCopy copy(int(t.columns.size()));
    // Sized once: grown record by record, a large table would leave behind
    // every smaller block it outgrew.
    {
        Statement count(statement(QStringLiteral("SELECT count(*) FROM %1").arg(quoted(t.name))));
        if (count.ok() && sqlite3_step(count.get()) == SQLITE_ROW)
            copy.reserve(std::size_t(std::max<sqlite3_int64>(0, sqlite3_column_int64(count.get(), 0))));
    }
    const int columns = int(t.columns.size());
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        const std::size_t row = copy.insert(sqlite3_column_int64(stmt.get(), 0));
        for (int c = 0; c < columns; ++c) copyColumn(copy, row, c, stmt.get(), c + 1);
    }
    if (rc != SQLITE_DONE) {
        if (error) *error = sqliteError(m_db);
        return false;
    }
    copy.fit();
    t.copy.swap(copy);
    t.loaded = true;
    // After a large table, the pages the read went through and the copy it
    // replaced are given back: the process keeps only the copy. (A small
    // table, read again on every tick, is not worth the walk of the heap.)
    constexpr std::size_t kLargeTable = 4096;
    if (std::max(t.copy.size(), copy.size()) >= kLargeTable) {
        sqlite3_db_release_memory(m_db);
        TableCopy().swap(copy);
        malloc_trim(0);
    }
    return true;
}

bool Database::readBack(int table, std::size_t row, qint64 rowid) {
    Table& t = m_tables[std::size_t(table)];
    // What the column types made of the values written.
    Statement back(statement(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoted(t.name))));
    if (!back.ok() || !back.bind(1, rowid) || sqlite3_step(back.get()) != SQLITE_ROW) return false;
    for (int c = 0; c < t.columns.size(); ++c) copyColumn(t.copy, row, c, back.get(), c);
    return true;
}

bool Database::insertRow(int table, const QVariantList& values, qint64* rowid, QString* error) {
    Table& t = m_tables[std::size_t(table)];
    QStringList marks;
    for (int c = 0; c < t.columns.size(); ++c) marks << QStringLiteral("?");
    Statement stmt(statement(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quoted(t.name), marks.join(','))));
    bool ok = stmt.ok();
    for (int c = 0; ok && c < t.columns.size(); ++c) ok = stmt.bind(c + 1, values.value(c));
    if (!ok || sqlite3_step(stmt.get()) != SQLITE_DONE) {
        if (error) *error = sqliteError(m_db);
        return false;
    }
    *rowid = sqlite3_last_insert_rowid(m_db);
    if (t.loaded) {
        const std::size_t row = t.copy.insert(*rowid);
        if (!readBack(table, row, *rowid)) {
            for (int c = 0; c < t.columns.size(); ++c) t.copy.setValue(row, c, values.value(c));
        }
    }
    externalChange();  // our own write does not count as someone else's
    return true;
}

bool Database::updateRow(int table, qint64 rowid, const QVariantList& values,
                         const std::vector<bool>& written, QString* error) {
    Table& t = m_tables[std::size_t(table)];
    QStringList sets;
    QVariantList bound;
    for (int c = 0; c < t.columns.size(); ++c) {
        if (std::size_t(c) < written.size() && written[std::size_t(c)]) {
            sets << quoted(t.columns[c]) + QStringLiteral(" = ?");
            bound << values.value(c);
        }
    }
    if (sets.isEmpty()) return true;
    Statement stmt(m_db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoted(t.name), sets.join(", ")));
    bool ok = stmt.ok();
    for (int i = 0; ok && i < bound.size(); ++i) ok = stmt.bind(i + 1, bound[i]);
    ok = ok && stmt.bind(int(bound.size()) + 1, rowid);
    if (!ok || sqlite3_step(stmt.get()) != SQLITE_DONE) {
        if (error) *error = sqliteError(m_db);
        return false;
    }
    if (t.loaded) {
        const std::size_t at = t.copy.lowerBound(rowid);
        if (at < t.copy.size() && t.copy.rowid(at) == rowid && !readBack(table, at, rowid))
            t.loaded = false;
    }
    externalChange();
    return true;
}

bool Database::deleteRow(int table, qint64 rowid, QString* error) {
    Table& t = m_tables[std::size_t(table)];
    Statement stmt(statement(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(t.name))));
    if (!stmt.ok() || !stmt.bind(1, rowid) || sqlite3_step(stmt.get()) != SQLITE_DONE) {
        if (error) *error = sqliteError(m_db);
        return false;
    }
    if (t.loaded) {
        const std::size_t at = t.copy.lowerBound(rowid);
        if (at < t.copy.size() && t.copy.rowid(at) == rowid) t.copy.markGone(at);
        // Inside a batch the gone records are removed once, when it ends.
        if (m_batchDepth == 0) t.copy.compact();
    }
    externalChange();
    return true;
}

void Database::beginBatch() {
    if (m_batchDepth++ > 0) return;
    // Taken at once for writing, so that the commit cannot find another
    // connection half-way through a write of its own. Without the
    // transaction every write is its own, as outside a batch.
    m_inTransaction = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool Database::endBatch(bool commit, QString* error) {
    if (m_batchDepth == 0 || --m_batchDepth > 0) return true;
    bool ok = true;
    if (m_inTransaction) {
        m_inTransaction = false;
        if (commit && sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
            if (error) *error = sqliteError(m_db);
            ok = false;
        }
        if (!commit || !ok) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            ok = false;
            // The copies saw writes the file no longer holds.
            for (Table& t : m_tables) t.loaded = false;
        }
    }
    for (Table& t : m_tables)
        if (t.loaded) t.copy.compact();
    externalChange();
    return ok;
}

// ---------------------------------------------------------------------------

RecordSet::RecordSet(std::shared_ptr<Database> db, int table) : m_db(std::move(db)), m_table(table) {
    m_db->attach(m_table);
    // A new record set starts on the first record, as the engine's do.
    moveFirst();
    m_error.clear();
}

RecordSet::~RecordSet() { m_db->detach(m_table); }

QString RecordSet::tableName() const { return m_db->m_tables[std::size_t(m_table)].name; }

int RecordSet::columnCount() const { return int(m_db->m_tables[std::size_t(m_table)].columns.size()); }

const TableCopy& RecordSet::copy() const { return m_db->m_tables[std::size_t(m_table)].copy; }

bool RecordSet::fail(const QString& error) const {
    m_error = error;
    return false;
}

bool RecordSet::moveFirst() {
    m_mode = Mode::None;
    m_currentDeleted = false;
    QString error;
    if (!m_db->refresh(m_table, &error)) {
        m_atEnd = true;
        m_current = -1;
        return fail(error);
    }
    const TableCopy& rows = copy();
    std::size_t at = 0;
    while (at < rows.size() && rows.gone(at)) ++at;
    if (at >= rows.size()) {
        m_atEnd = true;
        m_current = -1;
        return fail(QStringLiteral("No current record"));
    }
    m_atEnd = false;
    m_current = rows.rowid(at);
    m_index = at;
    return true;
}

bool RecordSet::moveNext() {
    m_mode = Mode::None;
    if (m_atEnd) return fail(QStringLiteral("No current record"));
    // A scan reads the copy that moveFirst made current. Asking the file
    // whether another connection wrote to it costs a lock and a read of its
    // header, far more than the step itself, so it is done once per scan and
    // not once per record; this connection's own writes reach the copy anyway.
    QString error;
    if (!m_db->m_tables[std::size_t(m_table)].loaded && !m_db->refresh(m_table, &error))
        return fail(error);
    const TableCopy& rows = copy();
    // The first record after the current one, which may have been deleted
    // or moved by a write since.
    const bool hintHolds = m_index < rows.size() && rows.rowid(m_index) == m_current;
    std::size_t at = hintHolds ? m_index + 1 : rows.lowerBound(m_current + 1);
    while (at < rows.size() && rows.gone(at)) ++at;
    m_currentDeleted = false;
    if (at >= rows.size()) {
        m_atEnd = true;
        m_current = -1;
        return true;
    }
    m_current = rows.rowid(at);
    m_index = at;
    return true;
}

bool RecordSet::atEnd() const { return m_atEnd; }

bool RecordSet::currentRow(std::size_t* row) const {
    if (m_atEnd || m_currentDeleted || m_current < 0) return false;
    if (!m_db->m_tables[std::size_t(m_table)].loaded) {
        QString error;
        if (!m_db->refresh(m_table, &error)) return false;
    }
    const TableCopy& rows = copy();
    if (m_index >= rows.size() || rows.rowid(m_index) != m_current) m_index = rows.lowerBound(m_current);
    if (m_index >= rows.size() || rows.rowid(m_index) != m_current || rows.gone(m_index)) return false;
    *row = m_index;
    return true;
}

bool RecordSet::hasCurrent() const {
    std::size_t row = 0;
    return currentRow(&row);
}

QVariant RecordSet::field(int n) const {
    std::size_t row = 0;
    if (!currentRow(&row)) {
        fail(QStringLiteral("No current record"));
        return QVariant();
    }
    if (n < 0 || n >= columnCount()) {
        fail(QStringLiteral("Item not found in this collection"));
        return QVariant();
    }
    return copy().value(row, n);
}

StoredRecord RecordSet::record() const {
    std::size_t row = 0;
    if (!currentRow(&row)) {
        fail(QStringLiteral("No current record"));
        return StoredRecord(QVariantList());
    }
    return StoredRecord(copy(), row);
}

QString RecordSet::text(int n) const {
    std::size_t row = 0;
    if (!currentRow(&row)) {
        fail(QStringLiteral("No current record"));
        return QString();
    }
    if (n < 0 || n >= columnCount()) {
        fail(QStringLiteral("Item not found in this collection"));
        return QString();
    }
    return copy().text(row, n);
}

QVariantList RecordSet::values() const {
    std::size_t row = 0;
    if (!currentRow(&row)) {
        fail(QStringLiteral("No current record"));
        return QVariantList();
    }
    QVariantList values;
    values.reserve(columnCount());
    for (int c = 0; c < columnCount(); ++c) values.append(copy().value(row, c));
    return values;
}

bool RecordSet::addNew() {
    m_mode = Mode::Adding;
    m_pending = QVariantList();
    for (int c = 0; c < columnCount(); ++c) m_pending.append(QVariant());
    m_written.assign(std::size_t(columnCount()), false);
    return true;
}

bool RecordSet::edit() {
    if (!hasCurrent()) {
        m_mode = Mode::None;
        return fail(QStringLiteral("No current record"));
    }
    m_mode = Mode::Editing;
    m_pending = values();
    m_written.assign(std::size_t(columnCount()), false);
    return true;
}

bool RecordSet::setField(int n, const QVariant& value) {
    if (m_mode == Mode::None) return fail(QStringLiteral("Update or CancelUpdate without AddNew or Edit"));
    if (n < 0 || n >= columnCount()) return fail(QStringLiteral("Item not found in this collection"));
    m_pending[n] = value;
    m_written[std::size_t(n)] = true;
    return true;
}

bool RecordSet::update() {
    const Mode mode = m_mode;
    m_mode = Mode::None;
    QString error;
    if (mode == Mode::Adding) {
        qint64 rowid = 0;
        if (!m_db->insertRow(m_table, m_pending, &rowid, &error)) return fail(error);
        return true;
    }
    if (mode == Mode::Editing) {
        if (!m_db->updateRow(m_table, m_current, m_pending, m_written, &error)) return fail(error);
        return true;
    }
    return fail(QStringLiteral("Update or CancelUpdate without AddNew or Edit"));
}

bool RecordSet::remove() {
    m_mode = Mode::None;
    if (!hasCurrent()) return fail(QStringLiteral("No current record"));
    QString error;
    if (!m_db->deleteRow(m_table, m_current, &error)) return fail(error);
    m_currentDeleted = true;
    return true;
}
