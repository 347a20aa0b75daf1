#include "rtf/FieldInstruction.h"

namespace rtf::fieldinstruction {
namespace {

// Reads one argument from `i`: a quoted text (in which a doubled backslash
// stands for one) or a word up to the next blank.
QString argument(const QString& text, qsizetype& i) {
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace()) ++i;
    QString out;
    if (i < n && text.at(i) == QLatin1Char('"')) {
        ++i;
        while (i < n && text.at(i) != QLatin1Char('"')) {
            if (text.at(i) == QLatin1Char('\\') && i + 1 < n &&
                (text.at(i + 1) == QLatin1Char('\\') || text.at(i + 1) == QLatin1Char('"')))
                ++i;
            out.append(text.at(i));
            ++i;
        }
        ++i;  // the closing quote
    } else {
        while (i < n && !text.at(i).isSpace()) out.append(text.at(i++));
    }
    return out;
}

}  // namespace

QString hyperlinkTarget(const QString& instruction) {
    const QString text = instruction.trimmed();
    const QLatin1String keyword("HYPERLINK");
    if (!text.startsWith(keyword, Qt::CaseInsensitive)) return QString();
    QString address;
    QString bookmark;
    qsizetype i = keyword.size();
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text.at(i).isSpace()) ++i;
        if (i >= n) break;
        if (text.at(i) == QLatin1Char('\\') && i + 1 < n && text.at(i + 1).isLetter()) {
            const QChar sw = text.at(i + 1).toLower();
            i += 2;
            // \l names a bookmark; \o (a tip), \t (a frame) and \s carry an
            // argument of their own; \m, \n and \h none.
            if (sw == QLatin1Char('l'))
                bookmark = argument(text, i);
            else if (sw == QLatin1Char('o') || sw == QLatin1Char('t') || sw == QLatin1Char('s'))
                argument(text, i);
            continue;
        }
        const QString arg = argument(text, i);
        if (address.isEmpty()) address = arg;
    }
    if (!bookmark.isEmpty()) return address + QLatin1Char('#') + bookmark;
    return address;
}

QString hyperlinkInstruction(const QString& target) {
    QString quoted = target;
    // Inside the quotes a backslash or a quote would end or bend the target.
    quoted.replace(QLatin1Char('\\'), QLatin1String("%5C"));
    quoted.replace(QLatin1Char('"'), QLatin1String("%22"));
    return QStringLiteral("HYPERLINK \"%1\"").arg(quoted);
}

}  // namespace rtf::fieldinstruction
