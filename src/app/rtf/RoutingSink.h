#pragma once

#include "rtf/RtfSink.h"
#include "rtf/TableRecorder.h"

namespace rtf {

// A sink that writes the running text to a paragraph target and holds a
// table's content until the table ends; then the table is laid out and
// handed over whole.
class RoutingSink : public RtfSink {
public:
    void text(const QString& text, const RunStyle& style) override;
    void picture(const Picture& picture, const RunStyle& style) override;
    void paragraphEnd(const ParagraphStyle& paragraph) override;
    void lastParagraph(const ParagraphStyle& paragraph) override { target().lastParagraph(paragraph); }
    void newParagraph() override { target().newParagraph(); }
    void tableStart() override;
    void cellEnd(const ParagraphStyle& paragraph) override { m_table.cellEnd(paragraph); }
    void rowEnd(const RowDefinition& row) override { m_table.rowEnd(row); }
    void tableEnd() override;

protected:
    // Where the running text goes.
    virtual ParagraphTarget& target() = 0;
    // A table ended: its cells laid out, with at least one row and column.
    virtual void buildTable(const TableRecorder& table, const TableRecorder::Layout& layout) = 0;

private:
    TableRecorder m_table;
    bool m_inTable = false;
};

}  // namespace rtf
