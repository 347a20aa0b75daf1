#include "diary/ChangeSnapshots.h"

void ChangeSnapshots::record(const QString& plainText) {
    m_changeCount = quint16(m_changeCount + 1u);
    if (m_changeCount % 2 == 1)
        m_snapshotOdd = plainText;
    else
        m_snapshotEven = plainText;
}

QString ChangeSnapshots::undoText(const QString& current) const {
    return current != m_snapshotEven ? m_snapshotEven : m_snapshotOdd;
}
