#pragma once

#include <QObject>
#include <QStringList>

// Today's reminder list: one entry per appointment of the day, its hour,
// minute and AM/PM joined by colons. The clock window never shows it; it is
// the data the alarm step and the reminder check read every tick and the
// tray's tool tip follows, so it is kept as plain text rather than in a
// hidden list control that would cost a widget's memory all day.
class ReminderList : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    int count() const { return int(m_entries.size()); }
    // The entry at `row`; empty outside the list.
    QString text(int row) const { return m_entries.value(row); }

    // The list rebuilt whole: one change, however many entries.
    void setEntries(const QStringList& entries) {
        if (entries == m_entries) return;
        m_entries = entries;
        emit changed();
    }
    void addItems(const QStringList& entries) {
        m_entries.append(entries);
        emit changed();
    }

signals:
    void changed();

private:
    QStringList m_entries;
};
