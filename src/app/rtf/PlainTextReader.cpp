#include "rtf/PlainTextReader.h"

#include <QStringConverter>
#include <QStringDecoder>

#include "rtf/CodePageDecoder.h"

namespace rtf {

namespace {
constexpr char16_t kReplacement = 0xFFFD;
}  // namespace

void PlainTextReader::read(QByteArrayView data, RtfSink& sink) {
    QString text;
    const auto marked = QStringConverter::encodingForData(data);
    // Stateless: a sequence cut off at the end is an error, not held back.
    if (marked && *marked != QStringConverter::Utf8) {
        QStringDecoder decoder(*marked, QStringConverter::Flag::Stateless);
        text = decoder.decode(data);
    } else {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        text = utf8.decode(data);
        if (utf8.hasError()) {
            text.clear();
            CodePageDecoder::decode1252(data, text);
        }
    }

    const RunStyle plain;
    const ParagraphStyle paragraph;
    QString line;
    const QChar* p = text.constData();
    const QChar* end = p + text.size();
    while (p < end && !sink.hasEnough()) {
        const char16_t c = p->unicode();
        ++p;
        if (c == u'\r' || c == u'\n' || c == 0x2029) {
            if (c == u'\r' && p < end && p->unicode() == u'\n') ++p;
            if (!line.isEmpty()) sink.text(line, plain);
            sink.paragraphEnd(paragraph);
            line.resize(0);
        } else if (c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC) {
            line.append(QChar(kReplacement));
        } else if (QChar::isSurrogate(c)) {
            // A pair stays a pair; a half on its own is no character (an RTF
            // file that held it would read as U+FFFD too).
            if (QChar::isHighSurrogate(c) && p < end && p->isLowSurrogate()) {
                line.append(QChar(c));
                line.append(*p++);
            } else {
                line.append(QChar(kReplacement));
            }
        } else if (c >= 0x20 || c == u'\t') {
            line.append(QChar(c));
        }
    }
    if (!line.isEmpty()) {
        sink.text(line, plain);
        sink.lastParagraph(paragraph);
    }
}

}  // namespace rtf
