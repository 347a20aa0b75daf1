#include "rtf/RtfRowBuilder.h"

#include <algorithm>

#include "rtf/RtfTables.h"

namespace rtf {
namespace {
constexpr int kMaxTwips = 31680;      // 22 inches: wider than any page
constexpr int kDefaultBorder = 10;    // a border given a style but no width: half a point
}  // namespace

bool RtfRowBuilder::apply(Word word, int param, const RtfTables& tables) {
    QRgb rgb = 0;
    switch (word) {
        case Word::RowDefaults: reset(); break;
        case Word::RowLeft: setLeft(std::clamp(param, -kMaxTwips, kMaxTwips)); break;
        case Word::RowGap: setGap(std::clamp(param, 0, 1440)); break;
        case Word::CellRight: endCell(param); break;
        case Word::CellBorderTop: beginBorder(Side::Top); break;
        case Word::CellBorderLeft: beginBorder(Side::Left); break;
        case Word::CellBorderBottom: beginBorder(Side::Bottom); break;
        case Word::CellBorderRight: beginBorder(Side::Right); break;
        case Word::OtherBorder: beginBorder(Side::None); break;
        case Word::BorderWidth: setBorderWidth(param); break;
        case Word::BorderStyle: setBorderStyle(false); break;
        case Word::BorderNone: setBorderStyle(true); break;
        case Word::BorderColor:
            if (tables.colorAt(param, &rgb)) setBorderColor(rgb);
            break;
        case Word::CellShading:
            if (tables.colorAt(param, &rgb)) setBackground(rgb);
            break;
        case Word::CellMergeFirst: setHorizontalMerge(CellMerge::First); break;
        case Word::CellMerged: setHorizontalMerge(CellMerge::Merged); break;
        case Word::CellVerticalMergeFirst: setVerticalMerge(CellMerge::First); break;
        case Word::CellVerticalMerged: setVerticalMerge(CellMerge::Merged); break;
        case Word::CellPadLeft: setPadding(Side::Left, param); break;
        case Word::CellPadTop: setPadding(Side::Top, param); break;
        case Word::CellPadRight: setPadding(Side::Right, param); break;
        case Word::CellPadBottom: setPadding(Side::Bottom, param); break;
        default: return false;
    }
    return true;
}

void RtfRowBuilder::reset() {
    m_row = RowDefinition();
    m_cell = CellDefinition();
    m_side = Side::None;
}

Border* RtfRowBuilder::border() {
    switch (m_side) {
        case Side::Top: return &m_cell.top;
        case Side::Left: return &m_cell.left;
        case Side::Bottom: return &m_cell.bottom;
        case Side::Right: return &m_cell.rightSide;
        case Side::None: break;
    }
    return nullptr;
}

void RtfRowBuilder::setBorderWidth(int twips) {
    if (Border* b = border()) b->width = std::clamp(twips, 0, 1440);
}

void RtfRowBuilder::setBorderStyle(bool none) {
    Border* b = border();
    if (!b) return;
    if (none)
        *b = Border();
    else if (b->width == 0)
        b->width = kDefaultBorder;
}

void RtfRowBuilder::setBorderColor(QRgb rgb) {
    if (Border* b = border()) {
        b->hasColor = true;
        b->color = rgb;
    }
}

void RtfRowBuilder::setBackground(QRgb rgb) {
    m_cell.hasBackground = true;
    m_cell.background = rgb;
}

void RtfRowBuilder::setPadding(Side side, int twips) {
    twips = std::clamp(twips, 0, 1440);
    switch (side) {
        case Side::Top: m_cell.paddingTop = twips; break;
        case Side::Left: m_cell.paddingLeft = twips; break;
        case Side::Bottom: m_cell.paddingBottom = twips; break;
        case Side::Right: m_cell.paddingRight = twips; break;
        case Side::None: break;
    }
}

void RtfRowBuilder::endCell(int right) {
    if (m_row.cells.size() < size_t(kMaxCells)) {
        m_cell.right = std::clamp(right, -kMaxTwips, kMaxTwips);
        m_row.cells.push_back(m_cell);
    }
    m_cell = CellDefinition();
    m_side = Side::None;
}

}  // namespace rtf
