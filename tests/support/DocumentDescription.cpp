#include "support/DocumentDescription.h"

#include <QFontInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include "Twips.h"

namespace {

QString listStyleName(QTextListFormat::Style style) {
    switch (style) {
        case QTextListFormat::ListDisc: return "disc";
        case QTextListFormat::ListCircle: return "circle";
        case QTextListFormat::ListSquare: return "square";
        case QTextListFormat::ListDecimal: return "decimal";
        case QTextListFormat::ListLowerAlpha: return "loweralpha";
        case QTextListFormat::ListUpperAlpha: return "upperalpha";
        case QTextListFormat::ListLowerRoman: return "lowerroman";
        case QTextListFormat::ListUpperRoman: return "upperroman";
        default: return QString::number(int(style));
    }
}

}  // namespace

// Block by block: alignment, list and table cell, then each fragment's text
// and formatting, or its picture's size; a table's size and column widths
// (in twips) before its first block.
QStringList describeDocument(const QTextDocument& document) {
    QStringList lines;
    // Text without a family of its own shows in the real family behind the default.
    const QString defaultFamily = QFontInfo(document.defaultFont()).family();
    const QTextTable* lastTable = nullptr;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        QString line = QStringLiteral("block %1").arg(int(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask));
        if (const QTextList* list = b.textList()) {
            // A bullet shows no number, whatever prefix and suffix the list holds.
            const int style = list->format().style();
            const bool bullet = style >= QTextListFormat::ListSquare && style <= QTextListFormat::ListDisc;
            line += QStringLiteral(" list %1 %2 %3").arg(listStyleName(list->format().style()))
                        .arg(list->format().indent()).arg(bullet ? QString() : list->itemText(b));
        }
        if (const QTextTable* table = QTextCursor(b).currentTable()) {
            if (table != lastTable) {
                QString widths;
                for (const QTextLength& w : table->format().columnWidthConstraints())
                    widths += QStringLiteral(" %1").arg(qRound(w.rawValue() * twips::perPixel()));
                lines << QStringLiteral("table %1x%2%3").arg(table->rows()).arg(table->columns()).arg(widths);
            }
            lastTable = table;
            const QTextTableCell cell = table->cellAt(b.position());
            line += QStringLiteral(" cell %1,%2 border %3").arg(cell.row()).arg(cell.column())
                        .arg(qRound(cell.format().toTableCellFormat().topBorder() * twips::perPixel()));
        }
        lines << line;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat()) {
                lines << QStringLiteral("  image %1x%2").arg(qRound(f.toImageFormat().width()))
                             .arg(qRound(f.toImageFormat().height()));
                continue;
            }
            QString flags = QString(f.fontWeight() >= QFont::Bold ? "b" : "") + (f.fontItalic() ? "i" : "") +
                            (f.fontUnderline() ? "u" : "") + (f.fontStrikeOut() ? "s" : "");
            if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) flags += "^";
            if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) flags += "_";
            QString colour = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QString();
            if (f.hasProperty(QTextFormat::BackgroundBrush)) colour += " on " + f.background().color().name();
            if (f.isAnchor()) colour += " link " + f.anchorHref();
            lines << QStringLiteral("  %1|%2|%3|%4|%5")
                         .arg(it.fragment().text(), f.fontFamilies().toStringList().value(0, defaultFamily))
                         .arg(f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                                        : document.defaultFont().pointSizeF())
                         .arg(flags, colour);
        }
    }
    return lines;
}

