#include "rtf/DocumentSink.h"

#include <QTextDocument>
#include <QTextTable>

#include "Twips.h"

namespace rtf {
namespace {

// The padding of a cell side: the cell's own, else half the row's gap
// between cells (left and right only), else none.
double padding(int own, int rowGap, bool horizontal) {
    const int twipsValue = own >= 0 ? own : (horizontal && rowGap > 0 ? rowGap : 0);
    return twipsValue / twips::perPixel();
}

void setBorder(QTextTableCellFormat& format, QTextFormat::Property width, QTextFormat::Property style,
               QTextFormat::Property brush, const Border& border) {
    if (border.width <= 0) return;
    format.setProperty(width, border.width / twips::perPixel());
    format.setProperty(style, QTextFrameFormat::BorderStyle_Solid);
    format.setProperty(brush, QBrush(border.hasColor ? QColor::fromRgb(border.color) : QColor(Qt::black)));
}

QTextTableCellFormat cellFormat(const CellDefinition* def, int rowGap) {
    QTextTableCellFormat format;
    const CellDefinition none;
    const CellDefinition& d = def ? *def : none;
    setBorder(format, QTextFormat::TableCellTopBorder, QTextFormat::TableCellTopBorderStyle,
              QTextFormat::TableCellTopBorderBrush, d.top);
    setBorder(format, QTextFormat::TableCellLeftBorder, QTextFormat::TableCellLeftBorderStyle,
              QTextFormat::TableCellLeftBorderBrush, d.left);
    setBorder(format, QTextFormat::TableCellBottomBorder, QTextFormat::TableCellBottomBorderStyle,
              QTextFormat::TableCellBottomBorderBrush, d.bottom);
    setBorder(format, QTextFormat::TableCellRightBorder, QTextFormat::TableCellRightBorderStyle,
              QTextFormat::TableCellRightBorderBrush, d.rightSide);
    if (d.hasBackground) format.setBackground(QColor::fromRgb(d.background));
    format.setLeftPadding(padding(d.paddingLeft, rowGap, true));
    format.setRightPadding(padding(d.paddingRight, rowGap, true));
    format.setTopPadding(padding(d.paddingTop, rowGap, false));
    format.setBottomPadding(padding(d.paddingBottom, rowGap, false));
    return format;
}

}  // namespace

DocumentSink::DocumentSink(QTextDocument* document) : m_inserter(document) {
    document->clear();
    m_inserter.setCursor(QTextCursor(document));
    m_inserter.cursor().beginEditBlock();
    m_inserter.cursor().setBlockFormat(TextInserter::blockFormat(ParagraphStyle()));
}

DocumentSink::~DocumentSink() { m_inserter.cursor().endEditBlock(); }

void DocumentSink::buildTable(const TableRecorder& recorder, const TableRecorder::Layout& layout) {
    QTextTableFormat format;
    format.setBorder(0);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    QList<QTextLength> widths;
    for (const int w : layout.columnWidths) widths << QTextLength(QTextLength::FixedLength, w / twips::perPixel());
    format.setColumnWidthConstraints(widths);
    // Where the table goes, the paragraph that ended before it stays whole.
    QTextTable* table = m_inserter.cursor().insertTable(layout.rows, layout.columns, format);

    for (int r = 0; r < layout.rows; ++r) {
        const int gap = recorder.rowDefinition(r).gap;
        for (int c = 0; c < layout.columns; ++c) {
            const TableRecorder::Slot& slot = layout.at(r, c);
            if (slot.covered || slot.cell < 0) continue;
            QTextTableCell cell = table->cellAt(r, c);
            cell.setFormat(cellFormat(recorder.definition(slot.cell), gap));
            m_inserter.setCursor(cell.firstCursorPosition());
            recorder.replay(slot.cell, layout, m_inserter);
        }
    }
    // Merging last: each merge makes the table work out its cells afresh.
    for (int r = 0; r < layout.rows; ++r)
        for (int c = 0; c < layout.columns; ++c) {
            const TableRecorder::Slot& slot = layout.at(r, c);
            if (!slot.covered && (slot.rowSpan > 1 || slot.columnSpan > 1))
                table->mergeCells(r, c, slot.rowSpan, slot.columnSpan);
        }

    QTextCursor after = table->lastCursorPosition();
    after.movePosition(QTextCursor::NextBlock);
    m_inserter.setCursor(after);
}

}  // namespace rtf
