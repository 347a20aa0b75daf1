#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

class IClock;

// The diary's earlier versions, so that no word is ever lost for good: an
// entry as it was before a save replaced it or Delete removed it, and
// unsaved text the editor let go, each kept as a file of its own in the
// folder "history" of the data folder. The diary's listing, search and
// calendar look at the data folder's own files only, so they never see it.
//
// A version's file is named after its entry, the moment it was kept and its
// kind: "8-December-2026@20261208-170658-123.replaced.rtf". The history is
// bounded: an entry keeps its newest 50 versions, and of those, versions
// older than 90 days go, except the entry's newest, which stays: after a
// Delete it may be all that is left of the entry.
class DiaryHistory {
public:
    enum class Kind { Replaced, Deleted, Draft };
    struct Version {
        QString path;
        QDateTime time;
        Kind kind = Kind::Replaced;
        qint64 size = 0;
    };

    static constexpr int kVersionsPerEntry = 50;
    static constexpr int kKeptDays = 90;

    static QString folderName() { return QStringLiteral("history"); }

    // `clock` gives the moment a version is kept (the computer's clock when null).
    DiaryHistory(QString appFolder, const IClock* clock);

    QString folder() const { return m_folder; }

    // Keeps `data` as a version of the entry `entryName` (such as
    // 8-December-2026.rtf). When it is the same as the entry's newest
    // version nothing new is written. False, with the reason, when it could
    // not be kept (a full or read-only disk).
    bool keep(const QString& entryName, const QByteArray& data, Kind kind, QString* error);
    // Keeps the entry's file at `path` before it is replaced or deleted;
    // nothing needs keeping when there is no such file, when it is no
    // ordinary file, or when it already holds `replacement`.
    bool keepFile(const QString& entryName, const QString& path, Kind kind, QString* error,
                  const QByteArray& replacement = QByteArray());

    // The entry's versions, newest first.
    std::vector<Version> versions(const QString& entryName) const;
    // What a version holds; false, with the reason, when it cannot be read.
    static bool read(const Version& version, QByteArray* data, QString* error);

    // Applies the bounds to the whole history and removes what interrupted
    // saves left behind, there and in the data folder. Run at start-up.
    static void tidy(const QString& appFolder, const QDateTime& now);

    // How a version's kind is told to the user.
    static QString kindText(Kind kind);

private:
    QDateTime now() const;
    // The entry's name as it starts its versions' names: without ".rtf",
    // and with nothing that could lead out of the folder.
    static QString stem(const QString& entryName);
    static void applyBounds(std::vector<Version>& newestFirst, const QDateTime& now);

    QString m_folder;
    const IClock* m_clock;
};
