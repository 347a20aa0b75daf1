#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

class QTextBlock;
class QTextList;

namespace rtf {

// Writes a document's lists: per list item its list's number (\lsN), level
// and indent, and its number as text for readers without lists; and the
// list table with its overrides, one list with nine levels per list of the
// document, each level in the list's look.
class ListTableWriter {
public:
    // The words that make the paragraph of `block` an item of `list`.
    void writeItem(QTextList* list, const QTextBlock& block, double leftMargin, QByteArray& out);
    // The list table and the override table; nothing when there are no lists.
    void writeTables(QByteArray& out) const;

private:
    int indexOf(QTextList* list);

    QList<QTextList*> m_lists;
    QHash<QTextList*, int> m_index;
};

}  // namespace rtf
