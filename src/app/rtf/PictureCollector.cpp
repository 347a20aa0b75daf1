#include "rtf/PictureCollector.h"

#include <algorithm>
#include <utility>

namespace rtf {
namespace {

constexpr int kMaxPictureSize = 65535;  // pixels a side, as the file gives them
constexpr int kMaxDistance = 31680;     // 22 inches, in twips

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

void PictureCollector::begin() {
    m_picture = Picture();
    m_nibble = -1;
}

void PictureCollector::apply(Word word, bool hasParam, int param) {
    Picture& p = m_picture;
    auto kind = [&](PictureKind k) {
        p.kind = k;
        p.kindParameter = hasParam ? std::clamp(param, 0, 255) : 0;
    };
    switch (word) {
        case Word::PngBlip: kind(PictureKind::Png); break;
        case Word::JpegBlip: kind(PictureKind::Jpeg); break;
        case Word::EmfBlip: kind(PictureKind::Emf); break;
        case Word::WindowsMetafile: kind(PictureKind::Wmf); break;
        case Word::MacPicture: kind(PictureKind::MacPict); break;
        case Word::DibBitmap: kind(PictureKind::Dib); break;
        case Word::WindowsBitmap: kind(PictureKind::Bitmap); break;
        case Word::Os2Metafile: kind(PictureKind::Os2Metafile); break;
        case Word::PictureWidth: p.pixelWidth = std::clamp(param, 0, kMaxPictureSize); break;
        case Word::PictureHeight: p.pixelHeight = std::clamp(param, 0, kMaxPictureSize); break;
        case Word::PictureGoalWidth: p.goalWidth = std::clamp(param, 0, kMaxDistance); break;
        case Word::PictureGoalHeight: p.goalHeight = std::clamp(param, 0, kMaxDistance); break;
        case Word::PictureScaleX: p.scaleX = std::clamp(param, 1, 1000); break;
        case Word::PictureScaleY: p.scaleY = std::clamp(param, 1, 1000); break;
        default: break;
    }
}

void PictureCollector::hexDigits(const char* bytes, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i) {
        const int v = hexValue(bytes[i]);
        if (v < 0) continue;
        if (m_nibble < 0) {
            m_nibble = v;
        } else {
            m_picture.data.append(static_cast<char>(m_nibble * 16 + v));
            m_nibble = -1;
        }
    }
}

Picture PictureCollector::take() {
    Picture picture = std::move(m_picture);
    begin();
    return picture;
}

}  // namespace rtf
