#include "DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Database.h"

namespace datafolder {

QString appFolder() { return QDir::currentPath() + QLatin1Char('/'); }

QStringList checkedSoundFiles() {
    QStringList files;
    for (int n = 1; n <= 12; ++n) files << QStringLiteral("intro%1.mp3").arg(n);
    files << QStringLiteral("alarm.mp3") << QStringLiteral("bell.mp3");
    return files;
}

QString missingFilesList(const QString& appFolder) {
    QString list;
    for (const QString& name : checkedSoundFiles()) {
        const QString path = appFolder + name;
        if (!QFileInfo::exists(path)) list += QStringLiteral("\r\n") + path + QStringLiteral("\r\n");
    }
    return list;
}

bool prepare(const QString& folder, const QString& shippedData, QStringList* created,
             QString* error) {
    QDir dir(folder);
    if (!dir.exists() && !QDir().mkpath(folder)) {
        if (error) *error = QStringLiteral("cannot create the folder %1").arg(folder);
        return false;
    }
    const QString database = dir.filePath(QStringLiteral("scheduler.mdb"));
    if (!QFileInfo::exists(database)) {
        if (!Database::createFresh(database, error)) return false;
        if (created) *created << database;
    }
    if (shippedData.isEmpty()) return true;
    const QDir source(shippedData);
    // The sounds and the help pages; the shipped folder also holds the
    // schema and build files, which a data folder does not need.
    const QFileInfoList files = source.entryInfoList(
        {QStringLiteral("*.mp3"), QStringLiteral("*.wav"), QStringLiteral("*.rtf")}, QDir::Files);
    for (const QFileInfo& file : files) {
        const QString target = dir.filePath(file.fileName());
        if (QFileInfo::exists(target)) continue;
        if (!QFile::copy(file.absoluteFilePath(), target)) {
            if (error) *error = QStringLiteral("cannot copy %1 to %2").arg(file.absoluteFilePath(), target);
            return false;
        }
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        if (created) *created << target;
    }
    return true;
}

}  // namespace datafolder
