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

// The name of a new file next to `target`: hidden, the target's name, eight
// hexadecimal digits, ".tmp".
QString temporaryName(const QFileInfo& target) {
    return QStringLiteral("%1/.%2.%3.tmp")
        .arg(target.absolutePath(), target.fileName())
        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

// Opens a new file next to `target` whose name no other file has.
int createTemporary(const QString& target, QByteArray* tempName) {
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *tempName = QFile::encodeName(temporaryName(info));
        const int fd = ::open(tempName->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

QString AtomicFile::notRegularMessage(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || S_ISREG(info.st_mode)) return QString();
    const char* what = S_ISLNK(info.st_mode)   ? "a symbolic link"
                       : S_ISDIR(info.st_mode) ? "a folder"
                       : S_ISFIFO(info.st_mode) ? "a pipe"
                                                : "no ordinary file";
    return QStringLiteral("%1 is %2, not an ordinary file. It is neither read nor written through.")
        .arg(QDir::toNativeSeparators(path), QLatin1String(what));
}

bool AtomicFile::write(const QString& path, const QByteArray& data, QString* error) {
    // A link or any other file that is not an ordinary one is never written
    // through: the save would land outside the folder, or never end.
    const QString refusal = notRegularMessage(path);
    if (!refusal.isEmpty()) {
        if (error) *error = QStringLiteral("Cannot save: ") + refusal;
        return false;
    }
    const QByteArray targetName = QFile::encodeName(path);

    struct stat old {};
    const bool exists = ::lstat(targetName.constData(), &old) == 0;

    QByteArray tempName;
    const int fd = createTemporary(path, &tempName);
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
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return true;
}

namespace {
// A save's temporary file: "." + the file's name + "." + eight hex digits + ".tmp".
// Checked by hand: a pattern would load and compile the expression engine
// at every start for this one test.
bool isLeftover(const QString& name) {
    constexpr qsizetype kTail = 1 + 8 + 4;  // ".", the digits, ".tmp"
    if (name.size() < 2 + kTail || !name.startsWith(QLatin1Char('.')) ||
        !name.endsWith(QLatin1String(".tmp")))
        return false;
    const qsizetype digits = name.size() - 4 - 8;
    if (name.at(digits - 1) != QLatin1Char('.')) return false;
    for (qsizetype i = digits; i < digits + 8; ++i) {
        const QChar c = name.at(i);
        if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && !(c >= QLatin1Char('a') && c <= QLatin1Char('f')))
            return false;
    }
    return !QStringView(name).mid(1, digits - 2).contains(QLatin1Char('\n'));
}
}  // namespace

int AtomicFile::removeLeftovers(const QString& folder) {
    int removed = 0;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!isLeftover(name)) continue;
        struct stat info {};
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        // Only the ordinary files a save made; a link of that name is left alone.
        if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && ::unlink(path.constData()) == 0)
            ++removed;
    }
    return removed;
}

}  // namespace rtf
