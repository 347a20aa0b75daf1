#pragma once

#include <QObject>
#include <QString>
#include <Qt>

#include "diary/ChangeSnapshots.h"
#include "diary/DiaryHistory.h"
#include "platform/Services.h"

class QLabel;
class RichTextBox;
namespace rtf {
class ReadReport;
}

// The diary's text editor: the planner window's rich-text box for the entry
// of the selected date and its status label. It follows every change of the
// content (the "Modified" label, the modified flag and the two texts Undo
// alternates between) and carries out the editing commands of the editor's
// menu. Storing and deleting the entry itself are the diary entries' part;
// they tell the editor when a save succeeded and when a file was loaded.
// Text the editor is about to let go unsaved (New, Open, Clear all text, or
// the entries opening the editor afresh) is first kept in the diary's
// history, as a draft of the date it was written for.
class DiaryEditor : public QObject {
    Q_OBJECT
public:
    // What the status label shows while the content differs from the saved entry.
    static QString modifiedText() { return QStringLiteral("Modified"); }

    // `appFolder` is where the open dialog starts.
    DiaryEditor(RichTextBox* editor, QLabel* status, const Services& services, QString appFolder,
                QObject* parent = nullptr);

    RichTextBox* editor() const { return m_editor; }

    // True once the content has changed; only a successful save clears it.
    bool diaryModified() const { return m_diaryModified; }
    const ChangeSnapshots& snapshots() const { return m_snapshots; }
    // For tests that start near the end of the change counter's range.
    ChangeSnapshots& snapshots() { return m_snapshots; }

    // The content was stored as the selected date's entry.
    void saved();
    // A file has just been loaded: the load counted as a change, but what
    // the editor shows is what the file holds, so the label says nothing.
    void emptyStatus();
    // A file has just been loaded whole: as emptyStatus(), and the user is
    // told what it holds that the editor could not take in.
    void loaded(const QString& path, const rtf::ReadReport& report);

    // The diary's earlier versions, and the entry (its file name) the text
    // in the editor is written for.
    DiaryHistory& history() { return m_history; }
    void setEntryName(const QString& name) { m_entryName = name; }
    // Keeps text that was never saved in the history before it is replaced.
    // False when it could not be kept and the user chose to keep it in the
    // editor rather than lose it: the command must stop then.
    bool keepUnsavedDraft();
    // The editor now shows a version taken from the history: it differs
    // from the entry, but it is kept already.
    void restoredFromHistory() { m_unsaved = false; }

    // The editor's commands.
    void undo();
    void copy();
    void paste();
    void clearAll();
    void changeFont();
    // Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight.
    void justify(Qt::Alignment alignment);
    void find();
    void print();
    void newText();
    void open();

    // The file-dialog filter of "Open": rich-text files and text files.
    static QString openFilter();

private:
    // Runs on every change of the content, typed or made by the program.
    void onChanged();
    void focus();

    RichTextBox* m_editor;
    QLabel* m_status;
    Services m_services;
    QString m_appFolder;
    ChangeSnapshots m_snapshots;
    bool m_diaryModified = false;
    bool m_unsaved = false;  // changed since the last load or save
    DiaryHistory m_history;
    QString m_entryName;
};
