#include "scheduler/ListingRules.h"

namespace listing {

namespace {
QString trimmedBlanks(const QString& text) {
    // Spaces only, as the comparison is described: tabs and line breaks stay.
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] == QLatin1Char(' ')) ++from;
    while (to > from && text[to - 1] == QLatin1Char(' ')) --to;
    return text.mid(from, to - from);
}
}  // namespace

QString line(int n, const StoredRecord& record, const QString& excerpt) {
    const auto byValue = [&](int at) {
        const auto value = record.number(at);
        return value ? QString::number(*value) : QString();
    };
    return QString::number(n) + QStringLiteral(") ") + byValue(0) + QLatin1Char(' ') +
           record.text(1).trimmed() + QStringLiteral(", ") + byValue(2) + QStringLiteral("    ") +
           byValue(3) + QStringLiteral(" : ") + byValue(4) + QLatin1Char(' ') +
           record.text(5).trimmed() + QStringLiteral("    ") + excerpt + QStringLiteral("....") +
           QStringLiteral("\r\n");
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
