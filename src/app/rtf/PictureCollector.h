#pragma once

#include <QByteArray>

#include "rtf/RtfControlWords.h"
#include "rtf/RtfStyle.h"

namespace rtf {

// Collects a picture as a \pict group gives it: the words that name its kind
// and its sizes, and its data as hexadecimal digits or binary bytes.
class PictureCollector {
public:
    void begin();
    // A word inside the group; others are ignored.
    void apply(Word word, bool hasParam, int param);
    // Text inside the group: hexadecimal digits, with white space between.
    void hexDigits(const char* bytes, qsizetype count);
    // Data given after \binN.
    void binary(const char* bytes, qsizetype count) { m_picture.data.append(bytes, count); }

    bool isEmpty() const { return m_picture.data.isEmpty(); }
    // The picture collected; the collector starts afresh.
    Picture take();

private:
    Picture m_picture;
    int m_nibble = -1;  // the first digit of a byte, waiting for the second
};

}  // namespace rtf
