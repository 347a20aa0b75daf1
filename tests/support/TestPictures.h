#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Real picture files for tests: written by Qt's own writers (JPEG, BMP) or,
// for GIF, which Qt only reads, by a small writer of uncompressed GIF.
namespace testpictures {

// A picture of `size` in `color`, with a white dot in its top-left corner,
// written as `format` ("JPEG", "BMP" or "GIF") whatever the file is called.
bool write(const QString& path, const QSize& size, const QColor& color, const char* format);

// Cuts the file down to its first `bytes` bytes.
bool truncate(const QString& path, qint64 bytes);

// True when the colours differ by at most `tolerance` in every component
// (JPEG does not keep colours exactly).
bool near(const QColor& a, const QColor& b, int tolerance = 12);

}  // namespace testpictures
