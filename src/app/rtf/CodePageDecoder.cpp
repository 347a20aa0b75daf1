#include "rtf/CodePageDecoder.h"

#include <algorithm>
#include <array>

#include "rtf/SymbolFonts.h"

namespace rtf {
namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned ones keep their C1 value,
// as Windows itself maps them.
constexpr std::array<char16_t, 32> k1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Code pages worth asking a converter for; anything else is read as 1252.
// Keeping to a fixed list also keeps hostile input from opening thousands of
// converters.
constexpr std::array kKnownCodePages = {
    437,  708,  720,  737,  775,  850,  852,  855,  857,  860,  861,  862,  863,
    864,  865,  866,  869,  874,  932,  936,  949,  950,  1250, 1251, 1253, 1254,
    1255, 1256, 1257, 1258, 10000, 10001, 10003, 10004, 10005, 10006, 10007, 10008,
    10029, 10079, 10081, 65001,
};
static_assert(std::is_sorted(kKnownCodePages.begin(), kKnownCodePages.end()));

QByteArray converterName(int codePage) {
    switch (codePage) {
        case 437: return "ibm-437";
        case 850: return "ibm-850";
        case 10000: return "macintosh";
        case 65001: return "UTF-8";
        default: return "windows-" + QByteArray::number(codePage);
    }
}

bool keep(char16_t c) { return c >= 0x20 || c == u'\t'; }

char16_t symbolFontCharacter(int codePage, unsigned char byte) {
    if (codePage == CodePageDecoder::kSymbolFont) return symbolfonts::symbolCharacter(byte);
    return symbolfonts::wingdingsCharacter(byte);
}

}  // namespace

void CodePageDecoder::decode1252(QByteArrayView bytes, QString& out) {
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    QChar* d = out.data() + start;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x20 && b < 0x80) {
            *d++ = QChar(b);
        } else if (b >= 0x80) {
            *d++ = QChar(b < 0xA0 ? k1252High[b - 0x80] : char16_t(b));
        } else if (b == '\t') {
            *d++ = QChar(u'\t');
        }
    }
    out.resize(d - out.constData());
}

char32_t CodePageDecoder::fromSymbolFont(int codePage, char32_t c) {
    if ((codePage != kSymbolFont && codePage != kWingdingsFont) || c < 0xF020 || c > 0xF0FF) return c;
    const char16_t mapped = symbolFontCharacter(codePage, static_cast<unsigned char>(c - 0xF000));
    return mapped ? mapped : c;
}

void CodePageDecoder::decode(int codePage, QByteArrayView bytes, QString& out) {
    if (codePage == kSymbolFont || codePage == kWingdingsFont) {
        // Bytes without a symbol of their own read as Windows-1252.
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const char16_t mapped = symbolFontCharacter(codePage, static_cast<unsigned char>(bytes[i]));
            if (mapped)
                out.append(QChar(mapped));
            else
                decode1252(bytes.sliced(i, 1), out);
        }
        return;
    }
    QStringDecoder* decoder = codePage == kWindows1252 ? nullptr : decoderFor(codePage);
    if (!decoder) {
        decode1252(bytes, out);
        return;
    }
    QString text = decoder->decode(bytes);
    // A lead byte without its trail byte would otherwise stick to the next run.
    decoder->resetState();
    text.removeIf([](QChar c) { return !keep(c.unicode()); });
    out += text;
}

QStringDecoder* CodePageDecoder::decoderFor(int codePage) {
    if (!std::binary_search(kKnownCodePages.begin(), kKnownCodePages.end(), codePage))
        return nullptr;
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end())
        it = m_decoders.try_emplace(codePage, converterName(codePage).constData()).first;
    return it->second.isValid() ? &it->second : nullptr;
}

int CodePageDecoder::codePageForCharset(int charset) {
    switch (charset) {
        case 0: return 1252;    // ANSI
        case 2: return 1252;    // symbol fonts: bytes stay as they are
        case 77: return 10000;  // Mac Roman
        case 128: return 932;   // Shift JIS
        case 129: return 949;   // Hangul
        case 134: return 936;   // GB2312
        case 136: return 950;   // Big5
        case 161: return 1253;  // Greek
        case 162: return 1254;  // Turkish
        case 163: return 1258;  // Vietnamese
        case 177: return 1255;  // Hebrew
        case 178: return 1256;  // Arabic
        case 186: return 1257;  // Baltic
        case 204: return 1251;  // Cyrillic
        case 222: return 874;   // Thai
        case 238: return 1250;  // Eastern European
        case 254: return 437;   // PC 437
        case 255: return 850;   // OEM
        default: return 0;
    }
}

}  // namespace rtf
