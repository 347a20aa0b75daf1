#pragma once

#include "rtf/RoutingSink.h"
#include "rtf/TextInserter.h"

class QTextDocument;

namespace rtf {

// Builds the content of a QTextDocument from what the reader finds. The
// document is emptied first; all insertions form one edit block, so the
// document (and a text box showing it) reports one change. A table is held
// until it ends and then built whole.
class DocumentSink final : public RoutingSink {
public:
    explicit DocumentSink(QTextDocument* document);
    ~DocumentSink() override;
    DocumentSink(const DocumentSink&) = delete;
    DocumentSink& operator=(const DocumentSink&) = delete;

protected:
    ParagraphTarget& target() override { return m_inserter; }
    void buildTable(const TableRecorder& table, const TableRecorder::Layout& layout) override;

private:
    TextInserter m_inserter;
};

}  // namespace rtf
