#pragma once

#include <QByteArrayView>

#include "rtf/RtfSink.h"

namespace rtf {

// Reads a file that is not RTF as text: a byte-order mark names its
// encoding, else valid UTF-8 is UTF-8 and anything else Windows-1252. Each
// line is a paragraph; the text keeps the box's default look.
class PlainTextReader {
public:
    static void read(QByteArrayView data, RtfSink& sink);
};

}  // namespace rtf
