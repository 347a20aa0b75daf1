#include "rtf/DocumentSink.h"

#include <QColor>
#include <QFont>
#include <QTextDocument>

#include "Twips.h"

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
    m_plainBlockFormat = blockFormat(ParagraphStyle());
    m_lastBlockFormat = m_plainBlockFormat;
    m_cursor.setBlockFormat(m_plainBlockFormat);
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

QTextBlockFormat DocumentSink::blockFormat(const ParagraphStyle& paragraph) {
    QTextBlockFormat format;
    format.setAlignment(qtAlignment(paragraph.alignment));
    const double perPixel = twips::perPixel();
    if (paragraph.spaceBefore != 0) format.setTopMargin(paragraph.spaceBefore / perPixel);
    if (paragraph.spaceAfter != 0) format.setBottomMargin(paragraph.spaceAfter / perPixel);
    if (paragraph.leftIndent != 0) format.setLeftMargin(paragraph.leftIndent / perPixel);
    if (paragraph.rightIndent != 0) format.setRightMargin(paragraph.rightIndent / perPixel);
    if (paragraph.firstLineIndent != 0) format.setTextIndent(paragraph.firstLineIndent / perPixel);
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
        m_cursor.insertBlock(m_plainBlockFormat, QTextCharFormat());
        m_blockPending = false;
    }
    m_cursor.insertText(text, formatFor(style));
}

// New paragraphs start with the plain layout; only the others need setting.
void DocumentSink::setLayout(const ParagraphStyle& paragraph) {
    if (paragraph == ParagraphStyle()) return;
    if (!(paragraph == m_lastParagraph)) {
        m_lastParagraph = paragraph;
        m_lastBlockFormat = blockFormat(paragraph);
    }
    m_cursor.setBlockFormat(m_lastBlockFormat);
}

void DocumentSink::paragraphEnd(const ParagraphStyle& paragraph) {
    if (m_blockPending) m_cursor.insertBlock(m_plainBlockFormat, QTextCharFormat());
    setLayout(paragraph);
    m_blockPending = true;
}

void DocumentSink::lastParagraph(const ParagraphStyle& paragraph) {
    if (m_blockPending) {
        m_cursor.insertBlock(m_plainBlockFormat, QTextCharFormat());
        m_blockPending = false;
    }
    setLayout(paragraph);
}

}  // namespace rtf
