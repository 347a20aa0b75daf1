#include "WriteBatch.h"

#include "Database.h"

WriteBatch::WriteBatch(Database& db) : m_db(db) { m_db.beginBatch(); }

WriteBatch::~WriteBatch() {
    if (!m_ended) m_db.endBatch(false, nullptr);
}

bool WriteBatch::commit(QString* error) {
    if (m_ended) return true;
    m_ended = true;
    return m_db.endBatch(true, error);
}
