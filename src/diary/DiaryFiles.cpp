#include "diary/DiaryFiles.h"

#include <QStringList>

#include "Texts.h"
#include "diary/CaseBlindFinder.h"

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
    return CaseBlindFinder(answer).find(text, from);
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
