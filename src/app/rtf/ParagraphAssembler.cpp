#include "rtf/ParagraphAssembler.h"

#include "rtf/RtfRowBuilder.h"

namespace rtf {

void ParagraphAssembler::text(const QString& text, const RunStyle& style, const ParagraphStyle& paragraph,
                              const ListReference& list) {
    beginParagraph(paragraph, list);
    if (!m_listText.empty()) emitListText();  // a number after the paragraph began
    m_sink.text(text, style);
    m_paragraphHasText = true;
}

void ParagraphAssembler::picture(const Picture& picture, const RunStyle& style,
                                 const ParagraphStyle& paragraph, const ListReference& list) {
    beginParagraph(paragraph, list);
    m_sink.picture(picture, style);
    m_paragraphHasText = true;
}

// The content of the current paragraph is about to reach the sink: the
// paragraph's place (in a table cell or not) and its list are settled now.
void ParagraphAssembler::beginParagraph(const ParagraphStyle& paragraph, const ListReference& list) {
    if (m_paragraphBegun) return;
    m_paragraphBegun = true;
    const bool inTable = paragraph.inTable && m_cellsLeft > 0;
    if (inTable != m_sinkInTable) {
        if (m_sinkInTable) {
            closeTable();
        } else {
            m_sink.tableStart();
            m_sinkInTable = true;
            m_rowCells = 0;
        }
    }
    if (m_sinkInTable) m_rowOpen = true;
    m_paragraphList = listOf(list);
    if (m_paragraphList.isItem())
        m_listText.clear();  // the list shows the number itself
    else
        emitListText();
}

ListStyle ParagraphAssembler::listOf(const ListReference& list) {
    const ListStyle style = m_lists.resolve(list);
    if (!style.isItem()) {
        // Lists numbered paragraph by paragraph end with the first paragraph without a number.
        m_listItems.erase(qint64(RtfLists::kParagraphNumberingKey) * 16);
        return style;
    }
    if (m_paragraphsLeft <= 0) return ListStyle();  // joined to the paragraph before
    int& items = m_listItems[qint64(style.key) * 16 + style.level];
    if (m_listItemsLeft <= 0 || items >= limits::kItemsPerList) {
        m_report.note(ReadReport::Item::ListItemsAsText);
        return ListStyle();
    }
    ++items;
    --m_listItemsLeft;
    return style;
}

void ParagraphAssembler::emitListText() {
    for (const auto& [text, style] : m_listText) {
        m_sink.text(text, style);
        m_paragraphHasText = true;
    }
    m_listText.clear();
}

ParagraphStyle ParagraphAssembler::ending(const ParagraphStyle& paragraph) const {
    ParagraphStyle style = paragraph;
    style.list = m_paragraphList;
    style.inTable = m_sinkInTable;
    return style;
}

void ParagraphAssembler::resetParagraph() {
    m_paragraphBegun = false;
    m_paragraphHasText = false;
    m_paragraphList = ListStyle();
}

void ParagraphAssembler::paragraphEnd(const ParagraphStyle& paragraph, const ListReference& list) {
    beginParagraph(paragraph, list);
    m_sink.paragraphEnd(ending(paragraph));
    --m_paragraphsLeft;
    resetParagraph();
}

bool ParagraphAssembler::takesCell() {
    if (m_sinkInTable || (!m_paragraphBegun && m_cellsLeft > 0)) return true;
    if (m_cellsLeft <= 0) m_report.note(ReadReport::Item::TableCellsAsText);
    return false;
}

void ParagraphAssembler::endCell(const ParagraphStyle& paragraph) {
    m_sink.cellEnd(ending(paragraph));
    ++m_rowCells;
    --m_cellsLeft;
    resetParagraph();
}

bool ParagraphAssembler::cellEnd(const ParagraphStyle& paragraph, const ListReference& list) {
    beginParagraph(paragraph, list);
    if (m_cellsLeft <= 0) {
        closeTable();
        m_report.note(ReadReport::Item::TableCellsAsText);
        return false;
    }
    if (m_rowCells >= RtfRowBuilder::kMaxCells) {
        // More cells than a row may have: the rest stay in its last cell.
        m_report.note(ReadReport::Item::TableCellsAsText);
        m_sink.paragraphEnd(ending(paragraph));
        --m_cellsLeft;
        resetParagraph();
        return true;
    }
    endCell(paragraph);
    return true;
}

bool ParagraphAssembler::rowEnd(const ParagraphStyle& paragraph, const ListReference&) {
    if (!m_sinkInTable) return false;
    if (m_paragraphBegun) endCell(paragraph);  // text after the row's last cell: a cell of its own
    m_sink.rowEnd(m_rows.row());
    m_rowCells = 0;
    m_rowOpen = false;
    if (m_cellsLeft <= 0) closeTable();
    return true;
}

void ParagraphAssembler::closeTable() {
    if (!m_sinkInTable) return;
    if (m_rowOpen || m_rowCells > 0) m_sink.rowEnd(m_rows.row());
    m_sink.tableEnd();
    m_sinkInTable = false;
    m_rowCells = 0;
    m_rowOpen = false;
}

void ParagraphAssembler::finish(const ParagraphStyle& paragraph, const ListReference& list,
                                const ParagraphStyle& lastText) {
    if (!m_listText.empty()) beginParagraph(paragraph, list);
    if (m_sinkInTable) {
        if (m_paragraphBegun) {
            m_sink.cellEnd(ending(paragraph));
            ++m_rowCells;
        }
        closeTable();
        return;
    }
    if (m_paragraphHasText) {
        ParagraphStyle style = lastText;
        style.list = m_paragraphList;
        m_sink.lastParagraph(style);
    }
}

}  // namespace rtf
