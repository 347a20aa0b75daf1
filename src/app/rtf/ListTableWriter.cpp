#include "rtf/ListTableWriter.h"

#include <QTextBlock>
#include <QTextList>
#include <algorithm>

#include "rtf/RtfText.h"

namespace rtf {
namespace {

using rtftext::appendText;
using rtftext::appendWord;

constexpr int kListIndent = 720;   // twips per list level
constexpr int kListHanging = 360;  // twips the number hangs out to the left
constexpr int kBullet = 23;        // the \levelnfc of a bullet

int levelNumberFormat(QTextListFormat::Style style) {
    switch (style) {
        case QTextListFormat::ListDecimal: return 0;
        case QTextListFormat::ListUpperRoman: return 1;
        case QTextListFormat::ListLowerRoman: return 2;
        case QTextListFormat::ListUpperAlpha: return 3;
        case QTextListFormat::ListLowerAlpha: return 4;
        default: return kBullet;
    }
}

// The bullet a list of this style shows.
QString bulletOf(QTextListFormat::Style style) {
    switch (style) {
        case QTextListFormat::ListCircle: return QString(QChar(0x25E6));
        case QTextListFormat::ListSquare: return QString(QChar(0x25AA));
        default: return QString(QChar(0x2022));
    }
}

int levelOf(const QTextListFormat& format) { return std::clamp(format.indent() - 1, 0, 8); }

// A byte written as \'hh.
void appendHexByte(QByteArray& out, int value) {
    out.append("\\'");
    out.append(QByteArray::number(value, 16).rightJustified(2, '0'));
}

}  // namespace

int ListTableWriter::indexOf(QTextList* list) {
    const auto it = m_index.constFind(list);
    if (it != m_index.constEnd()) return it.value();
    m_lists.append(list);
    const int index = int(m_lists.size());  // lists are numbered from 1
    m_index.insert(list, index);
    return index;
}

void ListTableWriter::writeItem(QTextList* list, const QTextBlock& block, double leftMargin, QByteArray& out) {
    const int level = levelOf(list->format());
    appendWord(out, "\\ls", indexOf(list));
    appendWord(out, "\\ilvl", level);
    appendWord(out, "\\li", kListIndent * (level + 1) + rtftext::toTwips(leftMargin));
    appendWord(out, "\\fi", -kListHanging);
    const QTextListFormat::Style style = list->format().style();
    const QString number = levelNumberFormat(style) == kBullet ? bulletOf(style) : list->itemText(block);
    out.append("{\\listtext\\pard\\plain ");
    appendText(out, number);
    out.append("\\tab}");
}

void ListTableWriter::writeTables(QByteArray& out) const {
    if (m_lists.isEmpty()) return;
    out.append("{\\*\\listtable");
    for (qsizetype i = 0; i < m_lists.size(); ++i) {
        const QTextListFormat format = m_lists[i]->format();
        const int nfc = levelNumberFormat(format.style());
        appendWord(out, "\n{\\list\\listtemplateid", i + 1);
        // Nine levels, as word processors expect: the list's own look at each.
        for (int level = 0; level < 9; ++level) {
            appendWord(out, "\n{\\listlevel\\levelnfc", nfc);
            appendWord(out, "\\levelnfcn", nfc);
            out.append("\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1{\\leveltext");
            if (nfc == kBullet) {
                appendHexByte(out, 1);
                appendText(out, bulletOf(format.style()));
                out.append(";}{\\levelnumbers;}");
            } else {
                // The text's length, then the number of this level between
                // the list's prefix and suffix; \levelnumbers says where.
                const QString prefix = format.numberPrefix();
                const QString suffix = format.numberSuffix();
                appendHexByte(out, int(prefix.size() + 1 + suffix.size()));
                appendText(out, prefix);
                appendHexByte(out, level);
                appendText(out, suffix);
                out.append(";}{\\levelnumbers");
                appendHexByte(out, int(prefix.size() + 1));
                out.append(";}");
            }
            appendWord(out, "\\fi", -kListHanging);
            appendWord(out, "\\li", kListIndent * (level + 1));
            out.append('}');
        }
        appendWord(out, "\\listid", i + 1);
        out.append('}');
    }
    out.append("}\n{\\*\\listoverridetable");
    for (qsizetype i = 0; i < m_lists.size(); ++i) {
        appendWord(out, "{\\listoverride\\listid", i + 1);
        appendWord(out, "\\listoverridecount0\\ls", i + 1);
        out.append('}');
    }
    out.append("}\n");
}

}  // namespace rtf
