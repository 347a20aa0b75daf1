#include "viewer/FileSystemService.h"

#include <QFile>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

QString describe(const std::error_code& error) {
    return QString::fromLocal8Bit(error.message().c_str());
}

}  // namespace

FileSystemService::Listing FileSystemService::filesOf(const QString& folder) const {
    Listing listing;
    std::error_code error;
    const fs::path root(QFile::encodeName(folder).toStdString());
    fs::directory_iterator it(root, error);
    if (error) {
        listing.error = describe(error);
        return listing;
    }
    QStringList names;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error) break;
        std::error_code typeError;
        // A link to a file counts as the file; a link that leads nowhere is
        // not a file.
        if (!it->is_regular_file(typeError)) continue;
        names << QFile::decodeName(QByteArray::fromStdString(it->path().filename().native()));
    }
    if (error) {
        listing.error = describe(error);
        return listing;
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (const QString& name : names) listing.files << prefix + name;
    listing.ok = true;
    return listing;
}
