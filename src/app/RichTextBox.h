#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class IPrinter;
class QTextDocument;
class QTextEdit;
namespace rtf {
class ReadReport;
}

// The rich-text box every window uses: help pages, appointment texts,
// listings, the diary editor and hidden scratch boxes. A QTextEdit inside,
// with the operations callers ask of such a box. Character positions count a
// paragraph break as one character; the plain text uses CR LF for it.
//
// changed() follows every change of content, typed or made by the program
// (one per operation, also for a load or setText that leaves the text as it
// was); mouseDown() follows a press of a mouse button on the text, with the
// button as 1 (left), 2 (right) or 4 (middle).
class RichTextBox : public QWidget {
    Q_OBJECT

public:
    explicit RichTextBox(QWidget* parent = nullptr);

    QTextEdit* editor() const { return m_edit; }
    QTextDocument* document() const;

    // Shows the file: RTF as rich text, anything else as plain text. On
    // failure the box keeps what it held. What the file holds that the box
    // cannot keep goes into `report`.
    bool loadFile(const QString& path, QString* error = nullptr, rtf::ReadReport* report = nullptr);
    // Writes the content as RTF, creating or replacing the file. A failed
    // save leaves an old file as it was.
    bool saveFile(const QString& path, QString* error = nullptr) const;
    // The content as RTF, and replacing it with RTF (or plain text).
    QByteArray richText() const;
    void setRichText(const QByteArray& data, rtf::ReadReport* report = nullptr);

    // The content without formatting, line breaks as CR LF.
    QString text() const;
    // Replaces the whole content with plain text; all formatting is dropped.
    void setText(const QString& text);

    int selStart() const;
    // Places the insertion point (no selection); at the text's length it is
    // at the end.
    void setSelStart(int start);
    int selLength() const;
    // Selects this many characters from the selection start.
    void setSelLength(int length);
    QString selText() const;
    // Replaces the selection (or inserts at the insertion point) and leaves
    // the insertion point after the new text.
    void setSelText(const QString& text);

    // Formatting of the selection, or of the insertion point when nothing is
    // selected.
    void setSelFontName(const QString& family);
    void setSelFontSize(double points);
    void setSelBold(bool on);
    void setSelItalic(bool on);
    void setSelUnderline(bool on);
    void setSelColor(const QColor& color);
    // Alignment of the paragraphs the selection touches: Qt::AlignLeft,
    // Qt::AlignHCenter or Qt::AlignRight.
    void setSelAlignment(Qt::Alignment alignment);

    // Selects the first match at or after position `from`, ignoring letter
    // case, going on from the top when there is none after it. With none at
    // all, nothing is selected and false is returned.
    bool find(const QString& text, int from = 0);

    // Prints the selection, or the whole content when nothing is selected.
    bool print(IPrinter& printer, QString* error = nullptr) const;

signals:
    void changed();
    void mouseDown(int button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a change made by the program so that exactly one changed()
    // follows it: always when `alwaysCounts`, else when the content changed.
    template <typename Change>
    void programChange(bool alwaysCounts, Change&& change);
    void onTextChanged();
    int length() const;

    QTextEdit* m_edit;
    int m_quiet = 0;
    bool m_changedQuietly = false;
};
