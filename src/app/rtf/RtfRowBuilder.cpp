#include "rtf/RtfRowBuilder.h"

#include <algorithm>

namespace rtf {
namespace {
constexpr int kMaxTwips = 31680;      // 22 inches: wider than any page
constexpr int kDefaultBorder = 10;    // a border given a style but no width: half a point
}  // namespace

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
