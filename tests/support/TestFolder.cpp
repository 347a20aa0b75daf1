#include "support/TestFolder.h"

#include <sqlite3.h>

#include <QFile>

#include "DataFolder.h"

TestFolder::TestFolder() {
    QString error;
    m_ok = m_dir.isValid() && Database::createFresh(file(QStringLiteral("scheduler.mdb")), &error);
}

void TestFolder::touch(const QString& name, const QByteArray& content) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly)) f.write(content);
}

void TestFolder::touchSoundFiles() const {
    for (const QString& name : datafolder::checkedSoundFiles()) touch(name);
}

bool TestFolder::exec(const QString& sql) const {
    sqlite3* db = nullptr;
    const QByteArray path = QFile::encodeName(file(QStringLiteral("scheduler.mdb")));
    if (sqlite3_open(path.constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

std::unique_ptr<AppContext> TestFolder::openContext() const {
    auto context = std::make_unique<AppContext>();
    context->appFolder = path();
    QString error;
    context->plannerDb = Database::open(file(QStringLiteral("scheduler.mdb")), &error);
    if (!context->plannerDb) return nullptr;
    context->scheduleRecords = context->plannerDb->openRecordSet(QStringLiteral("scheduler"));
    context->clockiniRecords = context->plannerDb->openRecordSet(QStringLiteral("clockini"));
    context->signalRecords = context->plannerDb->openRecordSet(QStringLiteral("signal"));
    return context;
}

QStringList TestFolder::query(const QString& sql) const {
    QStringList rows;
    sqlite3* db = nullptr;
    const QByteArray path = QFile::encodeName(file(QStringLiteral("scheduler.mdb")));
    if (sqlite3_open(path.constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList columns;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                columns << (text ? QString::fromUtf8(text) : QString());
            }
            rows << columns.join(QLatin1Char('|'));
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}
