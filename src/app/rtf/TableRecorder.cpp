#include "rtf/TableRecorder.h"

#include <algorithm>

namespace rtf {
namespace {

constexpr int kMaxColumns = 63;
constexpr int kDefaultCellWidth = 1440;  // an inch, for cells their row does not define

// The edges of a row's cells, from its left edge on. Cells the definition
// leaves out, or gives no width, get a width of their own.
std::vector<int> edgesOf(const RowDefinition& def, int cells) {
    std::vector<int> edges;
    edges.reserve(size_t(cells) + 1);
    edges.push_back(def.left);
    for (int i = 0; i < cells; ++i) {
        int right = size_t(i) < def.cells.size() ? def.cells[size_t(i)].right : 0;
        if (right <= edges.back()) right = edges.back() + kDefaultCellWidth;
        edges.push_back(right);
    }
    return edges;
}

}  // namespace

void TableRecorder::clear() { *this = TableRecorder(); }

TableRecorder::Cell& TableRecorder::currentCell() {
    if (!m_cellOpen) {
        Cell cell;
        cell.firstEvent = cell.endEvent = int(m_events.size());
        m_cells.push_back(cell);
        m_cellOpen = true;
    }
    return m_cells.back();
}

int TableRecorder::runStyle(const RunStyle& style) {
    // Runs of a table mostly repeat the look of the one before.
    if (m_runStyles.empty() || !(m_runStyles.back() == style)) m_runStyles.push_back(style);
    return int(m_runStyles.size()) - 1;
}

int TableRecorder::paragraphStyle(const ParagraphStyle& style) {
    if (m_paragraphStyles.empty() || !(m_paragraphStyles.back() == style)) m_paragraphStyles.push_back(style);
    return int(m_paragraphStyles.size()) - 1;
}

void TableRecorder::text(const QString& text, const RunStyle& style) {
    Cell& cell = currentCell();
    m_events.push_back({Type::Text, runStyle(style), int(m_texts.size())});
    m_texts.push_back(text);
    cell.hasContent = true;
    cell.endEvent = int(m_events.size());
}

void TableRecorder::picture(const Picture& picture, const RunStyle& style) {
    Cell& cell = currentCell();
    m_events.push_back({Type::Picture, runStyle(style), int(m_pictures.size())});
    m_pictures.push_back(picture);
    cell.hasContent = true;
    cell.endEvent = int(m_events.size());
}

void TableRecorder::paragraphEnd(const ParagraphStyle& paragraph) {
    Cell& cell = currentCell();
    m_events.push_back({Type::ParagraphEnd, paragraphStyle(paragraph), 0});
    cell.hasContent = true;
    cell.endEvent = int(m_events.size());
}

void TableRecorder::cellEnd(const ParagraphStyle& paragraph) {
    Cell& cell = currentCell();
    m_events.push_back({Type::CellEnd, paragraphStyle(paragraph), 0});
    cell.endEvent = int(m_events.size());
    m_cellOpen = false;
}

void TableRecorder::rowEnd(const RowDefinition& row) {
    m_cellOpen = false;
    const int cells = int(m_cells.size()) - m_rowFirstCell;
    if (cells == 0) return;  // a row without cells shows nothing
    for (size_t i = size_t(m_rowFirstCell); i < m_cells.size(); ++i) m_cells[i].row = int(m_rows.size());
    m_rows.push_back({row, m_rowFirstCell, cells});
    m_rowFirstCell = int(m_cells.size());
}

const CellDefinition* TableRecorder::definition(int cell) const {
    const Row& row = m_rows[size_t(m_cells[size_t(cell)].row)];
    const size_t i = size_t(cell - row.firstCell);
    return i < row.definition.cells.size() ? &row.definition.cells[i] : nullptr;
}

TableRecorder::Layout TableRecorder::layout() const {
    Layout out;
    out.rows = int(m_rows.size());
    out.merged.resize(m_cells.size());
    if (out.rows == 0) return out;

    // The columns: every edge of every row's cells. Rows that do not share
    // their edges with few others would make too many; then each cell gets
    // a column of its own.
    std::vector<std::vector<int>> rowEdges;
    std::vector<int> edges;
    int widest = 0;
    for (const Row& row : m_rows) {
        rowEdges.push_back(edgesOf(row.definition, row.cellCount));
        edges.insert(edges.end(), rowEdges.back().begin(), rowEdges.back().end());
        widest = std::max(widest, row.cellCount);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    const bool ownColumns = int(edges.size()) - 1 > kMaxColumns;
    if (ownColumns) {
        out.columns = widest;
        out.columnWidths.assign(size_t(widest), kDefaultCellWidth);
    } else {
        out.columns = int(edges.size()) - 1;
        for (size_t i = 1; i < edges.size(); ++i) out.columnWidths.push_back(edges[i] - edges[i - 1]);
    }
    out.grid.assign(size_t(out.rows) * size_t(out.columns), Slot());
    auto column = [&](int edge) {
        return int(std::lower_bound(edges.begin(), edges.end(), edge) - edges.begin());
    };

    int merges = 0;
    std::vector<int> verticalAnchor(size_t(out.columns), -1);  // slot a \clvmrg cell joins
    for (int r = 0; r < out.rows; ++r) {
        const Row& row = m_rows[size_t(r)];
        int next = 0;         // the first column still free in this row
        int lastAnchor = -1;  // the slot of this row's last cell
        for (int i = 0; i < row.cellCount; ++i) {
            const int cell = row.firstCell + i;
            const CellDefinition* def = size_t(i) < row.definition.cells.size()
                                            ? &row.definition.cells[size_t(i)]
                                            : nullptr;
            int first = ownColumns ? i : column(rowEdges[size_t(r)][size_t(i)]);
            int span = ownColumns ? 1 : column(rowEdges[size_t(r)][size_t(i) + 1]) - first;
            first = std::max(first, next);
            span = std::clamp(span, 1, std::max(1, out.columns - first));

            // Merged into the cell before it, or into the one above.
            const bool mergesLeft = def && def->horizontal == CellMerge::Merged && lastAnchor >= 0;
            const bool mergesUp = def && def->vertical == CellMerge::Merged && first < out.columns &&
                                  verticalAnchor[size_t(first)] >= 0 &&
                                  out.grid[size_t(verticalAnchor[size_t(first)])].columnSpan == span;
            if (first >= out.columns || ((mergesLeft || mergesUp) && merges < kMaxMerges)) {
                const int into = mergesUp && !mergesLeft ? verticalAnchor[size_t(first)] : lastAnchor;
                if (into >= 0) {
                    Slot& anchor = out.grid[size_t(into)];
                    if (first < out.columns) {
                        if (mergesUp && !mergesLeft)
                            anchor.rowSpan = r - into / out.columns + 1;
                        else
                            anchor.columnSpan = first + span - into % out.columns;
                        for (int c = first; c < first + span; ++c)
                            out.grid[size_t(r * out.columns + c)].covered = true;
                        ++merges;
                        next = first + span;
                    }
                    out.merged[size_t(anchor.cell)].push_back(cell);
                    continue;
                }
                if (first >= out.columns) continue;  // cannot happen: the first cell has a column
            }
            if (span > 1 && merges >= kMaxMerges) span = 1;
            if (span > 1) ++merges;
            const int at = r * out.columns + first;
            out.grid[size_t(at)] = Slot{cell, 1, span, false};
            for (int c = first + 1; c < first + span; ++c) out.grid[size_t(r * out.columns + c)].covered = true;
            lastAnchor = at;
            next = first + span;
            verticalAnchor[size_t(first)] = def && def->vertical == CellMerge::First ? at : -1;
        }
        // A column this row leaves out ends the merge running down it.
        for (int c = 0; c < out.columns; ++c) {
            const Slot& slot = out.grid[size_t(r * out.columns + c)];
            if (!slot.covered && slot.cell < 0) verticalAnchor[size_t(c)] = -1;
        }
    }
    return out;
}

void TableRecorder::replayOwn(int cell, ParagraphTarget& target) const {
    const Cell& c = m_cells[size_t(cell)];
    for (int e = c.firstEvent; e < c.endEvent; ++e) {
        const Event& event = m_events[size_t(e)];
        switch (event.type) {
            case Type::Text:
                target.text(m_texts[size_t(event.item)], m_runStyles[size_t(event.style)]);
                break;
            case Type::Picture:
                target.picture(m_pictures[size_t(event.item)], m_runStyles[size_t(event.style)]);
                break;
            case Type::ParagraphEnd: target.paragraphEnd(m_paragraphStyles[size_t(event.style)]); break;
            case Type::CellEnd: target.lastParagraph(m_paragraphStyles[size_t(event.style)]); break;
        }
    }
}

void TableRecorder::replay(int cell, const Layout& layout, ParagraphTarget& target) const {
    replayOwn(cell, target);
    for (const int other : layout.merged[size_t(cell)]) {
        if (!m_cells[size_t(other)].hasContent) continue;
        target.newParagraph();
        replayOwn(other, target);
    }
}

}  // namespace rtf
