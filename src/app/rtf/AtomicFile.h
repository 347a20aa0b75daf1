#pragma once

#include <QByteArray>
#include <QString>

namespace rtf {

// Saving that never loses the old file: the data goes to a new file in the
// same folder, is flushed to the disk, and only then renamed over the old
// one. When any step fails the old file is left exactly as it was, the new
// one is removed, and the reason is reported. A path that names a symbolic
// link, a folder, a pipe or a device is refused: nothing is written through it.
class AtomicFile {
public:
    static bool write(const QString& path, const QByteArray& data, QString* error);

    // Why `path` must not be read or written as a file: it exists and is no
    // ordinary file (a symbolic link is not followed). Empty when it is one,
    // or does not exist.
    static QString notRegularMessage(const QString& path);

    // Removes the new files that saves in `folder` left when they were
    // interrupted (the program killed, the power cut) before renaming them.
    // Returns how many were removed.
    static int removeLeftovers(const QString& folder);
};

}  // namespace rtf
