#include "viewer/PictureFile.h"

#include <QImageReader>

namespace picturefile {

namespace {

std::optional<QImage> finish(QImageReader& reader) {
    QImage image;
    if (!reader.read(&image) || image.isNull()) return std::nullopt;
    // Palette pictures (GIF, some BMP) are drawn far faster once expanded.
    if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
        image.format() == QImage::Format_MonoLSB)
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                              : QImage::Format_RGB32);
    return image;
}

}  // namespace

std::optional<QSize> naturalSize(const QString& path) {
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) return std::nullopt;
    return size;
}

std::optional<QImage> readScaled(const QString& path, const QSize& size) {
    if (size.isEmpty()) return std::nullopt;
    QImageReader reader(path);
    reader.setScaledSize(size);
    return finish(reader);
}

std::optional<QImage> readPart(const QString& path, const QRect& clip) {
    if (clip.isEmpty()) return std::nullopt;
    QImageReader reader(path);
    reader.setClipRect(clip);
    return finish(reader);
}

}  // namespace picturefile
