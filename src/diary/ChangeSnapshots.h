#pragma once

#include <QString>
#include <QtGlobal>

// The editor's memory of its last two texts. Every change of content is
// counted, and the plain text after it is kept in one of two snapshots by the
// count's parity; Undo puts back the one that differs from what the editor
// shows, so a second Undo brings the change back.
class ChangeSnapshots {
public:
    // Records a change that left the editor with `plainText`.
    void record(const QString& plainText);
    // The text Undo puts back when the editor shows `current`.
    QString undoText(const QString& current) const;

    quint16 changeCount() const { return m_changeCount; }
    const QString& snapshotOdd() const { return m_snapshotOdd; }
    const QString& snapshotEven() const { return m_snapshotEven; }
    // For tests that start near the end of the counter's range.
    void setChangeCount(quint16 count) { m_changeCount = count; }

private:
    // Sixteen bits wrap round from 65535 to 0: the count's parity, the only
    // thing that matters, keeps alternating.
    quint16 m_changeCount = 0;
    QString m_snapshotOdd;
    QString m_snapshotEven;
};
