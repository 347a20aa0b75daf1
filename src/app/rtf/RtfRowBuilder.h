#pragma once

#include "rtf/RtfControlWords.h"
#include "rtf/RtfStyle.h"

namespace rtf {

class RtfTables;

// Builds the definition of a table row from the words that give it: \trowd
// starts one, the words of a cell (its borders, shading, merging, padding)
// precede the \cellx that ends the cell at its right edge.
class RtfRowBuilder {
public:
    enum class Side { None, Top, Left, Bottom, Right };

    static constexpr int kMaxCells = 63;  // cells of one row, as word processors allow

    // Applies a word of a row's definition (colours from the colour table);
    // false for any other word.
    bool apply(Word word, int param, const RtfTables& tables);

    void reset();
    void setLeft(int twips) { m_row.left = twips; }
    void setGap(int twips) { m_row.gap = twips; }

    // A \clbrdr word: the border words that follow describe this side.
    void beginBorder(Side side) { m_side = side; }
    void setBorderWidth(int twips);
    // \brdrs, \brdrdb and the other styles; \brdrnone for none.
    void setBorderStyle(bool none);
    void setBorderColor(QRgb rgb);

    void setBackground(QRgb rgb);
    void setHorizontalMerge(CellMerge merge) { m_cell.horizontal = merge; }
    void setVerticalMerge(CellMerge merge) { m_cell.vertical = merge; }
    void setPadding(Side side, int twips);

    // \cellx: the cell described so far ends here.
    void endCell(int right);

    const RowDefinition& row() const { return m_row; }

private:
    Border* border();

    RowDefinition m_row;
    CellDefinition m_cell;
    Side m_side = Side::None;
};

}  // namespace rtf
