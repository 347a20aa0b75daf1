#pragma once

#include <QString>
#include <QStringList>

// The "drives" of this desktop as the drive list offers them: the root of
// the file system, the user's home and the volumes mounted for the user.
namespace drivelist {

// The drive list from the user's home and the mount points the system
// reports: "/" first, then the home, then the other mount points in the
// order given, without duplicates and without the system's own mounts
// (kernel and runtime file systems, boot partitions, package images).
QStringList arrange(const QString& home, const QStringList& mountPoints);

// The drive list of the running desktop.
QStringList ofThisDesktop();

// The entry of `drives` that holds `path` (the longest one that is a parent
// of it or the path itself); -1 when none does.
int driveOf(const QStringList& drives, const QString& path);

}  // namespace drivelist
