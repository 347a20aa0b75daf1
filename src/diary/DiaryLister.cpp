#include "diary/DiaryLister.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "diary/CaseBlindFinder.h"
#include "diary/DiaryFiles.h"
#include "platform/IProgress.h"
#include "rtf/Rtf.h"

namespace {
// A descriptor closed when it goes out of scope.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// A diary file of the folder: its name as the folder stores it (to open it)
// and as text (to list it).
struct DiaryFile {
    QByteArray stored;
    QString name;
};

// Whether a folder entry is a regular file, following a symbolic link. Most
// file systems say so in the entry itself; only links and entries of unknown
// kind cost a look at the file.
bool isRegularFile(int folder, const dirent& entry) {
    if (entry.d_type == DT_REG) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat info {};
    return ::fstatat(folder, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

// The folder's diary files, in the order the folder gives them. Only regular
// files count: a folder, a pipe or a device that happens to be named like an
// entry is passed over (reading a pipe would never end).
std::vector<DiaryFile> diaryFiles(int folder) {
    std::vector<DiaryFile> files;
    DIR* dir = ::fdopendir(::dup(folder));  // a descriptor of its own: closedir() closes it
    if (!dir) return files;
    while (const dirent* entry = ::readdir(dir)) {
        QString name = QFile::decodeName(entry->d_name);
        if (diaryfiles::isDiaryFileName(name) && isRegularFile(folder, *entry))
            files.push_back({QByteArray(entry->d_name), std::move(name)});
    }
    ::closedir(dir);
    return files;
}

// The whole file into `bytes`, whose storage serves file after file; what
// could be read of it when reading stops early, and nothing when it cannot be
// opened or is no regular file. Thousands of small files are read per
// command and each system call costs more than reading a small file, so the
// plain system calls are used: the file is opened by its name in the folder
// already open (no walk down the path again), and a file shorter than the
// first read (nearly every entry) is read by that read alone, since a
// regular file gives less than is asked only at its end. Only a longer file
// is looked at, to be sure it is a regular file and to learn its length.
// Opening without blocking keeps a pipe put in a file's place from hanging
// the listing.
void readFile(int folder, const char* name, QByteArray& bytes) {
    constexpr qsizetype kFirstRead = 64 * 1024;
    const auto readSome = [](int fd, char* to, qsizetype count) {
        ssize_t n;
        do n = ::read(fd, to, size_t(count));
        while (n < 0 && errno == EINTR);
        return qsizetype(std::max<ssize_t>(n, 0));
    };
    bytes.resize(0);
    const Descriptor file{::openat(folder, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) return;
    bytes.resize(kFirstRead);
    qsizetype got = readSome(file.fd, bytes.data(), kFirstRead);
    if (got == kFirstRead) {
        struct stat info {};
        if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            got = 0;
        } else if (qsizetype(info.st_size) > got) {
            bytes.resize(qsizetype(info.st_size));
            for (qsizetype n = 1; got < bytes.size() && n > 0; got += n)
                n = readSome(file.fd, bytes.data() + got, bytes.size() - got);
        }
    }
    bytes.resize(got);
}

// Control characters a listing cannot show (they read as U+FFFD).
bool cannotShow(char16_t u) { return (u < 0x20 && u != u'\n' && u != u'\t') || u == 0x7f; }

// Whether the matches of `answer` in an entry's text are the same before and
// after its line feeds become CR LF and what cannot be shown becomes U+FFFD:
// so when it holds none of the characters those changes touch or make, and
// no half of a pair (a text read only in part may end between the halves).
bool matchesBeforeShowing(const QString& answer) {
    for (const QChar c : answer)
        if (c == u'\n' || cannotShow(c.unicode()) || c.unicode() == 0xFFFD || c.isSurrogate())
            return false;
    return true;
}
}  // namespace

QString shownText(QString text) {
    // One pass finds what has to change; most texts hold nothing but line
    // feeds to change.
    qsizetype breaks = 0;
    bool unshown = false;
    const char16_t* const chars = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        breaks += chars[i] == u'\n';
        unshown |= cannotShow(chars[i]);
    }
    if (unshown)
        for (QChar& c : text)
            if (cannotShow(c.unicode())) c = QChar(0xFFFD);
    if (breaks == 0) return text;
    QString shown;
    shown.reserve(text.size() + breaks);
    QStringView rest(text);
    for (qsizetype at; (at = rest.indexOf(u'\n')) >= 0; rest = rest.sliced(at + 1)) {
        shown += rest.first(at);
        shown += QLatin1String("\r\n");
    }
    shown += rest;
    return shown;
}

DiaryLister::DiaryLister(DiaryTextReader reader, IProgress* progress)
    : m_reader(std::move(reader)), m_progress(progress) {}

DiaryListing DiaryLister::listAll(const QString& folder) const {
    return scan(folder, QStringLiteral("Listing the diary entries..."), diaryfiles::kPreviewLength,
                [](const QString&) { return true; });
}

DiaryListing DiaryLister::search(const QString& folder, const QString& answer) const {
    const QString label = QStringLiteral("Searching the diary entries...");
    if (!matchesBeforeShowing(answer)) {
        return scan(folder, label, -1, [&answer](const QString& text) {
            return diaryfiles::searchMatches(shownText(text), answer);
        });
    }
    // The text is searched once, as the reader makes it: the first match
    // decides, and nothing after it can change the outcome, so once the text
    // read so far holds a match and the preview, the rest of the entry is
    // left unread. What the reader made after it last asked (or all of it,
    // for a reader that never asks) is searched when the text comes back.
    const CaseBlindFinder finder(answer);
    struct Searched {
        qsizetype from = 0;  // no match starts before this place
        QString match;       // the first match, once found
        bool found = false;
    } searched;
    // Looks for the first match in the text read so far, from where the
    // last look left off.
    const auto look = [&finder, &searched](const QString& text) {
        if (searched.found) return;
        const qsizetype at = finder.find(text, searched.from);
        searched.found = at >= 0;
        if (searched.found) searched.match = text.mid(at, finder.length());
        searched.from = std::max(searched.from, text.size() - finder.length() + 1);
    };
    const auto enoughFor = [&searched, &look]() -> rtf::TextIsEnough {
        searched = Searched();
        return [&searched, &look](const QString& text) {
            look(text);
            return searched.found && text.size() >= diaryfiles::kPreviewLength;
        };
    };
    const QString wanted = answer.trimmed();
    const auto take = [&](const QString& text) {
        look(text);
        return searched.found && searched.match.trimmed() == wanted;
    };
    return scan(folder, label, -1, take, enoughFor);
}

DiaryListing DiaryLister::scan(const QString& folder, const QString& label, qsizetype maxChars,
                               const std::function<bool(const QString& text)>& take,
                               const std::function<rtf::TextIsEnough()>& enoughFor) const {
    DiaryListing result;
    const Descriptor dir{
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    result.folderRead = dir.fd >= 0;
    if (!result.folderRead) return result;
    const std::vector<DiaryFile> files = diaryFiles(dir.fd);
    if (m_progress) m_progress->start(label, int(files.size()));
    int done = 0;
    QByteArray bytes;
    for (const DiaryFile& file : files) {
        readFile(dir.fd, file.stored.constData(), bytes);
        const QString text = m_reader(bytes, maxChars, enoughFor ? enoughFor() : rtf::TextIsEnough());
        if (take(text)) {
            ++result.count;
            const QString preview = shownText(text.first(std::min<qsizetype>(text.size(), diaryfiles::kPreviewLength)));
            result.lines += diaryfiles::listingLine(result.count, file.name, preview);
        }
        if (m_progress && ++done % kProgressStep == 0) m_progress->advance(done);
    }
    if (m_progress) m_progress->finish();
    return result;
}
