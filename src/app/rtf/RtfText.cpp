#include "rtf/RtfText.h"

#include <cmath>

#include "Twips.h"

namespace rtf::rtftext {

void appendNumber(QByteArray& out, qint64 n) { out.append(QByteArray::number(n)); }

void appendWord(QByteArray& out, const char* word, qint64 n) {
    out.append(word);
    appendNumber(out, n);
}

int toTwips(double pixels) { return int(std::lround(pixels * twips::perPixel())); }

void appendText(QByteArray& out, QStringView text) {
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out.append('\\');
            out.append(char(c));
        } else if (c >= 0x20 && c <= 0x7E) {
            out.append(char(c));
        } else if (c == u'\t') {
            out.append("\\tab ");
        } else if (c == 0x2028) {
            out.append("\\line ");
        } else if (c == 0x00A0) {
            out.append("\\~");
        } else if (c == 0x00AD) {
            out.append("\\-");
        } else if (c == 0x2011) {
            out.append("\\_");
        } else if (c < 0x20 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC) {
            // control characters, paragraph and frame marks and the places of
            // objects have no place inside a run
        } else {
            // \uN takes a signed 16-bit number; each half of a surrogate pair
            // is written on its own.
            appendWord(out, "\\u", c > 0x7FFF ? int(c) - 0x10000 : int(c));
            out.append('?');
        }
    }
}

}  // namespace rtf::rtftext
