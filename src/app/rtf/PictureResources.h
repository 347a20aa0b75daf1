#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTextImageFormat>

#include "rtf/RtfStyle.h"

class QTextDocument;

namespace rtf {

// Turns the pictures of an RTF file into images of a text document. Each
// image keeps the data it was read from, so that saving writes the picture
// back as it came, whatever its kind; a kind that cannot be shown here (a
// metafile, say) is shown as a placeholder of the picture's size. Decoding is
// bounded: huge pictures are decoded at the size they are shown at, identical
// pictures once, and beyond a budget of pictures and pixels the rest are
// placeholders too.
class PictureResources {
public:
    explicit PictureResources(QTextDocument* document) : m_document(document) {}

    // The image format that shows `picture`, its image added to the document.
    QTextImageFormat format(const Picture& picture);

    // The picture an image of a document was read from; false for an image
    // that came otherwise (its pixels are then all there is).
    static bool original(const QTextImageFormat& format, Picture* picture);
    // The picture to write for an image of `document`: the one it was read
    // from, or else its pixels as PNG. False when the image has none.
    static bool pictureOf(const QTextImageFormat& format, const QTextDocument& document, Picture* picture);

    // The size a picture is shown at, in the document's pixels.
    static QSizeF shownSize(const Picture& picture);

private:
    QImage decode(const Picture& picture, QSizeF shown);
    QString placeholder(const Picture& picture);

    QTextDocument* m_document;
    QHash<QByteArray, QString> m_names;         // picture data to the name of its image
    QHash<QString, QString> m_placeholders;     // kind to the name of its placeholder
    int m_decoded = 0;
    qint64 m_pixels = 0;
};

}  // namespace rtf
