#pragma once

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <map>
#include <utility>
#include <vector>

#include "rtf/ParagraphTarget.h"
#include "rtf/PictureResources.h"

class QTextDocument;
class QTextList;

namespace rtf {

// Writes paragraphs into a text document at a cursor: runs of text in their
// look, pictures as images, paragraph layouts, and list items as items of
// real lists (paragraphs with the same list and level number together).
class TextInserter final : public ParagraphTarget {
public:
    explicit TextInserter(QTextDocument* document);

    QTextCursor& cursor() { return m_cursor; }
    // Goes on writing at `cursor`, the start of an empty paragraph (a table
    // cell's, or the one after a table).
    void setCursor(const QTextCursor& cursor);

    void text(const QString& text, const RunStyle& style) override;
    void picture(const Picture& picture, const RunStyle& style) override;
    void paragraphEnd(const ParagraphStyle& paragraph) override;
    void lastParagraph(const ParagraphStyle& paragraph) override;
    void newParagraph() override { m_blockPending = true; }

    // The character format a run of this style gets, and the block format a
    // paragraph of this layout gets (distances turned from twips into the
    // document's pixels; a list item's indent is its list's).
    static QTextCharFormat charFormat(const RunStyle& style);
    static QTextBlockFormat blockFormat(const ParagraphStyle& paragraph);

private:
    void startPendingBlock();
    const QTextCharFormat& formatFor(const RunStyle& style);
    void setLayout(const ParagraphStyle& paragraph);
    void addToList(const ListStyle& list);

    QTextCursor m_cursor;
    PictureResources m_pictures;
    bool m_blockPending = false;  // a paragraph ended; the next one is not made yet
    // Recently used formats: documents switch between a handful of styles.
    std::vector<std::pair<RunStyle, QTextCharFormat>> m_formats;
    QTextBlockFormat m_plainBlockFormat;
    // The layout last given to a paragraph: most paragraphs repeat it.
    ParagraphStyle m_lastParagraph;
    QTextBlockFormat m_lastBlockFormat;
    std::map<std::pair<int, int>, QTextList*> m_lists;  // by list key and level
};

}  // namespace rtf
