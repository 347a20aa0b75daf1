#include "rtf/Rtf.h"

#include <QTextDocument>

#include "rtf/DocumentSink.h"
#include "rtf/PlainTextSink.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

namespace rtf {

bool isRtf(const QByteArray& data) { return RtfReader::isRtf(data); }

ReadReport read(const QByteArray& data, QTextDocument* document) {
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);  // a load is not undoable; this also saves memory
    ReadReport report;
    {
        DocumentSink sink(document);
        RtfReader reader(sink);
        reader.read(data);
        report = reader.report();
    }
    document->setUndoRedoEnabled(undo);
    return report;
}

QString plainText(QByteArrayView data, qsizetype maxChars, const TextIsEnough& enough) {
    PlainTextSink sink(maxChars, enough);
    RtfReader reader(sink);
    reader.read(data);
    QString& text = sink.result();
    if (maxChars >= 0) text.truncate(maxChars);
    return std::move(text);
}

QByteArray write(const QTextDocument& document) { return RtfWriter(document).write(); }

}  // namespace rtf
