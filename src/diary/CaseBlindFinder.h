#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// Finds a text in other texts with letter case ignored, exactly as
// QString::indexOf() with Qt::CaseInsensitive finds it. The search of all
// diary entries looks for one answer in every character of every entry, so
// the answer is folded once, plain ASCII is folded from a table, and places
// are passed over by their first character alone. A text holding characters
// outside the basic plane (folded in pairs) is handed to Qt from where one is
// met.
class CaseBlindFinder {
public:
    explicit CaseBlindFinder(const QString& answer);

    // Where the answer first occurs in `text` from `from` on; -1 when it
    // does not.
    qsizetype find(QStringView text, qsizetype from = 0) const;
    qsizetype length() const { return m_answer.size(); }

private:
    QString m_answer;
    QVarLengthArray<char16_t, 64> m_folded;
    bool m_byQt = false;  // the answer itself holds a half of a pair, or nothing
    // Whether places are passed over by the answer's first character alone
    // (an ASCII character that nothing beyond ASCII folds to), and the bit
    // its two cases differ in (0 for a character without cases).
    bool m_skipByFirst = false;
    char16_t m_caseBit = 0;
};
