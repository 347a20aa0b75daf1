#include "support/TestPictures.h"

#include <QFile>
#include <QImageWriter>
#include <cstdlib>

namespace testpictures {

namespace {

void put16(QByteArray& out, int value) {
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

// An 8-bit GIF whose LZW stream holds every pixel as its own 9-bit code,
// with a clear code often enough that the code width never grows.
QByteArray gifOf(const QImage& picture) {
    const QImage indexed = picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    QByteArray out("GIF89a");
    put16(out, indexed.width());
    put16(out, indexed.height());
    out.append(char(0xF7));  // global colour table of 256 entries
    out.append(char(0));
    out.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb rgb = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        out.append(char(qRed(rgb)));
        out.append(char(qGreen(rgb)));
        out.append(char(qBlue(rgb)));
    }
    out.append(',');
    put16(out, 0);
    put16(out, 0);
    put16(out, indexed.width());
    put16(out, indexed.height());
    out.append(char(0));
    out.append(char(8));  // LZW minimum code size

    QByteArray codes;
    quint32 buffer = 0;
    int bits = 0;
    const auto emitCode = [&](int code) {
        buffer |= quint32(code) << bits;
        bits += 9;
        while (bits >= 8) {
            codes.append(char(buffer & 0xff));
            buffer >>= 8;
            bits -= 8;
        }
    };
    constexpr int kClear = 256, kEnd = 257;
    int sinceClear = 0;
    emitCode(kClear);
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            if (sinceClear == 254) {
                emitCode(kClear);
                sinceClear = 0;
            }
            emitCode(line[x]);
            ++sinceClear;
        }
    }
    emitCode(kEnd);
    if (bits > 0) codes.append(char(buffer & 0xff));
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(';');
    return out;
}

}  // namespace

bool write(const QString& path, const QSize& size, const QColor& color, const char* format) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(color);
    picture.setPixelColor(0, 0, Qt::white);
    if (qstrcmp(format, "GIF") == 0) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(gifOf(picture)) > 0;
    }
    QImageWriter writer(path, format);
    writer.setQuality(95);
    return writer.write(picture);
}

bool truncate(const QString& path, qint64 bytes) {
    QFile file(path);
    return file.resize(bytes);
}

bool near(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace testpictures
