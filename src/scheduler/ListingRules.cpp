#include "scheduler/ListingRules.h"

#include "Texts.h"

namespace listing {

namespace {
const QVariant& column(const QVariantList& record, int n) {
    static const QVariant missing;
    return n < record.size() ? record[n] : missing;
}
QString trimmedBlanks(const QString& text) {
    // Spaces only, as the comparison is described: tabs and line breaks stay.
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] == QLatin1Char(' ')) ++from;
    while (to > from && text[to - 1] == QLatin1Char(' ')) --to;
    return text.mid(from, to - from);
}
}  // namespace

QString line(int n, const QVariantList& record, const QString& excerpt) {
    return QString::number(n) + QStringLiteral(") ") + texts::byValue(column(record, 0)) +
           QLatin1Char(' ') + column(record, 1).toString().trimmed() + QStringLiteral(", ") +
           texts::byValue(column(record, 2)) + QStringLiteral("    ") +
           texts::byValue(column(record, 3)) + QStringLiteral(" : ") +
           texts::byValue(column(record, 4)) + QLatin1Char(' ') +
           column(record, 5).toString().trimmed() + QStringLiteral("    ") + excerpt +
           QStringLiteral("....") + QStringLiteral("\r\n");
}

bool found(const QString& text, const QString& search) {
    const qsizetype at = text.indexOf(search, 0, Qt::CaseInsensitive);
    const QString selected = at < 0 ? QString() : text.mid(at, search.size());
    return trimmedBlanks(selected) == trimmedBlanks(search);
}

QString nothingMade() {
    return QStringLiteral("No schedules have been made");
}
QString notFound(const QString& search) {
    return search + QStringLiteral(" was not found in any schedule");
}
QString searchPrompt() {
    return QStringLiteral("Please enter text to search withing all the schedules : ");
}
QString searchTitle() {
    return QStringLiteral("Search withing schedules");
}

}  // namespace listing
