#pragma once

#include <QString>
#include <unordered_map>
#include <utility>
#include <vector>

#include "rtf/ReadLimits.h"
#include "rtf/ReadReport.h"
#include "rtf/RtfLists.h"
#include "rtf/RtfSink.h"

namespace rtf {

class RtfRowBuilder;

// Puts the reader's content together into paragraphs, list items and table
// cells for the sink. A paragraph's place (in a table or not) and its list
// are settled when its content begins; a list number written as text is held
// until then, and dropped when the paragraph is an item of a real list. The
// limits on paragraphs, table cells and list items are kept here: beyond
// them content stays, in a simpler form.
class ParagraphAssembler {
public:
    // `rows` gives the definition of the table row being read.
    ParagraphAssembler(RtfSink& sink, ReadReport& report, const RtfLists& lists, const RtfRowBuilder& rows)
        : m_sink(sink), m_report(report), m_lists(lists), m_rows(rows) {}

    // Whether a paragraph break still makes a paragraph; beyond the limit
    // the reader makes it a line break.
    bool paragraphsLeft() const { return m_paragraphsLeft > 0; }
    // Whether the current paragraph's content has begun: its place and its
    // list are settled, and text now only goes on after the text before it.
    bool paragraphBegun() const { return m_paragraphBegun; }

    // The content of the current paragraph, with the paragraph's properties
    // where it comes.
    void text(const QString& text, const RunStyle& style, const ParagraphStyle& paragraph,
              const ListReference& list);
    void picture(const Picture& picture, const RunStyle& style, const ParagraphStyle& paragraph,
                 const ListReference& list);
    // A list number written as text for readers without lists.
    void listText(const QString& text, const RunStyle& style) { m_listText.emplace_back(text, style); }

    void paragraphEnd(const ParagraphStyle& paragraph, const ListReference& list);
    // Whether a \cell here ends a cell; when not, it is a tab in the text.
    bool takesCell();
    // Ends the paragraph and its cell; false when the limit of cells closed
    // the table instead, and the cell's end is a tab after it.
    bool cellEnd(const ParagraphStyle& paragraph, const ListReference& list);
    // Ends the table row; false when there is no table to end one of.
    bool rowEnd(const ParagraphStyle& paragraph, const ListReference& list);
    // The input ended; `lastText` is the layout in force when its last text came.
    void finish(const ParagraphStyle& paragraph, const ListReference& list, const ParagraphStyle& lastText);

private:
    void beginParagraph(const ParagraphStyle& paragraph, const ListReference& list);
    ListStyle listOf(const ListReference& list);
    void emitListText();
    ParagraphStyle ending(const ParagraphStyle& paragraph) const;
    void endCell(const ParagraphStyle& paragraph);
    void resetParagraph();
    void closeTable();

    RtfSink& m_sink;
    ReadReport& m_report;
    const RtfLists& m_lists;
    const RtfRowBuilder& m_rows;

    bool m_paragraphBegun = false;  // its content has started going to the sink
    bool m_paragraphHasText = false;
    ListStyle m_paragraphList;
    std::vector<std::pair<QString, RunStyle>> m_listText;  // held until the paragraph begins

    bool m_sinkInTable = false;
    bool m_rowOpen = false;  // the current row has content
    int m_rowCells = 0;

    int m_paragraphsLeft = limits::kParagraphs;
    int m_cellsLeft = limits::kTableCells;
    int m_listItemsLeft = limits::kListItems;
    std::unordered_map<qint64, int> m_listItems;  // items of each list and level
};

}  // namespace rtf
