#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "AppContext.h"

// A temporary data folder with a fresh planner database, and the program-wide
// handles opened on it as start-up opens them.
class TestFolder {
public:
    TestFolder();
    bool ok() const { return m_ok; }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }
    // Writes an empty file (or `content`) with this name into the folder.
    void touch(const QString& name, const QByteArray& content = QByteArray()) const;
    // Creates the twelve intro files, alarm.mp3 and bell.mp3 (empty), so no
    // missing-files message appears.
    void touchSoundFiles() const;
    // Runs SQL straight on the database file through a second connection.
    bool exec(const QString& sql) const;
    // Runs a query straight on the database file through a second connection:
    // one text per row, its columns joined by "|" (null as "").
    QStringList query(const QString& sql) const;
    // Opens the program-wide handles on the folder's database.
    std::unique_ptr<AppContext> openContext() const;

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};
