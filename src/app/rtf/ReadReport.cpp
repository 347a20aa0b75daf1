#include "rtf/ReadReport.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>

#include "rtf/ReadLimits.h"

namespace rtf {
namespace {

QString counted(int n, const char* one, const char* many) {
    return n == 1 ? QStringLiteral("1 %1").arg(QLatin1String(one))
                  : QStringLiteral("%1 %2").arg(n).arg(QLatin1String(many));
}

QString number(int n) { return QLocale(QLocale::English).toString(n); }

}  // namespace

bool ReadReport::isEmpty() const {
    return std::all_of(m_counts.begin(), m_counts.end(), [](int n) { return n == 0; });
}

QString ReadReport::summary() const {
    QStringList lines;
    auto add = [&](Item item, const QString& line) {
        if (count(item) > 0) lines << QStringLiteral("- ") + line;
    };
    add(Item::EmbeddedObject,
        counted(count(Item::EmbeddedObject), "embedded object", "embedded objects") +
            QStringLiteral(" (only its picture is shown, where the file has one)"));
    add(Item::Drawing, counted(count(Item::Drawing), "drawing or text box", "drawings or text boxes"));
    add(Item::Footnote, counted(count(Item::Footnote), "footnote or endnote", "footnotes or endnotes"));
    add(Item::Comment, counted(count(Item::Comment), "comment", "comments"));
    add(Item::HeaderOrFooter, QStringLiteral("page headers and footers"));
    add(Item::HiddenText, QStringLiteral("hidden text"));
    add(Item::NestedTable, QStringLiteral("tables inside table cells (their text is kept as lines)"));
    add(Item::TableCellsAsText,
        QStringLiteral("table cells beyond the first %1 (their text is kept as lines)")
            .arg(number(limits::kTableCells)));
    add(Item::ListItemsAsText,
        QStringLiteral("list numbering beyond %1 items (the numbers are kept as text)")
            .arg(number(limits::kListItems)));
    add(Item::ParagraphsAsLines,
        QStringLiteral("paragraphs beyond the first %1 (they are kept as lines of the last one)")
            .arg(number(limits::kParagraphs)));
    add(Item::FormattingDropped,
        QStringLiteral("changes of formatting beyond the first %1 (the text is kept)")
            .arg(number(limits::kRuns)));
    add(Item::FontsIgnored,
        QStringLiteral("fonts beyond the first %1 of the font table").arg(number(limits::kFonts)));
    add(Item::ColorsIgnored,
        QStringLiteral("colours beyond the first %1 of the colour table").arg(number(limits::kColors)));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace rtf
