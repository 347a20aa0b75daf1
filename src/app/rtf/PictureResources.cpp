#include "rtf/PictureResources.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>
#include <QtEndian>
#include <algorithm>

#include "Twips.h"
#include "rtf/ReadLimits.h"

namespace rtf {
namespace {

// Where an image keeps the picture it was read from.
constexpr int kKindProperty = QTextFormat::UserProperty + 1;
constexpr int kKindParameterProperty = QTextFormat::UserProperty + 2;
constexpr int kDataProperty = QTextFormat::UserProperty + 3;
constexpr int kPixelWidthProperty = QTextFormat::UserProperty + 4;
constexpr int kPixelHeightProperty = QTextFormat::UserProperty + 5;

// Pictures decoded whole, by formats that cannot decode at a smaller size,
// stay below this many pixels.
constexpr qint64 kMaxUnscaledPixels = 16LL << 20;
// Nothing is decoded larger than this, whatever size it is shown at.
constexpr int kMaxSide = 4096;
constexpr QSizeF kDefaultSize(96, 72);  // an inch by three quarters

QString kindName(PictureKind kind) {
    switch (kind) {
        case PictureKind::Png: return QStringLiteral("PNG");
        case PictureKind::Jpeg: return QStringLiteral("JPEG");
        case PictureKind::Dib: return QStringLiteral("bitmap");
        case PictureKind::Emf: return QStringLiteral("EMF");
        case PictureKind::Wmf: return QStringLiteral("WMF");
        case PictureKind::MacPict: return QStringLiteral("PICT");
        case PictureKind::Bitmap: return QStringLiteral("bitmap");
        case PictureKind::Os2Metafile: return QStringLiteral("metafile");
        case PictureKind::Unknown: break;
    }
    return QString();
}

// A device-independent bitmap as RTF carries it lacks the file header a
// bitmap file starts with; the header says where the pixels begin.
QByteArray bitmapFile(const QByteArray& dib) {
    if (dib.size() < 40) return QByteArray();
    const auto* d = reinterpret_cast<const uchar*>(dib.constData());
    const quint32 headerSize = qFromLittleEndian<quint32>(d);
    if (headerSize < 12 || headerSize > quint32(dib.size())) return QByteArray();
    quint32 palette = 0;
    if (headerSize >= 40) {
        const quint16 bits = qFromLittleEndian<quint16>(d + 14);
        const quint32 compression = qFromLittleEndian<quint32>(d + 16);
        const quint32 used = qFromLittleEndian<quint32>(d + 32);
        if (bits <= 8) palette = (used ? std::min<quint32>(used, 256) : (1u << bits)) * 4;
        if (compression == 3 && headerSize == 40) palette += 12;  // the colour masks
    }
    QByteArray file(14, '\0');
    uchar* h = reinterpret_cast<uchar*>(file.data());
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + dib.size()), h + 2);
    qToLittleEndian<quint32>(14 + headerSize + palette, h + 10);
    return file + dib;
}

}  // namespace

QSizeF PictureResources::shownSize(const Picture& picture) {
    const double perPixel = twips::perPixel();
    if (picture.shownWidth() > 0 && picture.shownHeight() > 0)
        return QSizeF(picture.shownWidth() / perPixel, picture.shownHeight() / perPixel);
    // Without a goal size a bitmap shows at its own size; a metafile's own
    // size is in units of its own, so it gets a plain default.
    const bool bitmap = picture.kind == PictureKind::Png || picture.kind == PictureKind::Jpeg ||
                        picture.kind == PictureKind::Dib || picture.kind == PictureKind::Unknown;
    if (bitmap && picture.pixelWidth > 0 && picture.pixelHeight > 0)
        return QSizeF(picture.pixelWidth * picture.scaleX / 100.0, picture.pixelHeight * picture.scaleY / 100.0);
    return kDefaultSize;
}

QImage PictureResources::decode(const Picture& picture, QSizeF shown) {
    QByteArray data;
    QByteArray format;
    switch (picture.kind) {
        case PictureKind::Png: format = "png"; data = picture.data; break;
        case PictureKind::Jpeg: format = "jpeg"; data = picture.data; break;
        case PictureKind::Dib: format = "bmp"; data = bitmapFile(picture.data); break;
        case PictureKind::Unknown: data = picture.data; break;  // whatever it turns out to be
        default: return QImage();  // metafiles: nothing here draws them
    }
    if (data.isEmpty() || m_decoded >= limits::kPicturesShown) return QImage();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    QSize size = reader.size();
    if (!size.isValid()) return QImage();
    // Decode no larger than the picture is shown, allowing for screens with
    // two device pixels to a pixel.
    const QSize target = (shown * 2).toSize().boundedTo(QSize(kMaxSide, kMaxSide)).expandedTo(QSize(1, 1));
    if (size.width() > target.width() || size.height() > target.height()) {
        if (!reader.supportsOption(QImageIOHandler::ScaledSize) &&
            qint64(size.width()) * size.height() > kMaxUnscaledPixels)
            return QImage();
        size.scale(target, Qt::KeepAspectRatio);
        reader.setScaledSize(size.expandedTo(QSize(1, 1)));
    }
    const qint64 pixels = qint64(size.width()) * size.height();
    if (m_pixels + pixels > limits::kPixelsShown) return QImage();
    QImage image = reader.read();
    if (image.isNull()) return image;
    ++m_decoded;
    m_pixels += pixels;
    return image;
}

// A grey frame with the picture's kind, drawn once per kind and stretched
// to each picture's size.
QString PictureResources::placeholder(const Picture& picture) {
    const QString label = kindName(picture.kind);
    const auto known = m_placeholders.constFind(label);
    if (known != m_placeholders.constEnd()) return known.value();
    QImage image(160, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(235, 235, 235));
    {
        QPainter painter(&image);
        painter.setPen(QPen(QColor(150, 150, 150), 4));
        painter.drawRect(image.rect().adjusted(2, 2, -2, -2));
        painter.setPen(QColor(90, 90, 90));
        QFont font = painter.font();
        font.setPixelSize(28);
        painter.setFont(font);
        painter.drawText(image.rect(), Qt::AlignCenter, label.isEmpty() ? QStringLiteral("?") : label);
    }
    const QString name = QStringLiteral("rtf-placeholder:%1").arg(m_placeholders.size());
    m_document->addResource(QTextDocument::ImageResource, QUrl(name), image);
    m_placeholders.insert(label, name);
    return name;
}

QTextImageFormat PictureResources::format(const Picture& picture) {
    const QSizeF shown = shownSize(picture);
    QString name = m_names.value(picture.data);
    if (name.isEmpty()) {
        const QImage image = decode(picture, shown);
        if (image.isNull()) {
            name = placeholder(picture);
        } else {
            name = QStringLiteral("rtf-picture:%1").arg(m_names.size());
            m_document->addResource(QTextDocument::ImageResource, QUrl(name), image);
        }
        m_names.insert(picture.data, name);
    }
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(shown.width());
    format.setHeight(shown.height());
    format.setProperty(kKindProperty, int(picture.kind));
    format.setProperty(kKindParameterProperty, picture.kindParameter);
    format.setProperty(kDataProperty, picture.data);
    format.setProperty(kPixelWidthProperty, picture.pixelWidth);
    format.setProperty(kPixelHeightProperty, picture.pixelHeight);
    return format;
}

bool PictureResources::original(const QTextImageFormat& format, Picture* picture) {
    if (!format.hasProperty(kDataProperty)) return false;
    picture->kind = static_cast<PictureKind>(std::clamp(format.intProperty(kKindProperty), 0,
                                                        int(PictureKind::Os2Metafile)));
    picture->kindParameter = format.intProperty(kKindParameterProperty);
    picture->data = format.property(kDataProperty).toByteArray();
    picture->pixelWidth = format.intProperty(kPixelWidthProperty);
    picture->pixelHeight = format.intProperty(kPixelHeightProperty);
    return !picture->data.isEmpty();
}

bool PictureResources::pictureOf(const QTextImageFormat& format, const QTextDocument& document,
                                 Picture* picture) {
    if (original(format, picture)) return true;
    const QImage image =
        document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    if (image.isNull()) return false;
    QBuffer buffer(&picture->data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return false;
    picture->kind = PictureKind::Png;
    picture->pixelWidth = image.width();
    picture->pixelHeight = image.height();
    return true;
}

}  // namespace rtf
