#include "rtf/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rtf {
namespace {

bool fail(QString* error, const QString& path, int errorNumber) {
    if (error)
        *error = QStringLiteral("Cannot save %1: %2").arg(QDir::toNativeSeparators(path),
                                                          qt_error_string(errorNumber));
    return false;
}

bool writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Opens a new file next to `target` whose name no other file has.
int createTemporary(const QString& target, QByteArray* tempName) {
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = QStringLiteral("%1/.%2.%3.tmp")
                                 .arg(info.absolutePath(), info.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        *tempName = QFile::encodeName(name);
        const int fd = ::open(tempName->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

bool AtomicFile::write(const QString& path, const QByteArray& data, QString* error) {
    // Saving through a symbolic link replaces the file it points to.
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink() && !info.symLinkTarget().isEmpty()) target = info.symLinkTarget();
    const QByteArray targetName = QFile::encodeName(target);

    struct stat old {};
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return fail(error, path, EISDIR);

    QByteArray tempName;
    const int fd = createTemporary(target, &tempName);
    if (fd < 0) return fail(error, path, errno);

    auto abandon = [&](int errorNumber) {
        ::close(fd);
        ::unlink(tempName.constData());
        return fail(error, path, errorNumber);
    };
    if (!writeAll(fd, data.constData(), data.size())) return abandon(errno);
    if (::fsync(fd) != 0) return abandon(errno);
    // The replacement keeps the old file's permissions; failing to copy
    // them is no reason to refuse the save.
    if (exists) (void)::fchmod(fd, old.st_mode & 07777);
    if (::close(fd) != 0) {
        const int closeError = errno;
        ::unlink(tempName.constData());
        return fail(error, path, closeError);
    }
    if (::rename(tempName.constData(), targetName.constData()) != 0) {
        const int renameError = errno;
        ::unlink(tempName.constData());
        return fail(error, path, renameError);
    }
    // Make the rename itself durable. The data is already in place, so a
    // folder that cannot be synced does not make the save a failure.
    const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return true;
}

}  // namespace rtf
