#pragma once

#include <QString>

#include "rtf/RtfStyle.h"

namespace rtf {

// Where the paragraphs of a document, or of one table cell, go: a text
// document, or plain text. Both follow the same rule, so that they agree on
// every break: a paragraph end leaves the next paragraph pending, and only
// content (or another paragraph end) makes it.
class ParagraphTarget {
public:
    virtual ~ParagraphTarget() = default;
    virtual void text(const QString& text, const RunStyle& style) = 0;
    virtual void picture(const Picture& picture, const RunStyle& style) = 0;
    virtual void paragraphEnd(const ParagraphStyle& paragraph) = 0;
    // The content ends inside this paragraph; no paragraph follows it.
    virtual void lastParagraph(const ParagraphStyle& paragraph) = 0;
    // What comes next starts a paragraph of its own (the content of a cell
    // merged into the one before).
    virtual void newParagraph() = 0;
};

}  // namespace rtf
