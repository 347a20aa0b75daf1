#include "viewer/PictureFile.h"

#include <QImageReader>
#include <QPainter>
#include <cmath>

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

QRect seenPart(const QSize& natural, const QSizeF& windowTwips, double twipsPerPixel) {
    const auto pixels = [twipsPerPixel](double twips) {
        return int(std::lround(twips / twipsPerPixel));
    };
    const double left = (windowTwips.width() - natural.width() * twipsPerPixel) / 2;
    const double top = (windowTwips.height() - natural.height() * twipsPerPixel) / 2;
    const QRect box(QPoint(pixels(left), pixels(top)), natural);
    const QRect window(0, 0, pixels(windowTwips.width()), pixels(windowTwips.height()));
    return box.intersected(window).translated(-box.topLeft()).intersected(QRect(QPoint(), natural));
}

std::optional<CentredPart> readCentred(const QString& path, const QSizeF& windowTwips,
                                       double twipsPerPixel) {
    const std::optional<QSize> natural = path.isEmpty() ? std::nullopt : naturalSize(path);
    if (!natural) return std::nullopt;
    CentredPart centred{*natural, seenPart(*natural, windowTwips, twipsPerPixel), QImage()};
    if (!centred.seen.isEmpty()) {
        std::optional<QImage> part = readPart(path, centred.seen);
        if (!part) return std::nullopt;
        centred.image = std::move(*part);
    }
    return centred;
}

std::optional<QSize> tooLarge(const QString& path) {
    const std::optional<QSize> natural = naturalSize(path);
    const int limitMb = QImageReader::allocationLimit();
    if (!natural || limitMb <= 0) return std::nullopt;
    const double bytes = double(natural->width()) * double(natural->height()) * 4;
    if (bytes <= double(limitMb) * 1024 * 1024) return std::nullopt;
    return natural;
}

QImage tooLargeNotice(const QSize& size, const QSize& natural) {
    QImage notice(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    notice.fill(Qt::black);
    QPainter painter(&notice);
    painter.setPen(Qt::white);
    painter.drawText(notice.rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("This picture is too large to be shown (%1 x %2 pixels).")
                         .arg(natural.width())
                         .arg(natural.height()));
    return notice;
}

}  // namespace picturefile
