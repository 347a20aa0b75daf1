#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "rtf/Rtf.h"

class IProgress;

// Turns the bytes of a diary file into its plain text, as the rich-text
// reader makes it (rtf::plainText() is the program's), as far as the file
// can be read (a damaged or foreign file gives what could be made of it,
// never an error). With `maxChars` at zero or above, only the start of the
// text is needed and the reader may stop there. It may also stop once
// `enough` (when given) says the start of the text read so far is all that
// is needed.
using DiaryTextReader = std::function<QString(const QByteArray& bytes, qsizetype maxChars,
                                              const rtf::TextIsEnough& enough)>;

// A text as a listing shows it: line breaks as CR LF, and control characters
// that cannot be shown in a listing (a NUL in a binary file) as U+FFFD.
QString shownText(QString text);

// What the listing or the search of all entries found.
struct DiaryListing {
    bool folderRead = true;  // false when the data folder could not be listed
    qint64 count = 0;        // lines in `lines`
    QString lines;           // the listing lines, in the folder's own order
};

// The listing and the search of all diary entries: every file of the data
// folder that passes the diary file test is read once, in the order the
// folder listing gives, and a listing line is made for each entry listed.
// There is no index: the files themselves are the diary.
class DiaryLister {
public:
    explicit DiaryLister(DiaryTextReader reader, IProgress* progress = nullptr);

    // Every entry, with the first characters of its text.
    DiaryListing listAll(const QString& folder) const;
    // The entries whose text holds `answer` by the search rule.
    DiaryListing search(const QString& folder, const QString& answer) const;

    // How many files are read between two progress reports.
    static constexpr int kProgressStep = 64;

private:
    // Runs `take` on the text of each entry; it returns whether to list it.
    // `enoughFor`, when given, makes for each entry the test that lets the
    // reader stop early.
    DiaryListing scan(const QString& folder, const QString& label, qsizetype maxChars,
                      const std::function<bool(const QString& text)>& take,
                      const std::function<rtf::TextIsEnough()>& enoughFor = {}) const;

    DiaryTextReader m_reader;
    IProgress* m_progress;
};
