#include "rtf/RtfWriter.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <cmath>

#include "Twips.h"

namespace rtf {
namespace {

constexpr int kDefaultHalfPoints = 24;

QString familyOf(const QTextCharFormat& format) {
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) return families.first();
    return format.stringProperty(QTextFormat::FontFamily);
}

void appendNumber(QByteArray& out, int n) { out.append(QByteArray::number(n)); }

const char* alignmentWord(Qt::Alignment alignment) {
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter) return "\\qc";
    if (horizontal & (Qt::AlignRight | Qt::AlignTrailing)) return "\\qr";
    if (horizontal & Qt::AlignJustify) return "\\qj";
    return "\\ql";
}

// A paragraph distance, given in the document's pixels, as a control word
// in twips; nothing when it is zero.
void appendDistance(QByteArray& out, const char* word, double pixels) {
    const long twips = std::lround(pixels * twips::perPixel());
    if (twips == 0) return;
    out.append(word);
    appendNumber(out, int(twips));
}

void appendLayout(QByteArray& out, const QTextBlockFormat& format) {
    out.append(alignmentWord(format.alignment()));
    appendDistance(out, "\\sb", format.topMargin());
    appendDistance(out, "\\sa", format.bottomMargin());
    appendDistance(out, "\\li", format.leftMargin());
    appendDistance(out, "\\ri", format.rightMargin());
    appendDistance(out, "\\fi", format.textIndent());
}

}  // namespace

RtfWriter::RtfWriter(const QTextDocument& document) : m_document(document) {
    const QFont font = document.defaultFont();
    m_defaultFamily = font.family();
    if (font.pointSizeF() > 0) m_defaultHalfPoints = int(std::lround(font.pointSizeF() * 2));
    m_defaultBold = font.weight() >= QFont::DemiBold;
    m_defaultItalic = font.italic();
    m_defaultUnderline = font.underline();
    fontIndex(m_defaultFamily);  // the default font is \f0
}

int RtfWriter::fontIndex(const QString& family) {
    const auto it = m_fontIndex.constFind(family);
    if (it != m_fontIndex.constEnd()) return it.value();
    const int index = int(m_fonts.size());
    m_fonts.append(family);
    m_fontIndex.insert(family, index);
    return index;
}

int RtfWriter::colorIndex(QRgb rgb) {
    const auto it = m_colorIndex.constFind(rgb);
    if (it != m_colorIndex.constEnd()) return it.value();
    m_colors.append(rgb);
    const int index = int(m_colors.size());  // 0 is the automatic colour
    m_colorIndex.insert(rgb, index);
    return index;
}

RtfWriter::Run RtfWriter::runOf(const QTextCharFormat& format) {
    Run run;
    const QString family = familyOf(format);
    run.font = family.isEmpty() ? 0 : fontIndex(family);
    run.halfPoints = m_defaultHalfPoints;
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        run.halfPoints = int(std::lround(format.fontPointSize() * 2));
    run.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                           : m_defaultBold;
    run.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : m_defaultItalic;
    const bool underlineSet = format.hasProperty(QTextFormat::TextUnderlineStyle) ||
                              format.hasProperty(QTextFormat::FontUnderline);
    run.underline = underlineSet ? format.fontUnderline() : m_defaultUnderline;
    const QBrush foreground = format.foreground();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && foreground.style() != Qt::NoBrush)
        run.color = colorIndex(foreground.color().rgb());
    return run;
}

void RtfWriter::writeText(QByteArray& out, QStringView text) {
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out.append('\\');
            out.append(char(c));
        } else if (c >= 0x20 && c <= 0x7E) {
            out.append(char(c));
        } else if (c == u'\t') {
            out.append("\\tab ");
        } else if (c == 0x2028) {
            out.append("\\line ");
        } else if (c == 0x00A0) {
            out.append("\\~");
        } else if (c == 0x00AD) {
            out.append("\\-");
        } else if (c == 0x2011) {
            out.append("\\_");
        } else if (c < 0x20 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1) {
            // control characters and paragraph or frame marks have no place
            // inside a run
        } else {
            // \uN takes a signed 16-bit number; each half of a surrogate pair
            // is written on its own.
            out.append("\\u");
            appendNumber(out, c > 0x7FFF ? int(c) - 0x10000 : int(c));
            out.append('?');
        }
    }
}

void RtfWriter::writeHeader(QByteArray& out) const {
    out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl");
    for (int i = 0; i < m_fonts.size(); ++i) {
        out.append("{\\f");
        appendNumber(out, i);
        out.append("\\fnil\\fcharset0 ");
        writeText(out, m_fonts[i]);
        out.append(";}");
    }
    out.append("}\n{\\colortbl;");
    for (const QRgb rgb : m_colors) {
        out.append("\\red");
        appendNumber(out, qRed(rgb));
        out.append("\\green");
        appendNumber(out, qGreen(rgb));
        out.append("\\blue");
        appendNumber(out, qBlue(rgb));
        out.append(';');
    }
    out.append("}\n");
}

QByteArray RtfWriter::write() {
    QByteArray body;
    body.reserve(m_document.characterCount() * 2 + 256);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        body.append("\\pard");
        appendLayout(body, block.blockFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            // Pictures and other embedded objects have no text to write.
            if (!fragment.isValid() || fragment.charFormat().objectType() != QTextFormat::NoObject)
                continue;
            const Run run = runOf(fragment.charFormat());
            body.append('{');
            if (run.font != 0) {
                body.append("\\f");
                appendNumber(body, run.font);
            }
            if (run.halfPoints != kDefaultHalfPoints) {
                body.append("\\fs");
                appendNumber(body, run.halfPoints);
            }
            if (run.bold) body.append("\\b");
            if (run.italic) body.append("\\i");
            if (run.underline) body.append("\\ul");
            if (run.color != 0) {
                body.append("\\cf");
                appendNumber(body, run.color);
            }
            // A space ends the last control word; without one it would be text.
            if (!body.endsWith('{')) body.append(' ');
            writeText(body, fragment.text());
            body.append('}');
        }
        body.append("\\par\n");
    }
    QByteArray out;
    out.reserve(body.size() + 1024);
    writeHeader(out);
    out.append(body);
    out.append("}\n");
    return out;
}

}  // namespace rtf
