#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "rtf/ParagraphTarget.h"
#include "rtf/RtfStyle.h"

namespace rtf {

// Holds a table's content as the reader gives it, row by row, until the
// table ends, and lays its cells out on a grid of columns: the columns are
// made by the cells' edges in all rows, a cell spans the columns between its
// edges, and cells merged with a neighbour (\clmrg, \clvmrg) show their
// content in the cell they are merged into. A table is built in one go from
// this: Qt's tables grow row by row only in quadratic time.
class TableRecorder {
public:
    // A place of the grid: the cell shown there (below 0: an empty place),
    // how far it spans, or that another cell covers it.
    struct Slot {
        int cell = -1;
        int rowSpan = 1;
        int columnSpan = 1;
        bool covered = false;
    };
    struct Layout {
        int rows = 0;
        int columns = 0;
        std::vector<int> columnWidths;  // twips
        std::vector<Slot> grid;        // row by row
        // For each cell, the cells whose content it shows after its own.
        std::vector<std::vector<int>> merged;
        const Slot& at(int row, int column) const { return grid[size_t(row * columns + column)]; }
    };

    // Merged places a table may have; beyond, cells keep their own places.
    static constexpr int kMaxMerges = 256;

    void clear();

    // The content of the current cell.
    void text(const QString& text, const RunStyle& style);
    void picture(const Picture& picture, const RunStyle& style);
    void paragraphEnd(const ParagraphStyle& paragraph);
    void cellEnd(const ParagraphStyle& paragraph);
    // The cells since the last row form a row (an unfinished cell included).
    void rowEnd(const RowDefinition& row);

    Layout layout() const;
    // The definition of a cell (its borders, shading, padding); null when its
    // row defined fewer cells.
    const CellDefinition* definition(int cell) const;
    const RowDefinition& rowDefinition(int row) const { return m_rows[size_t(row)].definition; }
    // Writes the content a cell shows: its own, then that of the cells
    // merged into it.
    void replay(int cell, const Layout& layout, ParagraphTarget& target) const;

private:
    enum class Type : std::uint8_t { Text, Picture, ParagraphEnd, CellEnd };
    struct Event {
        Type type;
        int style;  // into m_runStyles or m_paragraphStyles
        int item;   // into m_texts or m_pictures
    };
    struct Cell {
        int firstEvent = 0;
        int endEvent = 0;
        int row = 0;
        bool hasContent = false;
    };
    struct Row {
        RowDefinition definition;
        int firstCell = 0;
        int cellCount = 0;
    };

    Cell& currentCell();
    int runStyle(const RunStyle& style);
    int paragraphStyle(const ParagraphStyle& style);
    void replayOwn(int cell, ParagraphTarget& target) const;

    std::vector<Event> m_events;
    std::vector<QString> m_texts;
    std::vector<Picture> m_pictures;
    std::vector<RunStyle> m_runStyles;
    std::vector<ParagraphStyle> m_paragraphStyles;
    std::vector<Cell> m_cells;
    std::vector<Row> m_rows;
    int m_rowFirstCell = 0;
    bool m_cellOpen = false;
};

}  // namespace rtf
