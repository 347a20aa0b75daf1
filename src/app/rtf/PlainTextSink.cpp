#include "rtf/PlainTextSink.h"

namespace rtf {

bool PlainTextSink::hasEnough() const {
    if (m_wanted >= 0 && m_text.size() >= m_wanted) return true;
    if (!m_enough || m_enoughSaid || m_text.size() == m_asked) return m_enoughSaid;
    m_asked = m_text.size();
    m_enoughSaid = m_enough(m_text);
    return m_enoughSaid;
}

void PlainTextSink::Writer::startPending() {
    if (!m_breakPending) return;
    m_text.append(QChar(u'\n'));
    m_breakPending = false;
}

void PlainTextSink::Writer::text(const QString& text, const RunStyle&) {
    startPending();
    const qsizetype start = m_text.size();
    m_text.append(text);
    for (QChar* c = m_text.data() + start, *end = m_text.data() + m_text.size(); c != end; ++c) {
        if (c->unicode() == 0x2028)
            *c = QChar(u'\n');
        else if (c->unicode() == 0x00A0)
            *c = QChar(u' ');
    }
}

void PlainTextSink::Writer::picture(const Picture&, const RunStyle&) {
    startPending();
    m_text.append(QChar(QChar::ObjectReplacementCharacter));
}

void PlainTextSink::Writer::paragraphEnd(const ParagraphStyle&) {
    if (m_breakPending) m_text.append(QChar(u'\n'));
    m_breakPending = true;
}

// As a document's plain text shows a table: the table's start and end are
// line feeds, and so is the border of each place of its grid that no other
// cell covers.
void PlainTextSink::buildTable(const TableRecorder& table, const TableRecorder::Layout& layout) {
    m_main.reset();
    m_text.append(QChar(u'\n'));
    bool first = true;
    for (const TableRecorder::Slot& slot : layout.grid) {
        if (slot.covered) continue;
        if (!first) m_text.append(QChar(u'\n'));
        first = false;
        if (slot.cell < 0) continue;
        Writer cell(m_text);
        table.replay(slot.cell, layout, cell);
    }
    m_text.append(QChar(u'\n'));
}

}  // namespace rtf
