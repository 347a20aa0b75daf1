#include "diary/DiaryLister.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "diary/DiaryFiles.h"
#include "platform/IProgress.h"
#include "rtf/Rtf.h"

namespace {
// The names of the folder's diary files, in the order the folder gives them.
// Only regular files count: a folder, a pipe or a device that happens to be
// named like an entry is passed over (reading a pipe would never end).
QStringList diaryFiles(const QString& folder, bool* readable) {
    QStringList names;
    const QFileInfo info(folder);
    *readable = info.isDir() && info.isReadable();
    if (!*readable) return names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (diaryfiles::isDiaryFileName(name)) names << name;
    }
    return names;
}

// The whole file; what could be read of it when reading stops early, and
// nothing when it cannot be opened or is no regular file. Read with the plain
// system calls: thousands of small files are read per command, and this is
// about twice as fast as going through QFile. Opening without blocking keeps
// a pipe put in a file's place from hanging the listing.
QByteArray readBytes(const QString& path) {
    QByteArray bytes;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.resize(qsizetype(info.st_size));
        qsizetype got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += n;
        }
        bytes.truncate(got);
    }
    ::close(fd);
    return bytes;
}
}  // namespace

QString diaryEntryText(const QByteArray& bytes, qsizetype maxChars) {
    // A listing needs only the first characters. The text of the file's
    // first bytes begins as the whole file's does, so they are read alone
    // first; only when they hold too little text (a long header, a picture)
    // is the whole file read. The margin keeps whatever the reader makes of
    // the cut end of those bytes well clear of the characters used.
    constexpr qsizetype kPrefixBytes = 1024;
    constexpr qsizetype kMargin = 64;
    QString text;
    if (maxChars >= 0 && bytes.size() > kPrefixBytes && rtf::isRtf(bytes)) {
        // Cut before a plain ASCII byte, so that no character is cut in two.
        qsizetype cut = kPrefixBytes;
        while (cut > 0 && uchar(bytes[cut]) >= 0x80) --cut;
        text = rtf::plainText(bytes.first(cut));
        if (text.size() < maxChars + kMargin) text.clear();
    }
    if (text.isNull()) text = rtf::plainText(bytes);
    if (maxChars >= 0) text.truncate(maxChars);
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\n' && u != u'\t') || u == 0x7f) c = QChar(0xFFFD);
    }
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

DiaryLister::DiaryLister(DiaryTextReader reader, IProgress* progress)
    : m_reader(std::move(reader)), m_progress(progress) {}

DiaryListing DiaryLister::listAll(const QString& folder) const {
    return scan(folder, QStringLiteral("Listing the diary entries..."), diaryfiles::kPreviewLength,
                [](const QString&) { return true; });
}

DiaryListing DiaryLister::search(const QString& folder, const QString& answer) const {
    return scan(folder, QStringLiteral("Searching the diary entries..."), -1,
                [&answer](const QString& text) { return diaryfiles::searchMatches(text, answer); });
}

DiaryListing DiaryLister::scan(const QString& folder, const QString& label, qsizetype maxChars,
                               const std::function<bool(const QString& text)>& take) const {
    DiaryListing result;
    const QStringList names = diaryFiles(folder, &result.folderRead);
    if (!result.folderRead) return result;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (m_progress) m_progress->start(label, int(names.size()));
    int done = 0;
    for (const QString& name : names) {
        QString text = m_reader(readBytes(prefix + name), maxChars);
        if (take(text)) {
            ++result.count;
            result.lines += diaryfiles::listingLine(result.count, name, text);
        }
        if (m_progress && ++done % kProgressStep == 0) m_progress->advance(done);
    }
    if (m_progress) m_progress->finish();
    return result;
}
