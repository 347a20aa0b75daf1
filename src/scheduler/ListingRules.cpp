#include "scheduler/ListingRules.h"

#include <charconv>

namespace listing {

namespace {
// Appends a number in decimal without making a string of it first.
void appendNumber(QString& out, qint64 n) {
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, n);
    out += QLatin1String(digits, written.ptr - digits);
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

QString line(int n, const StoredRecord& record, const QString& excerpt) {
    // Built in place: the list of every appointment makes one line for each.
    QString out;
    out.reserve(48 + excerpt.size());
    const auto byValue = [&](int at) {
        if (const auto value = record.number(at)) appendNumber(out, *value);
    };
    appendNumber(out, n);
    out += QLatin1String(") ");
    byValue(0);
    out += QLatin1Char(' ');
    out += record.text(1).trimmed();
    out += QLatin1String(", ");
    byValue(2);
    out += QLatin1String("    ");
    byValue(3);
    out += QLatin1String(" : ");
    byValue(4);
    out += QLatin1Char(' ');
    out += record.text(5).trimmed();
    out += QLatin1String("    ");
    out += excerpt;
    out += QLatin1String("....\r\n");
    return out;
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
