#pragma once

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <utility>
#include <vector>

#include "rtf/RtfSink.h"

class QTextDocument;

namespace rtf {

// Builds the content of a QTextDocument from what the reader finds. The
// document is emptied first; all insertions form one edit block, so the
// document (and a text box showing it) reports one change.
class DocumentSink final : public RtfSink {
public:
    explicit DocumentSink(QTextDocument* document);
    ~DocumentSink() override;
    DocumentSink(const DocumentSink&) = delete;
    DocumentSink& operator=(const DocumentSink&) = delete;

    void text(const QString& text, const RunStyle& style) override;
    void paragraphEnd(const ParagraphStyle& paragraph) override;
    void lastParagraph(const ParagraphStyle& paragraph) override;

    // The character format a run of this style gets, and the block format a
    // paragraph of this layout gets (distances turned from twips into the
    // document's pixels).
    static QTextCharFormat charFormat(const RunStyle& style);
    static QTextBlockFormat blockFormat(const ParagraphStyle& paragraph);

private:
    const QTextCharFormat& formatFor(const RunStyle& style);
    void setLayout(const ParagraphStyle& paragraph);

    QTextCursor m_cursor;
    bool m_blockPending = false;  // a paragraph ended; the next one is not made yet
    // Recently used formats: documents switch between a handful of styles.
    std::vector<std::pair<RunStyle, QTextCharFormat>> m_formats;
    QTextBlockFormat m_plainBlockFormat;
    // The layout last given to a paragraph: most paragraphs repeat it.
    ParagraphStyle m_lastParagraph;
    QTextBlockFormat m_lastBlockFormat;
};

}  // namespace rtf
