#include "diary/DiaryEditor.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QTextDocument>
#include <QTextEdit>

#include "RichTextBox.h"
#include "platform/IDialogs.h"
#include "platform/IPrinter.h"
#include "rtf/ReadReport.h"

namespace {
// The clipboard holds plain text with the platform's own line ends.
QString withNewlines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}
}  // namespace

DiaryEditor::DiaryEditor(RichTextBox* editor, QLabel* status, const Services& services,
                         QString appFolder, QObject* parent)
    : QObject(parent),
      m_editor(editor),
      m_status(status),
      m_services(services),
      m_appFolder(std::move(appFolder)),
      m_history(m_appFolder, services.clock) {
    connect(m_editor, &RichTextBox::changed, this, &DiaryEditor::onChanged);
}

void DiaryEditor::onChanged() {
    m_status->clear();
    const QString text = m_editor->text();
    m_snapshots.record(text);
    m_diaryModified = true;
    m_unsaved = true;
    if (!text.isEmpty()) m_status->setText(modifiedText());
}

void DiaryEditor::saved() {
    m_diaryModified = false;
    m_unsaved = false;
}

void DiaryEditor::emptyStatus() {
    m_status->clear();
}

void DiaryEditor::loaded(const QString& path, const rtf::ReadReport& report) {
    emptyStatus();
    m_unsaved = false;
    if (report.isEmpty()) return;
    m_services.dialogs->message(
        QStringLiteral("Some of what %1 holds cannot be kept here:\n\n%2\n\nIt is not shown, and it will be "
                       "missing from what you save. The file itself has not been changed.")
            .arg(QDir::toNativeSeparators(path), report.summary()),
        MessageKind::Failure);
}

bool DiaryEditor::keepUnsavedDraft() {
    if (!m_unsaved || m_editor->document()->isEmpty()) return true;
    QString reason;
    if (m_history.keep(m_entryName, m_editor->richText(), DiaryHistory::Kind::Draft, &reason)) {
        m_unsaved = false;
        return true;
    }
    return m_services.dialogs->question(
        QStringLiteral("The unsaved text could not be kept in the diary's history:\n\n%1\n\nDiscard it anyway?")
            .arg(reason));
}

void DiaryEditor::focus() {
    m_editor->setFocus();
}

void DiaryEditor::undo() {
    // Puts back the text before the last change; a second Undo brings the
    // change back. Only plain text is remembered.
    m_editor->setText(m_snapshots.undoText(m_editor->text()));
}

void DiaryEditor::copy() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QString selected = m_editor->selText();
    clipboard->setText(withNewlines(selected.isEmpty() ? m_editor->text() : selected));
}

void DiaryEditor::paste() {
    // Positions count a paragraph break as one character, as the document's
    // own plain text does. A selection is replaced by the clipboard text.
    const QString plain = m_editor->document()->toPlainText();
    const int start = m_editor->selStart();
    const QString before = plain.left(start);
    const QString after = plain.mid(start + m_editor->selLength());
    QString pasted = QGuiApplication::clipboard()->text();
    pasted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    pasted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_editor->setText(before + pasted + after);
    m_editor->setSelStart(int(before.size() + pasted.size()));
    focus();
}

void DiaryEditor::clearAll() {
    if (!keepUnsavedDraft()) return;
    m_editor->setText(QString());
}

void DiaryEditor::changeFont() {
    const QTextEdit* edit = m_editor->editor();
    const std::optional<FontChoice> choice =
        m_services.dialogs->chooseFont(FontChoice{edit->currentFont(), edit->textColor()});
    // Cancel changes nothing.
    if (!choice) return;
    const QFont& font = choice->font;
    m_editor->setSelFontName(font.family());
    m_editor->setSelBold(font.bold());
    m_editor->setSelItalic(font.italic());
    m_editor->setSelUnderline(font.underline());
    if (font.pointSizeF() > 0) m_editor->setSelFontSize(font.pointSizeF());
    if (choice->color.isValid()) m_editor->setSelColor(choice->color);
    focus();
}

void DiaryEditor::justify(Qt::Alignment alignment) {
    m_editor->setSelAlignment(alignment);
    focus();
}

void DiaryEditor::find() {
    const QString answer = m_services.dialogs->inputBox(
        QStringLiteral("Please enter text to find : "), QStringLiteral("Find Text"));
    // An empty answer (Cancel included) searches for nothing; no match is silent.
    if (answer.isEmpty()) return;
    // Find again with the text the last Find selected goes on to the next
    // match; a new text is looked for from the top.
    const bool again = m_editor->selText().compare(answer, Qt::CaseInsensitive) == 0;
    m_editor->find(answer, again ? m_editor->selStart() + m_editor->selLength() : 0);
    focus();
}

void DiaryEditor::print() {
    QString reason;
    if (!m_services.printer)
        reason = QStringLiteral("No printer is available.");
    else if (m_editor->print(*m_services.printer, &reason))
        return;
    // The reason, when known, on a line of its own below the message.
    QString text = QStringLiteral("Sorry, I have encountered a printer error");
    if (!reason.isEmpty()) text += QLatin1Char('\n') + reason;
    m_services.dialogs->message(text, MessageKind::Failure);
}

void DiaryEditor::newText() {
    if (m_diaryModified) {
        if (!m_services.dialogs->question(
                QStringLiteral("You will lose unsaved data. Open new file ? ")) ||
            !keepUnsavedDraft()) {
            focus();
            return;
        }
        m_editor->setText(QString());
        m_status->clear();
    }
    m_editor->setText(QString());
    focus();
}

QString DiaryEditor::openFilter() {
    // Names are matched with their letter case on this system: both spellings.
    return QStringLiteral("Rich Text Format files (*.rtf *.RTF);;Text Files (*.txt *.TXT)");
}

void DiaryEditor::open() {
    if (m_diaryModified &&
        !m_services.dialogs->question(QStringLiteral("You will lose unsaved data. Open file ? ")))
        return;
    const std::optional<QString> path =
        m_services.dialogs->openFile(m_appFolder, openFilter(), QStringLiteral("Open file"));
    if (!path || !keepUnsavedDraft()) return;
    // A file that cannot be read leaves the editor with what it held.
    rtf::ReadReport report;
    if (!m_editor->loadFile(*path, nullptr, &report)) {
        m_services.dialogs->message(QStringLiteral("Error reading from file"),
                                    MessageKind::Failure);
        return;
    }
    loaded(*path, report);
    focus();
}
