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

}  // namespace rtf
