#pragma once

#include <QRgb>
#include <QString>

namespace rtf {

// Horizontal alignment of a paragraph.
enum class Alignment { Left, Center, Right, Justify };

// The look of a run of text, with the font and colour tables already
// resolved. A run read from a plain-text file leaves everything unset so the
// box's own default font applies.
struct RunStyle {
    QString fontFamily;   // empty: the document's default font
    int halfPoints = 0;   // font size in half points; 0: the default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hasColor = false;  // false: the automatic (default) text colour
    QRgb color = 0;

    bool operator==(const RunStyle&) const = default;
};

// The layout of a paragraph. Distances are in twips, as RTF gives them.
struct ParagraphStyle {
    Alignment alignment = Alignment::Left;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;  // from the left indent; negative for a hanging first line

    bool operator==(const ParagraphStyle&) const = default;
};

}  // namespace rtf
