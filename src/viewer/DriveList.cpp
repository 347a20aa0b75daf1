#include "viewer/DriveList.h"

#include <QDir>
#include <QStorageInfo>
#include <array>

namespace drivelist {

namespace {

bool isUnder(const QString& path, const QString& folder) {
    if (path == folder) return true;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(prefix);
}

bool isSystemMount(const QString& path) {
    // Removable media appear under /media, /mnt or /run/media; everything
    // else under these folders belongs to the system.
    if (isUnder(path, QStringLiteral("/run/media"))) return false;
    static constexpr std::array<const char*, 9> kSystem = {
        "/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var/lib", "/tmp", "/etc"};
    for (const char* folder : kSystem)
        if (isUnder(path, QLatin1String(folder))) return true;
    return false;
}

QString clean(const QString& path) {
    return QDir::cleanPath(path);
}

}  // namespace

QStringList arrange(const QString& home, const QStringList& mountPoints) {
    QStringList drives{QStringLiteral("/")};
    const auto add = [&drives](const QString& path) {
        if (!path.isEmpty() && !drives.contains(path)) drives << path;
    };
    if (!home.isEmpty()) add(clean(home));
    for (const QString& mount : mountPoints) {
        const QString path = clean(mount);
        if (!path.startsWith(QLatin1Char('/')) || isSystemMount(path)) continue;
        add(path);
    }
    return drives;
}

QStringList ofThisDesktop() {
    QStringList mounts;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) mounts << volume.rootPath();
    return arrange(QDir::homePath(), mounts);
}

int driveOf(const QStringList& drives, const QString& path) {
    const QString target = clean(path);
    int best = -1;
    for (int i = 0; i < drives.size(); ++i) {
        if (!isUnder(target, drives[i])) continue;
        if (best < 0 || drives[i].size() > drives[best].size()) best = i;
    }
    return best;
}

}  // namespace drivelist
