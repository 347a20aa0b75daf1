#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "diary/DiaryHistory.h"
#include "platform/Services.h"

class DiaryEditor;
class Form2;
class IProgress;

// The diary's entries: one rich-text file per date in the data folder, named
// from the planner window's selected date. Opens the editor on a date,
// stores its content as that date's entry, deletes an entry, and lists and
// searches all entries. The path is built afresh from the selectors each time
// a command runs, so a day pressed while the editor is open is the one a
// later save writes to. No command loses a word: a failed save says so and
// leaves the editor and the old entry as they were, and an entry that a save
// replaces or Delete removes is first kept in the diary's history, from
// which "Earlier versions" brings it back.
class DiaryEntries : public QObject {
    Q_OBJECT
public:
    // The window's controls are reached through `window`; `editor` follows
    // the content. Long listings show their progress through `progress`
    // (none when null).
    DiaryEntries(Form2& window, DiaryEditor& editor, const Services& services,
                 IProgress* progress = nullptr, QObject* parent = nullptr);
    ~DiaryEntries() override;

    void setProgress(IProgress* progress) { m_progress = progress; }

    // The diary file of the selected date; empty, after saying why, when the
    // selector texts cannot name a file of the data folder.
    QString checkedPath() const;

    // The day menu's commands.
    void makeEntry();
    void displayEntry();
    void listAll();
    void search();
    // The editor menu's commands that store or delete the entry.
    void quickSave();
    void save();
    void remove();
    void earlierVersions();

private:
    // Saves the editor as the entry at `path`; on failure says so, and
    // nothing else changes.
    bool write(const QString& path);
    // Keeps the entry at `path` in the history before it is replaced
    // (`replacement` being what replaces it) or deleted. When it cannot be
    // kept the user decides whether to go on; false to stop.
    bool keepEarlier(const QString& path, DiaryHistory::Kind kind, const QByteArray& replacement = QByteArray());

    Form2& m_window;
    DiaryEditor& m_editor;
    Services m_services;
    IProgress* m_progress;
};
