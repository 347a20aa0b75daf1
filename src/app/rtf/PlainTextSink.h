#pragma once

#include "rtf/RtfSink.h"

namespace rtf {

// Collects only the text, exactly as QTextDocument::toPlainText() gives it
// for the same document: paragraphs joined by line feeds, line breaks as line
// feeds, non-breaking spaces as spaces. Listing and searching many files
// need nothing else, and this is much faster than building a document.
class PlainTextSink final : public RtfSink {
public:
    void text(const QString& text, const RunStyle& style) override;
    void paragraphEnd(const ParagraphStyle& paragraph) override;
    void lastParagraph(const ParagraphStyle& paragraph) override;

    QString& result() { return m_text; }

private:
    QString m_text;
    bool m_breakPending = false;
};

}  // namespace rtf
