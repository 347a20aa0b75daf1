#pragma once

#include <QFont>

// The font of the clock's digits. The design names it "timesnewroman"; where
// no font of that name is installed the name is mapped to metric-compatible
// serif faces, so the digits never fall back to a sans-serif face.
namespace clockfont {

inline constexpr const char* kFamily = "timesnewroman";

// Registers the serif faces that stand in for the design's name. Safe to
// call more than once; the clock window calls it when it is built.
void installSubstitutes();

// The digits' font at the given size in points.
QFont font(double points);

// The clock window's own font, in which the centred layout measures the time
// text: a narrow sans-serif face at 8 points. With it the layout's "half the
// box less twice the text's width and height" keeps the widest time text
// ("12:59:59 PM") inside the frame, with room above and below the digits.
inline constexpr const char* kWindowFamily = "Liberation Sans Narrow";
QFont windowFont();

}  // namespace clockfont
