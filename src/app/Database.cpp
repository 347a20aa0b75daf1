#include "Database.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace {

struct RequiredTable {
    const char* name;
    int columns;
};
// The tables the program opens and the columns it addresses by position.
constexpr RequiredTable kRequiredTables[] = {{"scheduler", 7}, {"clockini", 4}, {"signal", 7}};

QString sqliteError(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

// A prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql) {
        const QByteArray utf8 = sql.toUtf8();
        m_rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool ok() const { return m_rc == SQLITE_OK && m_stmt; }
    sqlite3_stmt* get() const { return m_stmt; }

    bool bind(int index, const QVariant& value) {
        int rc = SQLITE_OK;
        if (value.isNull() || !value.isValid()) {
            rc = sqlite3_bind_null(m_stmt, index);
        } else {
            switch (value.typeId()) {
                case QMetaType::Short:
                case QMetaType::UShort:
                case QMetaType::Int:
                case QMetaType::UInt:
                case QMetaType::Long:
                case QMetaType::LongLong:
                case QMetaType::Bool:
                    rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
                    break;
                case QMetaType::Float:
                case QMetaType::Double:
                    rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
                    break;
                default: {
                    const QByteArray text = value.toString().toUtf8();
                    rc = sqlite3_bind_text(m_stmt, index, text.constData(), int(text.size()),
                                           SQLITE_TRANSIENT);
                }
            }
        }
        return rc == SQLITE_OK;
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_ERROR;
};

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
    auto setError = [&](const QString& text) {
        if (error) *error = text;
        return nullptr;
    };
    if (!QFileInfo(path).isFile()) return setError(QStringLiteral("the file does not exist"));

    std::shared_ptr<Database> db(new Database);
    db->m_path = path;
    const QByteArray native = QFile::encodeName(path);
    // Read-write, never create: a missing file must not turn into an empty one.
    if (sqlite3_open_v2(native.constData(), &db->m_db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        return setError(sqliteError(db->m_db));
    }
    sqlite3_busy_timeout(db->m_db, 1500);

    {
        // Reads every page of the file: a foreign file, a truncated one or
        // one held locked by another process fails here, before any write.
        Statement check(db->m_db, QStringLiteral("PRAGMA quick_check"));
        if (!check.ok()) return setError(sqliteError(db->m_db));
        const int rc = sqlite3_step(check.get());
        if (rc != SQLITE_ROW) return setError(sqliteError(db->m_db));
        const QString verdict = columnValue(check.get(), 0).toString();
        if (verdict != QLatin1String("ok"))
            return setError(QStringLiteral("the file is damaged (%1)").arg(verdict));
    }

    for (const RequiredTable& required : kRequiredTables) {
        Table table;
        table.name = QString::fromLatin1(required.name);
        Statement info(db->m_db, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table.name)));
        if (!info.ok()) return setError(sqliteError(db->m_db));
        int rc;
        while ((rc = sqlite3_step(info.get())) == SQLITE_ROW)
            table.columns << columnValue(info.get(), 1).toString();
        if (rc != SQLITE_DONE) return setError(sqliteError(db->m_db));
        if (table.columns.isEmpty())
            return setError(QStringLiteral("the table \"%1\" is missing").arg(table.name));
        if (table.columns.size() < required.columns) {
            return setError(QStringLiteral("the table \"%1\" has %2 columns, %3 are needed")
                                .arg(table.name)
                                .arg(table.columns.size())
                                .arg(required.columns));
        }
        db->m_tables.push_back(std::move(table));
    }
    db->externalChange();
    return db;
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

Database::~Database() { sqlite3_close(m_db); }

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

bool Database::inOneWrite(const std::function<bool()>& work, QString* error) {
    if (sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        if (error) *error = sqliteError(m_db);
        return false;
    }
    if (work()) {
        if (sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK) return true;
        if (error) *error = sqliteError(m_db);
    }
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    // The copies in memory hold the writes that were undone.
    for (Table& t : m_tables) t.loaded = false;
    externalChange();
    return false;
}

bool Database::externalChange() {
    Statement stmt(m_db, QStringLiteral("PRAGMA data_version"));
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

    Statement stmt(m_db, QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(quoted(t.name)));
    if (!stmt.ok()) {
        if (error) *error = sqliteError(m_db);
        return false;
    }
    std::vector<Row> rows;
    const int columns = int(t.columns.size());
    // Short texts repeat from record to record (month names, years, "AM");
    // equal ones share one copy, so a scan that compares them reads the same
    // few characters over and over instead of one scattered copy per record.
    QHash<QString, QString> shared;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        Row row;
        row.rowid = sqlite3_column_int64(stmt.get(), 0);
        row.values.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            QVariant value = columnValue(stmt.get(), c + 1);
            if (value.typeId() == QMetaType::QString) {
                const QString text = value.toString();
                if (text.size() <= 16) {
                    const auto it = shared.constFind(text);
                    if (it != shared.constEnd())
                        value = QVariant(*it);
                    else
                        shared.insert(text, text);
                }
            }
            row.values.append(std::move(value));
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        if (error) *error = sqliteError(m_db);
        return false;
    }
    t.rows = std::move(rows);
    t.loaded = true;
    return true;
}

std::size_t Database::lowerBound(int table, qint64 rowid) const {
    const auto& rows = m_tables[std::size_t(table)].rows;
    const auto it = std::lower_bound(rows.begin(), rows.end(), rowid,
                                     [](const Row& row, qint64 id) { return row.rowid < id; });
    return std::size_t(it - rows.begin());
}

bool Database::insertRow(int table, const QVariantList& values, qint64* rowid, QString* error) {
    Table& t = m_tables[std::size_t(table)];
    QStringList marks;
    for (int c = 0; c < t.columns.size(); ++c) marks << QStringLiteral("?");
    Statement stmt(m_db, QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quoted(t.name), marks.join(',')));
    bool ok = stmt.ok();
    for (int c = 0; ok && c < t.columns.size(); ++c) ok = stmt.bind(c + 1, values.value(c));
    if (!ok || sqlite3_step(stmt.get()) != SQLITE_DONE) {
        if (error) *error = sqliteError(m_db);
        return false;
    }
    *rowid = sqlite3_last_insert_rowid(m_db);
    if (t.loaded) {
        Row row{*rowid, values};
        while (row.values.size() < t.columns.size()) row.values.append(QVariant());
        // Read back what the column types made of the values written.
        Statement back(m_db, QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoted(t.name)));
        if (back.ok() && back.bind(1, *rowid) && sqlite3_step(back.get()) == SQLITE_ROW) {
            for (int c = 0; c < t.columns.size(); ++c) row.values[c] = columnValue(back.get(), c);
        }
        t.rows.insert(t.rows.begin() + std::ptrdiff_t(lowerBound(table, *rowid)), std::move(row));
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
        const std::size_t at = lowerBound(table, rowid);
        if (at < t.rows.size() && t.rows[at].rowid == rowid) {
            Statement back(m_db, QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoted(t.name)));
            if (back.ok() && back.bind(1, rowid) && sqlite3_step(back.get()) == SQLITE_ROW) {
                for (int c = 0; c < t.columns.size(); ++c)
                    t.rows[at].values[c] = columnValue(back.get(), c);
            } else {
                t.loaded = false;
            }
        }
    }
    externalChange();
    return true;
}

bool Database::deleteRow(int table, qint64 rowid, QString* error) {
    Table& t = m_tables[std::size_t(table)];
    Statement stmt(m_db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(t.name)));
    if (!stmt.ok() || !stmt.bind(1, rowid) || sqlite3_step(stmt.get()) != SQLITE_DONE) {
        if (error) *error = sqliteError(m_db);
        return false;
    }
    if (t.loaded) {
        const std::size_t at = lowerBound(table, rowid);
        if (at < t.rows.size() && t.rows[at].rowid == rowid)
            t.rows.erase(t.rows.begin() + std::ptrdiff_t(at));
    }
    externalChange();
    return true;
}

// ---------------------------------------------------------------------------

RecordSet::RecordSet(std::shared_ptr<Database> db, int table) : m_db(std::move(db)), m_table(table) {
    // A new record set starts on the first record, as the engine's do.
    moveFirst();
    m_error.clear();
}

QString RecordSet::tableName() const { return m_db->m_tables[std::size_t(m_table)].name; }

int RecordSet::columnCount() const { return int(m_db->m_tables[std::size_t(m_table)].columns.size()); }

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
    const auto& rows = m_db->m_tables[std::size_t(m_table)].rows;
    if (rows.empty()) {
        m_atEnd = true;
        m_current = -1;
        return fail(QStringLiteral("No current record"));
    }
    m_atEnd = false;
    m_current = rows.front().rowid;
    m_index = 0;
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
    const auto& rows = m_db->m_tables[std::size_t(m_table)].rows;
    // The first record after the current one, which may have been deleted
    // or moved by a write since.
    const bool hintHolds = m_index < rows.size() && rows[m_index].rowid == m_current;
    const std::size_t at = hintHolds ? m_index + 1 : m_db->lowerBound(m_table, m_current + 1);
    m_currentDeleted = false;
    if (at >= rows.size()) {
        m_atEnd = true;
        m_current = -1;
        return true;
    }
    m_current = rows[at].rowid;
    m_index = at;
    return true;
}

bool RecordSet::atEnd() const { return m_atEnd; }

const Database::Row* RecordSet::currentRow() const {
    if (m_atEnd || m_currentDeleted || m_current < 0) return nullptr;
    const auto& table = m_db->m_tables[std::size_t(m_table)];
    if (!table.loaded) {
        QString error;
        if (!m_db->refresh(m_table, &error)) return nullptr;
    }
    if (m_index >= table.rows.size() || table.rows[m_index].rowid != m_current)
        m_index = m_db->lowerBound(m_table, m_current);
    if (m_index >= table.rows.size() || table.rows[m_index].rowid != m_current) return nullptr;
    return &table.rows[m_index];
}

bool RecordSet::hasCurrent() const { return currentRow() != nullptr; }

QVariant RecordSet::field(int n) const {
    const Database::Row* row = currentRow();
    if (!row) {
        fail(QStringLiteral("No current record"));
        return QVariant();
    }
    if (n < 0 || n >= row->values.size()) {
        fail(QStringLiteral("Item not found in this collection"));
        return QVariant();
    }
    return row->values[n];
}

const QVariant& RecordSet::fieldRef(int n) const {
    static const QVariant null;
    const Database::Row* row = currentRow();
    if (!row) {
        fail(QStringLiteral("No current record"));
        return null;
    }
    if (n < 0 || n >= row->values.size()) {
        fail(QStringLiteral("Item not found in this collection"));
        return null;
    }
    return row->values[n];
}

QString RecordSet::text(int n) const {
    const QVariant value = field(n);
    if (value.isNull()) return QString();
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        return QString::number(d, 'g', 15);
    }
    return value.toString();
}

QVariantList RecordSet::values() const {
    const Database::Row* row = currentRow();
    if (!row) {
        fail(QStringLiteral("No current record"));
        return QVariantList();
    }
    return row->values;
}

bool RecordSet::addNew() {
    m_mode = Mode::Adding;
    m_pending = QVariantList();
    for (int c = 0; c < columnCount(); ++c) m_pending.append(QVariant());
    m_written.assign(std::size_t(columnCount()), false);
    return true;
}

bool RecordSet::edit() {
    const Database::Row* row = currentRow();
    if (!row) {
        m_mode = Mode::None;
        return fail(QStringLiteral("No current record"));
    }
    m_mode = Mode::Editing;
    m_pending = row->values;
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
    if (!currentRow()) return fail(QStringLiteral("No current record"));
    QString error;
    if (!m_db->deleteRow(m_table, m_current, &error)) return fail(error);
    m_currentDeleted = true;
    return true;
}
