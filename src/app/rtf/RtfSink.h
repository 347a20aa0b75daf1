#pragma once

#include <QString>

#include "rtf/RtfStyle.h"

namespace rtf {

// Receives a document's content from the reader, in order: runs of text and
// paragraph ends. Text never holds a paragraph break, a carriage return, a
// line feed or another control character except the tab; a line break inside
// a paragraph arrives as U+2028.
class RtfSink {
public:
    virtual ~RtfSink() = default;
    // A run of text in one style. Never empty.
    virtual void text(const QString& text, const RunStyle& style) = 0;
    // The current paragraph ends here (it may be empty).
    virtual void paragraphEnd(const ParagraphStyle& paragraph) = 0;
    // The input ended inside a paragraph that holds text: it is the last one.
    virtual void lastParagraph(const ParagraphStyle& paragraph) = 0;
};

}  // namespace rtf
