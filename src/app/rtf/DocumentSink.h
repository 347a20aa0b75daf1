#pragma once

#include "rtf/RtfSink.h"
#include "rtf/TableRecorder.h"
#include "rtf/TextInserter.h"

class QTextDocument;

namespace rtf {

// Builds the content of a QTextDocument from what the reader finds. The
// document is emptied first; all insertions form one edit block, so the
// document (and a text box showing it) reports one change. A table is held
// until it ends and then built whole.
class DocumentSink final : public RtfSink {
public:
    explicit DocumentSink(QTextDocument* document);
    ~DocumentSink() override;
    DocumentSink(const DocumentSink&) = delete;
    DocumentSink& operator=(const DocumentSink&) = delete;

    void text(const QString& text, const RunStyle& style) override;
    void picture(const Picture& picture, const RunStyle& style) override;
    void paragraphEnd(const ParagraphStyle& paragraph) override;
    void lastParagraph(const ParagraphStyle& paragraph) override;
    void tableStart() override;
    void cellEnd(const ParagraphStyle& paragraph) override;
    void rowEnd(const RowDefinition& row) override;
    void tableEnd() override;

private:
    TextInserter m_inserter;
    TableRecorder m_table;
    bool m_inTable = false;
};

}  // namespace rtf
