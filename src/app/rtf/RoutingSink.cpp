#include "rtf/RoutingSink.h"

namespace rtf {

void RoutingSink::text(const QString& text, const RunStyle& style) {
    if (m_inTable)
        m_table.text(text, style);
    else
        target().text(text, style);
}

void RoutingSink::picture(const Picture& picture, const RunStyle& style) {
    if (m_inTable)
        m_table.picture(picture, style);
    else
        target().picture(picture, style);
}

void RoutingSink::paragraphEnd(const ParagraphStyle& paragraph) {
    if (m_inTable)
        m_table.paragraphEnd(paragraph);
    else
        target().paragraphEnd(paragraph);
}

void RoutingSink::tableStart() {
    m_table.clear();
    m_inTable = true;
}

void RoutingSink::tableEnd() {
    m_inTable = false;
    const TableRecorder::Layout layout = m_table.layout();
    if (layout.rows > 0 && layout.columns > 0) buildTable(m_table, layout);
    m_table.clear();
}

}  // namespace rtf
