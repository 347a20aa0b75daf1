#include "rtf/PlainTextSink.h"

namespace rtf {

void PlainTextSink::text(const QString& text, const RunStyle&) {
    if (m_breakPending) {
        m_text.append(QChar(u'\n'));
        m_breakPending = false;
    }
    const qsizetype start = m_text.size();
    m_text.append(text);
    for (QChar* c = m_text.data() + start, *end = m_text.data() + m_text.size(); c != end; ++c) {
        if (c->unicode() == 0x2028)
            *c = QChar(u'\n');
        else if (c->unicode() == 0x00A0)
            *c = QChar(u' ');
    }
}

void PlainTextSink::paragraphEnd(const ParagraphStyle&) {
    if (m_breakPending) m_text.append(QChar(u'\n'));
    m_breakPending = true;
}

void PlainTextSink::lastParagraph(const ParagraphStyle&) { m_breakPending = false; }

}  // namespace rtf
