#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

#include "rtf/ReadReport.h"

class QTextDocument;

// Rich Text Format for the program's text boxes: help pages, appointment
// texts, listings and diary entries.
namespace rtf {

// True when the bytes are RTF rather than plain text.
bool isRtf(const QByteArray& data);

// Replaces the content of `document` with the document in `data`. Data that
// is not RTF is shown as plain text. Never fails: what can be read is shown,
// and what the document cannot keep is in the report. The document reports a
// single change.
ReadReport read(const QByteArray& data, QTextDocument* document);

// Says whether the start of a text, as far as it is known, is all a caller
// needs of it. It is asked each time more of the text is known.
using TextIsEnough = std::function<bool(const QString& textSoFar)>;

// The plain text of `data`, equal to what read() followed by
// QTextDocument::toPlainText() gives, without building a document. With
// `maxChars` at zero or above, only its first `maxChars` characters (all of
// the text when it is shorter): reading stops as soon as they are known, so
// the rest of the file costs nothing. Reading also stops, giving the start
// of the text, once `enough` says that start is all the caller needs.
QString plainText(QByteArrayView data, qsizetype maxChars = -1, const TextIsEnough& enough = {});

// The document as RTF.
QByteArray write(const QTextDocument& document);

}  // namespace rtf
