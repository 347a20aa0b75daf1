#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

// Reading picture files (JPEG, BMP, GIF and whatever else the system's image
// readers know) straight to the size they are shown at, so that a picture
// of any size costs only the memory of what the screen shows.
namespace picturefile {

// The picture's own size in pixels, from its header; nullopt when the file
// is missing, empty or not a picture.
std::optional<QSize> naturalSize(const QString& path);

// The whole picture decoded to exactly `size`, proportions ignored (a
// stretched picture); nullopt when it cannot be read.
std::optional<QImage> readScaled(const QString& path, const QSize& size);

// Only `clip` (in pixels of the picture at natural size) decoded; nullopt
// when it cannot be read.
std::optional<QImage> readPart(const QString& path, const QRect& clip);

// A picture shown at natural size, centred in a window: its own size, and
// the part of it inside the window, decoded.
struct CentredPart {
    QSize natural;  // pixels
    QRect seen;     // pixels of the picture that lie inside the window
    QImage image;   // that part, decoded (null when nothing of it is seen)
};

// The part of a picture of `natural` pixels that is seen when it is centred
// in a window of `windowTwips`, at `twipsPerPixel`: the picture's box has its
// natural size and its top-left corner at ((window - box) / 2) in twips.
QRect seenPart(const QSize& natural, const QSizeF& windowTwips, double twipsPerPixel);

// Reads what of the picture in `path` is seen when it is centred in the
// window; nullopt when it cannot be read. Touches no window, so it may run on
// any thread.
std::optional<CentredPart> readCentred(const QString& path, const QSizeF& windowTwips,
                                       double twipsPerPixel);

// The picture's own size when it is a picture but too large to be read:
// decoding it would take more memory than the picture reader allows (a
// picture of some formats must be decoded whole even to show part of it, or
// to show it smaller). nullopt for any other picture or file.
std::optional<QSize> tooLarge(const QString& path);

// What is shown in place of a picture too large to be read: a picture of
// `size` saying so, with the picture's own size.
QImage tooLargeNotice(const QSize& size, const QSize& natural);

}  // namespace picturefile
