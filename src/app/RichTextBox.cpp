#include "RichTextBox.h"

#include <QFile>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/IPrinter.h"
#include "rtf/AtomicFile.h"
#include "rtf/Rtf.h"

namespace {

// Plain text from outside: any line end becomes a paragraph break.
QString normalizedLineEnds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString withCrLf(QString text) {
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

}  // namespace

RichTextBox::RichTextBox(QWidget* parent) : QWidget(parent), m_edit(new QTextEdit(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
    // Owners show their own pop-up menu on mouseDown(2).
    m_edit->setContextMenuPolicy(Qt::NoContextMenu);
    m_edit->viewport()->setContextMenuPolicy(Qt::NoContextMenu);
    m_edit->viewport()->installEventFilter(this);
    connect(m_edit, &QTextEdit::textChanged, this, &RichTextBox::onTextChanged);
}

QTextDocument* RichTextBox::document() const { return m_edit->document(); }

template <typename Change>
void RichTextBox::programChange(bool alwaysCounts, Change&& change) {
    ++m_quiet;
    m_changedQuietly = false;
    change();
    --m_quiet;
    if (m_quiet == 0 && (alwaysCounts || m_changedQuietly)) emit changed();
}

void RichTextBox::onTextChanged() {
    if (m_quiet > 0)
        m_changedQuietly = true;
    else
        emit changed();
}

int RichTextBox::length() const { return document()->characterCount() - 1; }

bool RichTextBox::loadFile(const QString& path, QString* error, rtf::ReadReport* report) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    setRichText(data, report);
    return true;
}

bool RichTextBox::saveFile(const QString& path, QString* error) const {
    return rtf::AtomicFile::write(path, richText(), error);
}

QByteArray RichTextBox::richText() const { return rtf::write(*document()); }

void RichTextBox::setRichText(const QByteArray& data, rtf::ReadReport* report) {
    programChange(true, [&] {
        const rtf::ReadReport read = rtf::read(data, document());
        if (report) *report = read;
        m_edit->moveCursor(QTextCursor::Start);
    });
}

QString RichTextBox::text() const { return withCrLf(document()->toPlainText()); }

void RichTextBox::setText(const QString& text) {
    programChange(true, [&] {
        QTextDocument* doc = document();
        const bool undo = doc->isUndoRedoEnabled();
        doc->setUndoRedoEnabled(false);
        doc->clear();
        QTextCursor cursor(doc);
        cursor.beginEditBlock();
        cursor.setBlockFormat(QTextBlockFormat());
        cursor.setBlockCharFormat(QTextCharFormat());
        cursor.insertText(normalizedLineEnds(text), QTextCharFormat());
        cursor.endEditBlock();
        doc->setUndoRedoEnabled(undo);
        m_edit->moveCursor(QTextCursor::Start);
        m_edit->setCurrentCharFormat(QTextCharFormat());
    });
}

int RichTextBox::selStart() const { return m_edit->textCursor().selectionStart(); }

void RichTextBox::setSelStart(int start) {
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(std::clamp(start, 0, length()));
    m_edit->setTextCursor(cursor);
}

int RichTextBox::selLength() const {
    const QTextCursor cursor = m_edit->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichTextBox::setSelLength(int selectionLength) {
    QTextCursor cursor = m_edit->textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(std::clamp(start + std::max(selectionLength, 0), start, length()),
                       QTextCursor::KeepAnchor);
    m_edit->setTextCursor(cursor);
}

QString RichTextBox::selText() const {
    QString text = m_edit->textCursor().selectedText();
    for (QChar& c : text) {
        if (c.unicode() == 0x00A0) c = QLatin1Char(' ');
    }
    // Paragraph and line breaks (and the marks of table cells) read as CR LF.
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    text.replace(QChar(0xFDD0), QStringLiteral("\r\n"));
    text.replace(QChar(0xFDD1), QStringLiteral("\r\n"));
    return text;
}

void RichTextBox::setSelText(const QString& text) {
    programChange(false, [&] {
        QTextCursor cursor = m_edit->textCursor();
        cursor.insertText(normalizedLineEnds(text));
        m_edit->setTextCursor(cursor);
    });
}

void RichTextBox::setSelFontName(const QString& family) {
    QTextCharFormat format;
    format.setFontFamilies(QStringList{family});
    programChange(false, [&] { m_edit->mergeCurrentCharFormat(format); });
}

void RichTextBox::setSelFontSize(double points) {
    if (points <= 0) return;
    QTextCharFormat format;
    format.setFontPointSize(points);
    programChange(false, [&] { m_edit->mergeCurrentCharFormat(format); });
}

void RichTextBox::setSelBold(bool on) {
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    programChange(false, [&] { m_edit->mergeCurrentCharFormat(format); });
}

void RichTextBox::setSelItalic(bool on) {
    QTextCharFormat format;
    format.setFontItalic(on);
    programChange(false, [&] { m_edit->mergeCurrentCharFormat(format); });
}

void RichTextBox::setSelUnderline(bool on) {
    QTextCharFormat format;
    format.setFontUnderline(on);
    programChange(false, [&] { m_edit->mergeCurrentCharFormat(format); });
}

void RichTextBox::setSelColor(const QColor& color) {
    QTextCharFormat format;
    format.setForeground(color);
    programChange(false, [&] { m_edit->mergeCurrentCharFormat(format); });
}

void RichTextBox::setSelAlignment(Qt::Alignment alignment) {
    programChange(false, [&] { m_edit->setAlignment(alignment & Qt::AlignHorizontal_Mask); });
}

bool RichTextBox::find(const QString& text, int from) {
    QTextCursor found;
    if (!text.isEmpty()) {
        found = document()->find(text, from);
        // Past the last match the search goes on from the top.
        if (found.isNull() && from > 0) found = document()->find(text, 0);
    }
    if (found.isNull()) {
        QTextCursor cursor = m_edit->textCursor();
        cursor.clearSelection();
        m_edit->setTextCursor(cursor);
        return false;
    }
    m_edit->setTextCursor(found);
    return true;
}

bool RichTextBox::print(IPrinter& printer, QString* error) const {
    const QTextCursor cursor = m_edit->textCursor();
    if (!cursor.hasSelection()) return printer.printDocument(*document(), error);
    QTextDocument selection;
    selection.setDefaultFont(document()->defaultFont());
    QTextCursor(&selection).insertFragment(cursor.selection());
    return printer.printDocument(selection, error);
}

bool RichTextBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        switch (static_cast<QMouseEvent*>(event)->button()) {
            case Qt::LeftButton: emit mouseDown(1); break;
            case Qt::RightButton: emit mouseDown(2); break;
            case Qt::MiddleButton: emit mouseDown(4); break;
            default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
