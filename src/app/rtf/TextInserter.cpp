#include "rtf/TextInserter.h"

#include <QColor>
#include <QFont>
#include <QTextDocument>
#include <QTextList>

#include "Twips.h"
#include "rtf/RtfLists.h"

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

QTextListFormat::Style qtListStyle(ListKind kind) {
    switch (kind) {
        case ListKind::Disc: return QTextListFormat::ListDisc;
        case ListKind::Circle: return QTextListFormat::ListCircle;
        case ListKind::Square: return QTextListFormat::ListSquare;
        case ListKind::Decimal: return QTextListFormat::ListDecimal;
        case ListKind::LowerAlpha: return QTextListFormat::ListLowerAlpha;
        case ListKind::UpperAlpha: return QTextListFormat::ListUpperAlpha;
        case ListKind::LowerRoman: return QTextListFormat::ListLowerRoman;
        case ListKind::UpperRoman: return QTextListFormat::ListUpperRoman;
    }
    return QTextListFormat::ListDisc;
}

}  // namespace

TextInserter::TextInserter(QTextDocument* document) : m_cursor(document), m_pictures(document) {
    m_plainBlockFormat = blockFormat(ParagraphStyle());
    m_lastBlockFormat = m_plainBlockFormat;
}

void TextInserter::setCursor(const QTextCursor& cursor) {
    m_cursor = cursor;
    m_blockPending = false;
}

QTextCharFormat TextInserter::charFormat(const RunStyle& style) {
    QTextCharFormat format;
    if (!style.fontFamily.isEmpty()) {
        format.setFontFamilies(QStringList{style.fontFamily});
        // Also as a plain string: the document tells formats apart by a hash
        // that does not look into the list of families, and documents with
        // thousands of fonts would load in quadratic time without it.
        format.setProperty(QTextFormat::FontFamily, style.fontFamily);
    }
    if (style.halfPoints > 0) format.setFontPointSize(style.halfPoints / 2.0);
    if (style.bold) format.setFontWeight(QFont::Bold);
    if (style.italic) format.setFontItalic(true);
    if (style.underline) format.setFontUnderline(true);
    if (style.strike) format.setFontStrikeOut(true);
    if (style.position == VerticalPosition::Super)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (style.position == VerticalPosition::Sub)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (style.hasColor) format.setForeground(QColor::fromRgb(style.color));
    if (style.hasBackground) format.setBackground(QColor::fromRgb(style.background));
    if (!style.href.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(style.href);
    }
    return format;
}

QTextBlockFormat TextInserter::blockFormat(const ParagraphStyle& paragraph) {
    QTextBlockFormat format;
    format.setAlignment(qtAlignment(paragraph.alignment));
    const double perPixel = twips::perPixel();
    if (paragraph.spaceBefore != 0) format.setTopMargin(paragraph.spaceBefore / perPixel);
    if (paragraph.spaceAfter != 0) format.setBottomMargin(paragraph.spaceAfter / perPixel);
    if (paragraph.rightIndent != 0) format.setRightMargin(paragraph.rightIndent / perPixel);
    // A list item is indented by its list.
    if (paragraph.list.isItem()) return format;
    if (paragraph.leftIndent != 0) format.setLeftMargin(paragraph.leftIndent / perPixel);
    if (paragraph.firstLineIndent != 0) format.setTextIndent(paragraph.firstLineIndent / perPixel);
    return format;
}

const QTextCharFormat& TextInserter::formatFor(const RunStyle& style) {
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

void TextInserter::startPendingBlock() {
    if (!m_blockPending) return;
    m_cursor.insertBlock(m_plainBlockFormat, QTextCharFormat());
    m_blockPending = false;
}

void TextInserter::text(const QString& text, const RunStyle& style) {
    startPendingBlock();
    m_cursor.insertText(text, formatFor(style));
}

void TextInserter::picture(const Picture& picture, const RunStyle& style) {
    startPendingBlock();
    QTextImageFormat format = m_pictures.format(picture);
    if (!style.href.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(style.href);
    }
    m_cursor.insertImage(format);
}

void TextInserter::addToList(const ListStyle& list) {
    QTextList*& qtList = m_lists[{list.key, list.level}];
    if (qtList) {
        qtList->add(m_cursor.block());
        return;
    }
    QTextListFormat format;
    format.setStyle(qtListStyle(list.kind));
    format.setIndent(list.level + 1);
    format.setNumberPrefix(list.prefix);
    format.setNumberSuffix(list.suffix);
    qtList = m_cursor.createList(format);
}

// New paragraphs start with the plain layout; only the others need setting.
void TextInserter::setLayout(const ParagraphStyle& given) {
    ParagraphStyle paragraph = given;
    paragraph.inTable = false;  // the cursor's place says that
    if (!paragraph.list.isItem()) {
        // Paragraphs numbered one by one form a list only while they follow each other.
        for (auto it = m_lists.begin(); it != m_lists.end();)
            it = it->first.first == RtfLists::kParagraphNumberingKey ? m_lists.erase(it) : std::next(it);
    }
    if (paragraph == ParagraphStyle()) return;
    if (!(paragraph == m_lastParagraph)) {
        m_lastParagraph = paragraph;
        m_lastBlockFormat = blockFormat(paragraph);
    }
    m_cursor.setBlockFormat(m_lastBlockFormat);
    if (paragraph.list.isItem()) addToList(paragraph.list);
}

void TextInserter::paragraphEnd(const ParagraphStyle& paragraph) {
    if (m_blockPending) m_cursor.insertBlock(m_plainBlockFormat, QTextCharFormat());
    setLayout(paragraph);
    m_blockPending = true;
}

void TextInserter::lastParagraph(const ParagraphStyle& paragraph) {
    startPendingBlock();
    setLayout(paragraph);
}

}  // namespace rtf
