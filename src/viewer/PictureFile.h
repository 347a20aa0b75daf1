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

}  // namespace picturefile
