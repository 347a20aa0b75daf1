#include "rtf/RtfWriter.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include "rtf/FieldInstruction.h"
#include "rtf/PictureResources.h"
#include "rtf/RtfText.h"

namespace rtf {
namespace {

using rtftext::appendNumber;
using rtftext::appendText;
using rtftext::appendWord;
using rtftext::toTwips;

constexpr int kDefaultHalfPoints = 24;
constexpr int kPageTextWidth = 9638;  // twips between the margins of an A4 page, for relative widths

QString familyOf(const QTextCharFormat& format) {
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) return families.first();
    return format.stringProperty(QTextFormat::FontFamily);
}

// Names that only this toolkit understands ("Sans Serif") are written as the
// family they stand for here, which other programs know.
QString realFamily(const QFont& font) {
    static const QStringList generic = {"sans serif", "sansserif", "sans", "serif", "monospace",
                                        "mono", "system", "cursive", "fantasy"};
    const QString family = font.family();
    if (!family.isEmpty() && !generic.contains(family.toLower())) return family;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return family;
    return QFontInfo(font).family();
}

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
    const int t = toTwips(pixels);
    if (t != 0) appendWord(out, word, t);
}

const char* pictureKindWord(PictureKind kind) {
    switch (kind) {
        case PictureKind::Png: return "\\pngblip";
        case PictureKind::Jpeg: return "\\jpegblip";
        case PictureKind::Emf: return "\\emfblip";
        case PictureKind::Wmf: return "\\wmetafile";
        case PictureKind::MacPict: return "\\macpict";
        case PictureKind::Dib: return "\\dibitmap";
        case PictureKind::Bitmap: return "\\wbitmap";
        case PictureKind::Os2Metafile: return "\\pmmetafile";
        case PictureKind::Unknown: break;
    }
    return "";
}

bool kindHasParameter(PictureKind kind) {
    return kind == PictureKind::Wmf || kind == PictureKind::Dib || kind == PictureKind::Bitmap ||
           kind == PictureKind::Os2Metafile;
}

}  // namespace

RtfWriter::RtfWriter(const QTextDocument& document) : m_document(document) {
    const QFont font = document.defaultFont();
    m_defaultFamily = realFamily(font);
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
    run.font = family.isEmpty() ? 0 : fontIndex(realFamily(QFont(family)));
    run.halfPoints = m_defaultHalfPoints;
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        run.halfPoints = int(std::lround(format.fontPointSize() * 2));
    run.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                           : m_defaultBold;
    run.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : m_defaultItalic;
    const bool underlineSet = format.hasProperty(QTextFormat::TextUnderlineStyle) ||
                              format.hasProperty(QTextFormat::FontUnderline);
    run.underline = underlineSet ? format.fontUnderline() : m_defaultUnderline;
    run.strike = format.fontStrikeOut();
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        run.position = VerticalPosition::Super;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        run.position = VerticalPosition::Sub;
    const QBrush foreground = format.foreground();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && foreground.style() != Qt::NoBrush)
        run.color = colorIndex(foreground.color().rgb());
    const QBrush background = format.background();
    if (format.hasProperty(QTextFormat::BackgroundBrush) && background.style() != Qt::NoBrush)
        run.background = colorIndex(background.color().rgb());
    return run;
}

void RtfWriter::writeRun(const QTextCharFormat& format, QStringView text, QByteArray& out) {
    const Run run = runOf(format);
    out.append('{');
    if (run.font != 0) appendWord(out, "\\f", run.font);
    if (run.halfPoints != kDefaultHalfPoints) appendWord(out, "\\fs", run.halfPoints);
    if (run.bold) out.append("\\b");
    if (run.italic) out.append("\\i");
    if (run.underline) out.append("\\ul");
    if (run.strike) out.append("\\strike");
    if (run.position == VerticalPosition::Super) out.append("\\super");
    if (run.position == VerticalPosition::Sub) out.append("\\sub");
    if (run.color != 0) appendWord(out, "\\cf", run.color);
    if (run.background != 0) {
        // Shading for those who read it, highlighting for those who read only that.
        appendWord(out, "\\chcbpat", run.background);
        appendWord(out, "\\highlight", run.background);
    }
    // A space ends the last control word; without one it would be text.
    if (!out.endsWith('{')) out.append(' ');
    appendText(out, text);
    out.append('}');
}

void RtfWriter::writePicture(const QTextImageFormat& format, QByteArray& out) {
    Picture picture;
    if (!PictureResources::pictureOf(format, m_document, &picture)) return;
    const bool modern = picture.kind == PictureKind::Png || picture.kind == PictureKind::Jpeg ||
                        picture.kind == PictureKind::Emf;
    out.append(modern ? "{\\*\\shppict{\\pict" : "{\\pict");
    out.append(pictureKindWord(picture.kind));
    if (kindHasParameter(picture.kind)) appendNumber(out, picture.kindParameter);
    if (picture.pixelWidth > 0) appendWord(out, "\\picw", picture.pixelWidth);
    if (picture.pixelHeight > 0) appendWord(out, "\\pich", picture.pixelHeight);
    if (format.width() > 0) appendWord(out, "\\picwgoal", toTwips(format.width()));
    if (format.height() > 0) appendWord(out, "\\pichgoal", toTwips(format.height()));
    out.append('\n');
    const QByteArray hex = picture.data.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
        out.append(hex.mid(i, 128));
        out.append('\n');
    }
    out.append(modern ? "}}" : "}");
}

void RtfWriter::writeRuns(const QTextBlock& block, QByteArray& out) {
    QString linkOpen;  // the target of the hyperlink being written
    auto closeLink = [&] {
        if (linkOpen.isEmpty()) return;
        out.append("}}");
        linkOpen.clear();
    };
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid()) continue;
        const QTextCharFormat format = fragment.charFormat();
        const QString href = format.isAnchor() ? format.anchorHref() : QString();
        if (href != linkOpen) {
            closeLink();
            if (!href.isEmpty()) {
                out.append("{\\field{\\*\\fldinst ");
                appendText(out, fieldinstruction::hyperlinkInstruction(href));
                out.append("}{\\fldrslt ");
                linkOpen = href;
            }
        }
        if (format.isImageFormat()) {
            // One image per character of the fragment.
            for (int i = 0; i < fragment.length(); ++i) writePicture(format.toImageFormat(), out);
        } else if (format.objectType() == QTextFormat::NoObject) {
            writeRun(format, fragment.text(), out);
        }
    }
    closeLink();
}

void RtfWriter::writeParagraphStart(const QTextBlock& block, bool inTable, QByteArray& out) {
    const QTextBlockFormat format = block.blockFormat();
    out.append("\\pard");
    if (inTable) out.append("\\intbl");
    out.append(alignmentWord(format.alignment()));
    appendDistance(out, "\\sb", format.topMargin());
    appendDistance(out, "\\sa", format.bottomMargin());
    appendDistance(out, "\\ri", format.rightMargin());
    QTextList* list = block.textList();
    if (!list) {
        appendDistance(out, "\\li", format.leftMargin());
        appendDistance(out, "\\fi", format.textIndent());
        return;
    }
    m_lists.writeItem(list, block, format.leftMargin(), out);
}

void RtfWriter::writeFrame(QTextFrame* frame, QByteArray& out) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(child))
                writeTable(table, out);
            else
                writeFrame(child, out);  // a frame of some other kind: its paragraphs
            continue;
        }
        const QTextBlock block = it.currentBlock();
        writeParagraphStart(block, false, out);
        writeRuns(block, out);
        out.append("\\par\n");
    }
}

void RtfWriter::writeTable(QTextTable* table, QByteArray& out) {
    const int rows = table->rows();
    const int columns = table->columns();
    const QTextTableFormat tableFormat = table->format();

    // The right edge of every column, from the widths the table asks for.
    const QList<QTextLength> constraints = tableFormat.columnWidthConstraints();
    std::vector<int> widths(size_t(columns), 0);
    int fixed = 0;
    int variable = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = c < constraints.size() ? constraints[c] : QTextLength();
        if (length.type() == QTextLength::FixedLength)
            widths[size_t(c)] = toTwips(length.rawValue());
        else if (length.type() == QTextLength::PercentageLength)
            widths[size_t(c)] = int(kPageTextWidth * length.rawValue() / 100);
        else
            ++variable;
        fixed += widths[size_t(c)];
    }
    for (int& w : widths)
        if (w <= 0) w = std::max(360, variable ? (kPageTextWidth - fixed) / variable : 360);
    std::vector<int> edges(size_t(columns) + 1, 0);
    for (int c = 0; c < columns; ++c) edges[size_t(c) + 1] = edges[size_t(c)] + widths[size_t(c)];

    const Border tableBorder{tableFormat.border() > 0 ? toTwips(tableFormat.border()) : 0,
                             tableFormat.borderBrush().style() != Qt::NoBrush,
                             tableFormat.borderBrush().color().rgb()};
    auto sideOf = [&](const QTextTableCellFormat& f, QTextFormat::Property width,
                      QTextFormat::Property brush) {
        if (!f.hasProperty(width)) return tableBorder;
        const QBrush b = f.brushProperty(brush);
        return Border{toTwips(f.doubleProperty(width)), b.style() != Qt::NoBrush, b.color().rgb()};
    };
    auto writeBorder = [&](const char* side, const Border& border) {
        if (border.width <= 0) return;
        out.append(side);
        appendWord(out, "\\brdrs\\brdrw", std::max(1, border.width));
        if (border.hasColor) appendWord(out, "\\brdrcf", colorIndex(border.color));
    };

    for (int r = 0; r < rows; ++r) {
        // The row's definition: one \cellx per cell that begins in this row,
        // or continues a cell merged down from a row above.
        QList<QTextTableCell> cells;
        QList<bool> continued;
        out.append("\\trowd\\trgaph0\\trleft0");
        for (int c = 0; c < columns;) {
            const QTextTableCell cell = table->cellAt(r, c);
            const int span = std::max(1, cell.columnSpan());
            const bool below = cell.row() != r;
            const QTextTableCellFormat f = cell.format().toTableCellFormat();
            if (cell.rowSpan() > 1) out.append(below ? "\\clvmrg" : "\\clvmgf");
            writeBorder("\\clbrdrt", sideOf(f, QTextFormat::TableCellTopBorder, QTextFormat::TableCellTopBorderBrush));
            writeBorder("\\clbrdrl", sideOf(f, QTextFormat::TableCellLeftBorder, QTextFormat::TableCellLeftBorderBrush));
            writeBorder("\\clbrdrb",
                        sideOf(f, QTextFormat::TableCellBottomBorder, QTextFormat::TableCellBottomBorderBrush));
            writeBorder("\\clbrdrr",
                        sideOf(f, QTextFormat::TableCellRightBorder, QTextFormat::TableCellRightBorderBrush));
            if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
                appendWord(out, "\\clcbpat", colorIndex(f.background().color().rgb()));
            appendWord(out, "\\clpadl", toTwips(f.leftPadding()));
            appendWord(out, "\\clpadr", toTwips(f.rightPadding()));
            appendWord(out, "\\clpadt", toTwips(f.topPadding()));
            appendWord(out, "\\clpadb", toTwips(f.bottomPadding()));
            out.append("\\clpadfl3\\clpadfr3\\clpadft3\\clpadfb3");
            appendWord(out, "\\cellx", edges[size_t(std::min(columns, cell.column() + span))]);
            cells << cell;
            continued << below;
            c = cell.column() + span;
        }
        out.append('\n');
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (continued[i]) {
                out.append("\\pard\\intbl\\cell\n");
                continue;
            }
            // The cell's paragraphs; the last ends with the cell.
            bool first = true;
            for (auto it = cells[i].begin(); !it.atEnd(); ++it) {
                QTextBlock block = it.currentBlock();
                if (QTextFrame* inner = it.currentFrame()) {
                    // A table inside the cell: its paragraphs, in the cell.
                    for (block = m_document.findBlock(inner->firstPosition());
                         block.isValid() && block.position() < inner->lastPosition(); block = block.next()) {
                        if (!first) out.append("\\par\n");
                        first = false;
                        writeParagraphStart(block, true, out);
                        writeRuns(block, out);
                    }
                    continue;
                }
                if (!first) out.append("\\par\n");
                first = false;
                writeParagraphStart(block, true, out);
                writeRuns(block, out);
            }
            if (first) out.append("\\pard\\intbl");
            out.append("\\cell\n");
        }
        out.append("\\row\n");
    }
}

void RtfWriter::writeHeader(QByteArray& out) const {
    out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl");
    for (int i = 0; i < m_fonts.size(); ++i) {
        out.append("{\\f");
        appendNumber(out, i);
        const bool fixed = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
                           QFontDatabase::isFixedPitch(m_fonts[i]);
        out.append(fixed ? "\\fmodern\\fcharset0 " : "\\fnil\\fcharset0 ");
        appendText(out, m_fonts[i]);
        out.append(";}");
    }
    out.append("}\n{\\colortbl;");
    for (const QRgb rgb : m_colors) {
        appendWord(out, "\\red", qRed(rgb));
        appendWord(out, "\\green", qGreen(rgb));
        appendWord(out, "\\blue", qBlue(rgb));
        out.append(';');
    }
    out.append("}\n");
    m_lists.writeTables(out);
}

QByteArray RtfWriter::write() {
    QByteArray body;
    body.reserve(m_document.characterCount() * 2 + 256);
    writeFrame(m_document.rootFrame(), body);
    QByteArray out;
    out.reserve(body.size() + 1024);
    writeHeader(out);
    out.append(body);
    out.append("}\n");
    return out;
}

}  // namespace rtf
