#include "rtf/DocumentSink.h"

#include <QColor>
#include <QFont>
#include <QTextDocument>

namespace rtf {
namespace {

constexpr size_t kFormatCacheSize = 16;

Qt::Alignment qtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Center: return Qt::AlignHCenter;
        case Alignment::Right: return Qt::AlignRight;
        case Alignment::Justify: return Qt::AlignJustify;
        case Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

}  // namespace

DocumentSink::DocumentSink(QTextDocument* document) : m_cursor(document) {
    document->clear();
    m_cursor = QTextCursor(document);
    m_cursor.beginEditBlock();
    for (int i = 0; i < 4; ++i) m_blockFormats[i].setAlignment(qtAlignment(Alignment(i)));
    m_cursor.setBlockFormat(m_blockFormats[0]);
}

DocumentSink::~DocumentSink() { m_cursor.endEditBlock(); }

QTextCharFormat DocumentSink::charFormat(const RunStyle& style) {
    QTextCharFormat format;
    if (!style.fontFamily.isEmpty()) format.setFontFamilies(QStringList{style.fontFamily});
    if (style.halfPoints > 0) format.setFontPointSize(style.halfPoints / 2.0);
    if (style.bold) format.setFontWeight(QFont::Bold);
    if (style.italic) format.setFontItalic(true);
    if (style.underline) format.setFontUnderline(true);
    if (style.hasColor) format.setForeground(QColor::fromRgb(style.color));
    return format;
}

const QTextCharFormat& DocumentSink::formatFor(const RunStyle& style) {
    for (size_t i = 0; i < m_formats.size(); ++i) {
        if (m_formats[i].first == style) {
            if (i > 0) std::swap(m_formats[i], m_formats[i - 1]);  // keep frequent ones in front
            return m_formats[i > 0 ? i - 1 : 0].second;
        }
    }
    if (m_formats.size() == kFormatCacheSize) m_formats.pop_back();
    m_formats.emplace_back(style, charFormat(style));
    return m_formats.back().second;
}

void DocumentSink::text(const QString& text, const RunStyle& style) {
    if (m_blockPending) {
        m_cursor.insertBlock(m_blockFormats[0], QTextCharFormat());
        m_blockPending = false;
    }
    m_cursor.insertText(text, formatFor(style));
}

void DocumentSink::setAlignment(Alignment alignment) {
    if (alignment != Alignment::Left) m_cursor.setBlockFormat(m_blockFormats[int(alignment)]);
}

void DocumentSink::paragraphEnd(Alignment alignment) {
    if (m_blockPending) m_cursor.insertBlock(m_blockFormats[0], QTextCharFormat());
    setAlignment(alignment);
    m_blockPending = true;
}

void DocumentSink::lastParagraph(Alignment alignment) {
    if (m_blockPending) {
        m_cursor.insertBlock(m_blockFormats[0], QTextCharFormat());
        m_blockPending = false;
    }
    setAlignment(alignment);
}

}  // namespace rtf
