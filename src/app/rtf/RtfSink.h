#pragma once

#include "rtf/ParagraphTarget.h"

namespace rtf {

// Receives a document's content from the reader, in order: the paragraphs a
// paragraph target takes (text, pictures, paragraph ends), and the structure
// of tables. Text never holds a paragraph break, a carriage return, a line
// feed or another control character except the tab; a line break inside a
// paragraph arrives as U+2028.
//
// A table arrives as tableStart(), then its rows: the paragraphs of each cell
// (the last one ended by cellEnd() rather than paragraphEnd()), then
// rowEnd() with the row's definition; tableEnd() closes it. Tables do not
// nest.
class RtfSink : public ParagraphTarget {
public:
    virtual void tableStart() = 0;
    // The current paragraph ends, and with it the current cell.
    virtual void cellEnd(const ParagraphStyle& paragraph) = 0;
    // The cells ended since the last row end form a row with this definition.
    virtual void rowEnd(const RowDefinition& row) = 0;
    virtual void tableEnd() = 0;
    // True once the sink has all it wants (the first characters of a text
    // are enough for a preview); the reader then stops where it is.
    virtual bool hasEnough() const { return false; }
    // False for a sink that keeps only the text: the reader then hands it
    // every run with the default look instead of resolving each run's own.
    virtual bool keepsLooks() const { return true; }
};

}  // namespace rtf
