#include "diary/DiaryEntries.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>

#include "RichTextBox.h"
#include "diary/CalendarGrid.h"
#include "diary/DiaryEditor.h"
#include "diary/DiaryFiles.h"
#include "diary/DiaryLister.h"
#include "platform/IDialogs.h"
#include "scheduler/Form2.h"

DiaryEntries::DiaryEntries(Form2& window, DiaryEditor& editor, const Services& services,
                           IProgress* progress, QObject* parent)
    : QObject(parent),
      m_window(window),
      m_editor(editor),
      m_services(services),
      m_progress(progress) {}

DiaryEntries::~DiaryEntries() = default;

QString DiaryEntries::checkedPath() const {
    const DateTexts date = m_window.calendar().selectedDate();
    const QString refusal = diaryfiles::unsafeNameMessage(date.day, date.month, date.year);
    if (!refusal.isEmpty()) {
        m_services.dialogs->message(refusal);
        return QString();
    }
    return m_window.app().appFolder + diaryfiles::fileName(date.day, date.month, date.year);
}

void DiaryEntries::makeEntry() {
    m_window.Command3->show();
    // The date cannot be changed from the selectors while the editor is open.
    for (QComboBox* combo : {m_window.Combo1, m_window.Combo2, m_window.Combo3})
        combo->setEnabled(false);
    RichTextBox* box = m_window.RichTextBox1;
    box->show();
    m_window.Frame1->hide();
    box->setFocus();
    box->setText(QString());
    m_window.widen();
}

void DiaryEntries::displayEntry() {
    const QString path = checkedPath();
    if (path.isEmpty()) return;
    makeEntry();
    RichTextBox* box = m_window.RichTextBox1;
    box->setFocus();
    box->setText(QString());
    for (QComboBox* combo : {m_window.Combo1, m_window.Combo2, m_window.Combo3})
        combo->setEnabled(false);
    if (!QFileInfo::exists(path)) return;
    QString reason;
    if (!box->loadFile(path, &reason)) {
        m_services.dialogs->message(
            QStringLiteral("The diary entry %1 cannot be read.\n\n%2").arg(path, reason));
        return;
    }
    m_editor.emptyStatus();
}

bool DiaryEntries::write(const QString& path) {
    QString reason;
    if (m_window.RichTextBox1->saveFile(path, &reason)) return true;
    m_services.dialogs->message(
        QStringLiteral("The diary entry could not be saved.\n\n%1\n\nThe entry kept on disk, if "
                       "any, has not been changed, and the text is still in the editor.")
            .arg(reason));
    return false;
}

void DiaryEntries::quickSave() {
    const QString path = checkedPath();
    if (path.isEmpty()) return;
    if (write(path)) {
        m_editor.emptyStatus();
        m_editor.saved();
    }
    m_window.markDays();
}

void DiaryEntries::save() {
    const QString path = checkedPath();
    if (path.isEmpty()) return;
    if (QFileInfo::exists(path)) {
        if (m_services.dialogs->question(QStringLiteral("File already exists. Overwrite ? "))) {
            if (write(path)) {
                m_editor.emptyStatus();
                m_editor.saved();
            }
        } else {
            m_services.dialogs->message(QStringLiteral("File has not been saved"));
        }
    } else if (write(path)) {
        m_editor.saved();
        m_services.dialogs->message(QStringLiteral("File has been saved"));
        m_editor.emptyStatus();
    }
    m_window.markDays();
}

void DiaryEntries::remove() {
    const QString path = checkedPath();
    if (path.isEmpty()) return;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        if (m_services.dialogs->question(QStringLiteral(
                "You will lose the file and any unsaved information. Are you sure?"))) {
            QFile file(path);
            if (file.remove()) {
                m_window.menus.close->trigger();
            } else {
                m_services.dialogs->message(
                    QStringLiteral("The diary entry %1 could not be deleted: %2.")
                        .arg(path, file.errorString()));
            }
        } else {
            m_services.dialogs->message(QStringLiteral("The file has not been deleted"));
        }
    } else {
        m_services.dialogs->message(QStringLiteral("Sorry, could not find ") + path +
                                    QStringLiteral(". The File has not been deleted"));
    }
    m_editor.emptyStatus();
    m_window.markDays();
}

void DiaryEntries::listAll() {
    const QString folder = m_window.app().appFolder;
    const DiaryListing listing = DiaryLister(diaryEntryText, m_progress).listAll(folder);
    if (!listing.folderRead) {
        m_services.dialogs->message(
            QStringLiteral("The data folder %1 cannot be listed.").arg(folder));
    } else if (listing.count == 0) {
        m_services.dialogs->message(diaryfiles::noEntriesMessage());
    } else {
        m_services.dialogs->longMessage(listing.lines);
    }
}

void DiaryEntries::search() {
    const QString answer = m_services.dialogs->inputBox(
        QStringLiteral("Please enter the text to search within the diary entries : "),
        QStringLiteral("Search within the diary entries"));
    if (answer.trimmed().isEmpty()) return;
    const QString folder = m_window.app().appFolder;
    const DiaryListing listing = DiaryLister(diaryEntryText, m_progress).search(folder, answer);
    if (!listing.folderRead) {
        m_services.dialogs->message(
            QStringLiteral("The data folder %1 cannot be listed.").arg(folder));
    } else if (listing.count == 0) {
        m_services.dialogs->message(diaryfiles::notFoundMessage(answer));
    } else {
        m_services.dialogs->longMessage(listing.lines);
    }
}
