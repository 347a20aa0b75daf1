#include "diary/DiaryFiles.h"

#include <QStringList>
#include <QVarLengthArray>
#include <algorithm>
#include <array>

#include "Texts.h"

namespace diaryfiles {

namespace {
// Whether a piece of the name could lead out of the data folder or hide a character.
bool unsafePiece(const QString& piece) {
    if (piece.contains(QLatin1Char('/')) || piece.contains(QLatin1Char('\\')) ||
        piece.contains(QLatin1String("..")))
        return true;
    for (const QChar c : piece)
        if (c.category() == QChar::Other_Control) return true;  // NUL included
    return false;
}
}  // namespace

qsizetype indexIgnoringCase(const QString& text, const QString& answer, qsizetype from) {
    static constexpr auto kAsciiFold = [] {
        std::array<char16_t, 128> fold{};
        for (char16_t c = 0; c < 128; ++c) fold[c] = c >= u'A' && c <= u'Z' ? c + 32 : c;
        return fold;
    }();
    const auto qtIndex = [&](qsizetype at) { return text.indexOf(answer, at, Qt::CaseInsensitive); };
    QVarLengthArray<char16_t, 64> folded;
    for (const QChar c : answer) {
        if (c.isSurrogate()) return qtIndex(from);
        folded.append(c.unicode() < 128 ? kAsciiFold[c.unicode()] : QChar::toCaseFolded(c.unicode()));
    }
    const qsizetype length = folded.size();
    if (length == 0) return qtIndex(from);
    const char16_t* const chars = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype at = std::max<qsizetype>(from, 0); at + length <= text.size(); ++at) {
        qsizetype k = 0;
        for (; k < length; ++k) {
            const char16_t c = chars[at + k];
            if (c < 128) {
                if (kAsciiFold[c] != folded[k]) break;
            } else if (QChar::isSurrogate(c)) {
                return qtIndex(at);
            } else if (QChar::toCaseFolded(c) != folded[k]) {
                break;
            }
        }
        if (k == length) return at;
    }
    return -1;
}

QString fileName(const QString& day, const QString& month, const QString& year) {
    return day.trimmed() + QLatin1Char('-') + month.trimmed() + QLatin1Char('-') + year.trimmed() +
           QLatin1String(".rtf");
}

QString unsafeNameMessage(const QString& day, const QString& month, const QString& year) {
    if (!unsafePiece(day.trimmed()) && !unsafePiece(month.trimmed()) &&
        !unsafePiece(year.trimmed()))
        return QString();
    return QStringLiteral(
        "This date cannot name a diary entry: its day, month and year must not hold \"/\", "
        "\"\\\", \"..\" or control characters. The diary has not been changed.");
}

bool isDiaryFileName(const QString& name) {
    if (!name.endsWith(QLatin1String("rtf")) && !name.endsWith(QLatin1String("RTF"))) return false;
    const QStringList pieces = name.split(QLatin1Char('-'));
    return pieces.size() >= 3 && !pieces[0].isEmpty() && !pieces[1].isEmpty() &&
           !pieces[2].isEmpty();
}

QString listingLine(qint64 n, const QString& fileName, const QString& previewText) {
    return texts::signBlank(n) + QLatin1String(") ") + fileName + QLatin1String("    ") +
           previewText.left(kPreviewLength) + QLatin1String("....\r\n");
}

bool searchMatches(const QString& text, const QString& answer) {
    if (answer.isEmpty()) return false;
    const qsizetype at = indexIgnoringCase(text, answer);
    if (at < 0) return false;
    return text.mid(at, answer.size()).trimmed() == answer.trimmed();
}

QString noEntriesMessage() { return QStringLiteral("No entries have been made"); }

QString notFoundMessage(const QString& answer) {
    return answer + QLatin1String(" was not found in any file");
}

}  // namespace diaryfiles
