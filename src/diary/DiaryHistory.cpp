#include "diary/DiaryHistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>

#include "platform/IClock.h"
#include "rtf/AtomicFile.h"

namespace {

constexpr char kStampFormat[] = "yyyyMMdd-HHmmss-zzz";

QString kindSuffix(DiaryHistory::Kind kind) {
    switch (kind) {
        case DiaryHistory::Kind::Replaced: return QStringLiteral("replaced");
        case DiaryHistory::Kind::Deleted: return QStringLiteral("deleted");
        case DiaryHistory::Kind::Draft: return QStringLiteral("draft");
    }
    return QString();
}

// A version's entry stem and what its name says of it; false for any other file.
bool parseName(const QString& name, QString* stem, DiaryHistory::Version* version) {
    const qsizetype at = name.lastIndexOf(QLatin1Char('@'));
    if (at <= 0 || !name.endsWith(QLatin1String(".rtf"))) return false;
    const QStringList parts = name.mid(at + 1).split(QLatin1Char('.'));
    if (parts.size() != 3) return false;
    const QDateTime time = QDateTime::fromString(parts[0], QLatin1String(kStampFormat));
    if (!time.isValid()) return false;
    bool known = false;
    for (const auto kind : {DiaryHistory::Kind::Replaced, DiaryHistory::Kind::Deleted, DiaryHistory::Kind::Draft}) {
        if (parts[1] == kindSuffix(kind)) {
            version->kind = kind;
            known = true;
        }
    }
    if (!known) return false;
    *stem = name.left(at);
    version->time = time;
    return true;
}

// Every version in the folder, by the stem of its entry, newest first.
std::map<QString, std::vector<DiaryHistory::Version>> allVersions(const QString& folder,
                                                                  const QString& onlyStem = QString()) {
    std::map<QString, std::vector<DiaryHistory::Version>> byStem;
    const QDir dir(folder);
    const QString prefix = onlyStem + QLatin1Char('@');
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::NoSymLinks)) {
        if (!onlyStem.isEmpty() && !info.fileName().startsWith(prefix)) continue;
        QString stem;
        DiaryHistory::Version version;
        if (!parseName(info.fileName(), &stem, &version)) continue;
        if (!onlyStem.isEmpty() && stem != onlyStem) continue;
        version.path = info.absoluteFilePath();
        version.size = info.size();
        byStem[stem].push_back(version);
    }
    for (auto& [stem, versions] : byStem)
        std::sort(versions.begin(), versions.end(),
                  [](const auto& a, const auto& b) { return a.time > b.time; });
    return byStem;
}

}  // namespace

DiaryHistory::DiaryHistory(QString appFolder, const IClock* clock)
    : m_folder(QDir(appFolder).filePath(folderName())), m_clock(clock) {}

QDateTime DiaryHistory::now() const { return m_clock ? m_clock->now() : QDateTime::currentDateTime(); }

QString DiaryHistory::kindText(Kind kind) {
    switch (kind) {
        case Kind::Replaced: return QStringLiteral("replaced by a save");
        case Kind::Deleted: return QStringLiteral("deleted");
        case Kind::Draft: return QStringLiteral("unsaved text");
    }
    return QString();
}

QString DiaryHistory::stem(const QString& entryName) {
    QString s = entryName.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive) ? entryName.chopped(4) : entryName;
    for (QChar& c : s)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('@') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    while (s.startsWith(QLatin1Char('.'))) s.replace(0, 1, QLatin1Char('_'));
    return s.isEmpty() ? QStringLiteral("undated") : s;
}

void DiaryHistory::applyBounds(std::vector<Version>& newestFirst, const QDateTime& now) {
    const QDateTime oldest = now.addDays(-kKeptDays);
    std::vector<Version> kept;
    for (size_t i = 0; i < newestFirst.size(); ++i) {
        const Version& v = newestFirst[i];
        const bool within = i < size_t(kVersionsPerEntry) && (i == 0 || v.time >= oldest);
        if (within || !QFile::remove(v.path)) kept.push_back(v);
    }
    newestFirst.swap(kept);
}

bool DiaryHistory::keep(const QString& entryName, const QByteArray& data, Kind kind, QString* error) {
    const QString s = stem(entryName);
    std::vector<Version> existing = versions(entryName);
    if (!existing.empty()) {
        QByteArray newest;
        if (read(existing.front(), &newest, nullptr) && newest == data) return true;
    }
    if (!QDir().mkpath(m_folder)) {
        if (error) *error = QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(m_folder));
        return false;
    }
    // A moment no version of the entry has yet, so that their order is
    // clear: two versions kept within a millisecond get moments a
    // millisecond apart, the new one after the others.
    QDateTime moment = now();
    if (!existing.empty() && existing.front().time >= moment) moment = existing.front().time.addMSecs(1);
    QString path;
    for (int attempt = 0; attempt < 1000; ++attempt, moment = moment.addMSecs(1)) {
        path = QDir(m_folder).filePath(s + QLatin1Char('@') + moment.toString(QLatin1String(kStampFormat)) +
                                       QLatin1Char('.') + kindSuffix(kind) + QLatin1String(".rtf"));
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) break;
    }
    if (!rtf::AtomicFile::write(path, data, error)) return false;
    existing.insert(existing.begin(), Version{path, moment, kind, data.size()});
    applyBounds(existing, now());
    return true;
}

bool DiaryHistory::keepFile(const QString& entryName, const QString& path, Kind kind, QString* error,
                            const QByteArray& replacement) {
    const QFileInfo info(path);
    if (!info.exists() || !rtf::AtomicFile::notRegularMessage(path).isEmpty()) return true;
    QByteArray data;
    if (!read(Version{path, QDateTime(), kind, info.size()}, &data, error)) return false;
    if (!replacement.isNull() && data == replacement) return true;
    return keep(entryName, data, kind, error);
}

std::vector<DiaryHistory::Version> DiaryHistory::versions(const QString& entryName) const {
    const QString s = stem(entryName);
    auto byStem = allVersions(m_folder, s);
    return byStem.count(s) ? byStem[s] : std::vector<Version>();
}

bool DiaryHistory::read(const Version& version, QByteArray* data, QString* error) {
    const QString refusal = rtf::AtomicFile::notRegularMessage(version.path);
    QFile file(version.path);
    if (refusal.isEmpty() && file.open(QIODevice::ReadOnly)) {
        *data = file.readAll();
        if (file.error() == QFileDevice::NoError) return true;
    }
    if (error)
        *error = refusal.isEmpty() ? QStringLiteral("%1 cannot be read: %2")
                                         .arg(QDir::toNativeSeparators(version.path), file.errorString())
                                   : refusal;
    return false;
}

void DiaryHistory::tidy(const QString& appFolder, const QDateTime& now) {
    rtf::AtomicFile::removeLeftovers(appFolder);
    const QString folder = QDir(appFolder).filePath(folderName());
    if (!QFileInfo(folder).isDir()) return;
    rtf::AtomicFile::removeLeftovers(folder);
    for (auto& [stem, versions] : allVersions(folder)) applyBounds(versions, now);
}
