#include "diary/DiaryEntries.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include "RichTextBox.h"
#include "diary/CalendarGrid.h"
#include "diary/DiaryEditor.h"
#include "diary/DiaryFiles.h"
#include "diary/DiaryLister.h"
#include "rtf/AtomicFile.h"
#include "rtf/ReadReport.h"
#include "rtf/Rtf.h"
#include "platform/IDialogs.h"
#include "scheduler/Form2.h"

namespace {

QString sizeText(qint64 bytes) {
    if (bytes < 1024) return QStringLiteral("%1 bytes").arg(bytes);
    if (bytes < 1024 * 1024) return QStringLiteral("%1 KB").arg(bytes / 1024.0, 0, 'f', 1);
    return QStringLiteral("%1 MB").arg(bytes / 1048576.0, 0, 'f', 1);
}

// The first words of a version's text, on one line.
QString firstWords(const QByteArray& data) {
    constexpr qsizetype kWords = 40;
    QString text = rtf::plainText(data);
    text.remove(QChar(QChar::ObjectReplacementCharacter));  // pictures
    text = text.simplified();
    return text.size() > kWords ? text.left(kWords) + QStringLiteral("...") : text;
}

}  // namespace

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
    // The editor is emptied: what it holds unsaved goes to the history first.
    if (!m_editor.keepUnsavedDraft()) return;
    const DateTexts date = m_window.calendar().selectedDate();
    m_editor.setEntryName(diaryfiles::fileName(date.day, date.month, date.year));
    m_window.Command3->show();
    // The date cannot be changed from the selectors while the editor is open.
    for (QComboBox* combo : {m_window.Combo1, m_window.Combo2, m_window.Combo3})
        combo->setEnabled(false);
    RichTextBox* box = m_window.RichTextBox1;
    box->show();
    m_window.Label50->show();
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
    // A link named like an entry is not followed.
    QString reason = rtf::AtomicFile::notRegularMessage(path);
    rtf::ReadReport report;
    if (reason.isEmpty() && !QFileInfo::exists(path)) return;
    if (!reason.isEmpty() || !box->loadFile(path, &reason, &report)) {
        m_services.dialogs->message(
            QStringLiteral("The diary entry %1 cannot be read.\n\n%2").arg(path, reason),
            MessageKind::Failure);
        return;
    }
    m_editor.loaded(path, report);
}

bool DiaryEntries::keepEarlier(const QString& path, DiaryHistory::Kind kind, const QByteArray& replacement) {
    QString reason;
    const QString name = QFileInfo(path).fileName();
    if (m_editor.history().keepFile(name, path, kind, &reason, replacement)) return true;
    return m_services.dialogs->question(
        QStringLiteral("The diary entry %1 as it is now could not be kept in the diary's history:\n\n%2\n\n%3")
            .arg(name, reason,
                 kind == DiaryHistory::Kind::Deleted
                     ? QStringLiteral("Delete it anyway? It cannot be brought back then.")
                     : QStringLiteral("Save over it anyway? It cannot be brought back then.")));
}

bool DiaryEntries::write(const QString& path) {
    const QByteArray data = m_window.RichTextBox1->richText();
    QString reason = rtf::AtomicFile::notRegularMessage(path);
    if (reason.isEmpty()) {
        if (!keepEarlier(path, DiaryHistory::Kind::Replaced, data)) return false;
        if (rtf::AtomicFile::write(path, data, &reason)) {
            m_editor.setEntryName(QFileInfo(path).fileName());
            return true;
        }
    }
    m_services.dialogs->message(
        QStringLiteral("The diary entry could not be saved.\n\n%1\n\nThe entry kept on disk, if "
                       "any, has not been changed, and the text is still in the editor.")
            .arg(reason),
        MessageKind::Failure);
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
    // A link or a folder in the entry's place is refused by the save itself.
    if (QFileInfo::exists(path) && rtf::AtomicFile::notRegularMessage(path).isEmpty()) {
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
            if (!keepEarlier(path, DiaryHistory::Kind::Deleted)) {
                m_services.dialogs->message(QStringLiteral("The file has not been deleted"),
                                            MessageKind::Failure);
            } else if (file.remove()) {
                m_window.menus.close->trigger();
            } else {
                m_services.dialogs->message(
                    QStringLiteral("The diary entry %1 could not be deleted: %2.")
                        .arg(path, file.errorString()),
                    MessageKind::Failure);
            }
        } else {
            m_services.dialogs->message(QStringLiteral("The file has not been deleted"));
        }
    } else {
        m_services.dialogs->message(QStringLiteral("Sorry, could not find ") + path +
                                    QStringLiteral(". The File has not been deleted"),
                                    MessageKind::Failure);
    }
    m_editor.emptyStatus();
    m_window.markDays();
}

void DiaryEntries::listAll() {
    const QString folder = m_window.app().appFolder;
    const DiaryListing listing = DiaryLister(rtf::plainText, m_progress).listAll(folder);
    if (!listing.folderRead) {
        m_services.dialogs->message(
            QStringLiteral("The data folder %1 cannot be listed.").arg(folder),
            MessageKind::Failure);
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
    const DiaryListing listing = DiaryLister(rtf::plainText, m_progress).search(folder, answer);
    if (!listing.folderRead) {
        m_services.dialogs->message(
            QStringLiteral("The data folder %1 cannot be listed.").arg(folder),
            MessageKind::Failure);
    } else if (listing.count == 0) {
        m_services.dialogs->message(diaryfiles::notFoundMessage(answer));
    } else {
        m_services.dialogs->longMessage(listing.lines);
    }
}

void DiaryEntries::earlierVersions() {
    const QString path = checkedPath();
    if (path.isEmpty()) return;
    const QString name = QFileInfo(path).fileName();
    const std::vector<DiaryHistory::Version> versions = m_editor.history().versions(name);
    if (versions.empty()) {
        m_services.dialogs->message(QStringLiteral("There are no earlier versions of %1").arg(name));
        return;
    }
    const QLocale english(QLocale::English);
    QStringList lines;
    for (size_t i = 0; i < versions.size(); ++i) {
        const DiaryHistory::Version& v = versions[i];
        QByteArray data;
        DiaryHistory::read(v, &data, nullptr);  // a version that cannot be read shows no words
        lines << QStringLiteral("%1)  %2   %3, %4   %5")
                     .arg(i + 1)
                     .arg(english.toString(v.time, QStringLiteral("d MMMM yyyy h:mm:ss AP")),
                          DiaryHistory::kindText(v.kind), sizeText(v.size), firstWords(data));
    }
    const std::optional<int> choice = m_services.dialogs->chooseItem(
        QStringLiteral("Earlier versions of %1, newest first.\nThe one you pick is put into the editor; "
                       "save it to make it the entry again.")
            .arg(name),
        lines);
    if (!choice || *choice < 0 || size_t(*choice) >= versions.size()) return;
    QByteArray data;
    QString reason;
    if (!DiaryHistory::read(versions[size_t(*choice)], &data, &reason)) {
        m_services.dialogs->message(QStringLiteral("The earlier version cannot be read.\n\n%1").arg(reason),
                                    MessageKind::Failure);
        return;
    }
    if (!m_editor.keepUnsavedDraft()) return;
    m_editor.setEntryName(name);
    m_window.RichTextBox1->setRichText(data);
    m_editor.restoredFromHistory();
    m_window.RichTextBox1->setFocus();
}
