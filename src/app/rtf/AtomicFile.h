#pragma once

#include <QByteArray>
#include <QString>

namespace rtf {

// Saving that never loses the old file: the data goes to a new file in the
// same folder, is flushed to the disk, and only then renamed over the old
// one. When any step fails the old file is left exactly as it was, the new
// one is removed, and the reason is reported.
class AtomicFile {
public:
    static bool write(const QString& path, const QByteArray& data, QString* error);
};

}  // namespace rtf
