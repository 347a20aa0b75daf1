#include "rtf/RtfReader.h"

#include "rtf/PlainTextReader.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

namespace rtf {
namespace {

constexpr int kMaxNameLength = 32;
constexpr int kMinHalfPoints = 2;     // 1 point
constexpr int kMaxHalfPoints = 3276;  // 1638 points
constexpr int kMaxUnicodeSkip = 255;
constexpr int kMaxDistance = 31680;  // 22 inches, in twips: wider than any page
constexpr qint64 kParamLimit = 10'000'000'000;  // digits beyond this only saturate

constexpr char32_t kReplacement = 0xFFFD;

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Bytes that are plain text in RTF: everything except the three special
// characters and control bytes.
constexpr std::array<bool, 256> kTextByte = [] {
    std::array<bool, 256> t{};
    for (int i = 0x20; i < 256; ++i) t[i] = true;
    t['{'] = t['}'] = t['\\'] = false;
    return t;
}();

bool isTextByte(char c) { return kTextByte[static_cast<unsigned char>(c)]; }

}  // namespace

namespace {

// The data without the white space some writers put before the document.
QByteArrayView withoutLeadingSpace(QByteArrayView data) {
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' ||
                               data[i] == '\n'))
        ++i;
    return data.sliced(i);
}

}  // namespace

bool RtfReader::isRtf(QByteArrayView data) {
    return withoutLeadingSpace(data).startsWith("{\\rtf");
}

void RtfReader::read(QByteArrayView data) {
    if (!isRtf(data)) {
        PlainTextReader::read(data, m_sink);
        return;
    }
    data = withoutLeadingSpace(data);
    m_p = data.data();
    m_end = m_p + data.size();
    m_stack.reserve(64);
    readRtf();
}

// ---- Structure --------------------------------------------------------------

void RtfReader::readRtf() {
    bool groupStart = false;
    while (m_p < m_end) {
        if (m_skipDepth > 0) {
            skipInsideSkippedGroups();
            continue;
        }
        const char c = *m_p;
        if (c == '{') {
            ++m_p;
            openGroup();
            groupStart = true;
            continue;
        }
        const bool atGroupStart = groupStart;
        groupStart = false;
        switch (c) {
            case '}':
                ++m_p;
                closeGroup();
                break;
            case '\\':
                ++m_p;
                control(atGroupStart);
                break;
            case '\t':
                ++m_p;
                if (!consumeFallback()) symbol(U'\t');
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    ++m_p;  // bare line ends, NULs and other control bytes carry nothing
                    break;
                }
                const char* start = m_p;
                while (m_p < m_end && isTextByte(*m_p)) ++m_p;
                textBytes(start, m_p - start);
        }
    }
    finish();
}

void RtfReader::openGroup() {
    m_fallbackLeft = 0;
    if (m_stack.size() >= static_cast<size_t>(kMaxDepth)) {
        m_skipDepth = 1;  // too deep: skip it and everything it holds
        return;
    }
    m_stack.push_back(m_state);
}

void RtfReader::closeGroup() {
    m_fallbackLeft = 0;
    if (m_stack.empty()) return;  // a closing brace too many
    if (m_state.destination == Destination::FontTable) m_tables.finishFont();
    m_state = m_stack.back();
    m_stack.pop_back();
}

// The current group holds nothing to show: restore the state it saved and step
// over the rest of it. The document's own outermost group is never skipped.
void RtfReader::skipGroup() {
    if (m_stack.size() < 2) return;
    m_state = m_stack.back();
    m_stack.pop_back();
    m_skipDepth = 1;
    m_fallbackLeft = 0;
}

// Scans skipped content for braces only; escaped braces and binary data must
// not be counted.
void RtfReader::skipInsideSkippedGroups() {
    while (m_p < m_end) {
        const char c = *m_p++;
        if (c == '{') {
            ++m_skipDepth;
        } else if (c == '}') {
            if (--m_skipDepth == 0) return;
        } else if (c == '\\' && m_p < m_end) {
            if (!isLetter(*m_p)) {
                ++m_p;
                continue;
            }
            const char* name = m_p;
            while (m_p < m_end && isLetter(*m_p)) ++m_p;
            if (m_p - name == 3 && std::memcmp(name, "bin", 3) == 0) {
                qint64 count = 0;
                while (m_p < m_end && isDigit(*m_p)) {
                    if (count < kParamLimit) count = count * 10 + (*m_p - '0');
                    ++m_p;
                }
                if (m_p < m_end && *m_p == ' ') ++m_p;
                skipBinary(static_cast<int>(std::min<qint64>(count, INT_MAX)));
            }
        }
    }
}

void RtfReader::skipBinary(int count) {
    m_p += std::min<qint64>(std::max(count, 0), m_end - m_p);
}

// ---- Control words and symbols ---------------------------------------------

bool RtfReader::consumeFallback() {
    if (m_fallbackLeft == 0) return false;
    --m_fallbackLeft;
    return true;
}

void RtfReader::control(bool atGroupStart) {
    if (m_p == m_end) return;
    const char c = *m_p;
    if (isLetter(c)) {
        controlWord();
        return;
    }
    ++m_p;
    if (c == '\'') {
        hexByte();
        return;
    }
    if (consumeFallback()) return;
    switch (c) {
        case '\\':
        case '{':
        case '}':
            textBytes(&c, 1);
            break;
        case '~': symbol(0x00A0); break;
        case '-': symbol(0x00AD); break;
        case '_': symbol(0x2011); break;
        case '*':
            // Marks a destination that a reader may ignore; none of those
            // holds text this reader shows.
            if (atGroupStart) skipGroup();
            break;
        case '\r':
        case '\n': paragraphEnd(); break;
        default: break;  // index and formula symbols
    }
}

void RtfReader::hexByte() {
    int value = 0;
    int digits = 0;
    while (digits < 2 && m_p < m_end && hexValue(*m_p) >= 0) {
        value = value * 16 + hexValue(*m_p);
        ++m_p;
        ++digits;
    }
    if (consumeFallback() || digits < 2) return;
    const char byte = static_cast<char>(value);
    textBytes(&byte, 1);
}

void RtfReader::controlWord() {
    const char* name = m_p;
    while (m_p < m_end && isLetter(*m_p)) ++m_p;
    const qsizetype length = m_p - name;

    bool hasParam = false;
    bool negative = false;
    qint64 value = 0;
    if (m_p + 1 < m_end && *m_p == '-' && isDigit(m_p[1])) {
        negative = true;
        ++m_p;
    }
    while (m_p < m_end && isDigit(*m_p)) {
        hasParam = true;
        if (value < kParamLimit) value = value * 10 + (*m_p - '0');
        ++m_p;
    }
    if (m_p < m_end && *m_p == ' ') ++m_p;  // the delimiter belongs to the word
    const int param = static_cast<int>(std::clamp<qint64>(negative ? -value : value, -INT_MAX, INT_MAX));

    const Word word = length <= kMaxNameLength
                          ? lookupWord(std::string_view(name, static_cast<size_t>(length)))
                          : Word::Unknown;
    if (consumeFallback()) {
        if (word == Word::Binary) skipBinary(hasParam ? param : 0);
        return;
    }
    applyWord(word, hasParam, param);
}

void RtfReader::applyWord(Word word, bool hasParam, int param) {
    const bool on = !hasParam || param != 0;
    const bool inFontTable = m_state.destination == Destination::FontTable;
    const bool inColorTable = m_state.destination == Destination::ColorTable;
    CharProps& chr = m_state.chr;
    ParagraphStyle& para = m_state.paragraph;
    switch (word) {
        case Word::Ansi: m_tables.setDocumentCodePage(1252); break;
        case Word::Mac: m_tables.setDocumentCodePage(10000); break;
        case Word::Pc: m_tables.setDocumentCodePage(437); break;
        case Word::Pca: m_tables.setDocumentCodePage(850); break;
        case Word::AnsiCodePage:
            if (param > 0 && param < 65536) m_tables.setDocumentCodePage(param);
            break;
        case Word::DefaultFont:
            m_tables.setDefaultFont(hasParam ? param : 0);
            break;
        case Word::UnicodeSkip:
            m_state.unicodeSkip = std::clamp(hasParam ? param : 1, 0, kMaxUnicodeSkip);
            break;
        case Word::Unicode:
            if (!hasParam) break;
            unicode(param);
            m_fallbackLeft = m_state.unicodeSkip;
            break;

        case Word::FontTable:
            if (m_stack.size() >= 2) m_state.destination = Destination::FontTable;
            break;
        case Word::ColorTable:
            if (m_stack.size() >= 2) {
                m_state.destination = Destination::ColorTable;
                m_tables.clearColors();
            }
            break;
        case Word::FontCharset:
            if (inFontTable) m_tables.setFontCharset(param);
            break;
        case Word::FontCodePage:
            if (inFontTable && param > 0 && param < 65536) m_tables.setFontCodePage(param);
            break;
        case Word::Red:
            if (inColorTable) m_tables.setRed(param);
            break;
        case Word::Green:
            if (inColorTable) m_tables.setGreen(param);
            break;
        case Word::Blue:
            if (inColorTable) m_tables.setBlue(param);
            break;

        case Word::Font:
            if (inFontTable)
                m_tables.beginFont(hasParam ? param : 0);
            else
                chr.font = hasParam ? param : 0;
            break;
        case Word::FontSize:
            chr.halfPoints = std::clamp(hasParam ? param : 24, kMinHalfPoints, kMaxHalfPoints);
            break;
        case Word::Bold: chr.bold = on; break;
        case Word::Italic: chr.italic = on; break;
        case Word::Underline: chr.underline = on; break;
        case Word::UnderlineNone: chr.underline = false; break;
        case Word::Color: chr.color = std::max(hasParam ? param : 0, 0); break;
        case Word::Hidden: chr.hidden = on; break;
        case Word::Plain: chr = CharProps(); break;

        case Word::ParagraphDefault: para = ParagraphStyle(); break;
        case Word::AlignLeft: para.alignment = Alignment::Left; break;
        case Word::AlignCenter: para.alignment = Alignment::Center; break;
        case Word::AlignRight: para.alignment = Alignment::Right; break;
        case Word::AlignJustify: para.alignment = Alignment::Justify; break;
        case Word::SpaceBefore: para.spaceBefore = std::clamp(param, 0, kMaxDistance); break;
        case Word::SpaceAfter: para.spaceAfter = std::clamp(param, 0, kMaxDistance); break;
        case Word::LeftIndent: para.leftIndent = std::clamp(param, 0, kMaxDistance); break;
        case Word::RightIndent: para.rightIndent = std::clamp(param, 0, kMaxDistance); break;
        case Word::FirstLineIndent:
            para.firstLineIndent = std::clamp(param, -kMaxDistance, kMaxDistance);
            break;

        case Word::Paragraph: paragraphEnd(); break;
        case Word::LineBreak: symbol(0x2028); break;
        case Word::Tab:
        case Word::Cell: symbol(U'\t'); break;
        case Word::EmDash: symbol(0x2014); break;
        case Word::EnDash: symbol(0x2013); break;
        case Word::EmSpace: symbol(0x2003); break;
        case Word::EnSpace: symbol(0x2002); break;
        case Word::QuarterEmSpace: symbol(0x2005); break;
        case Word::Bullet: symbol(0x2022); break;
        case Word::LeftQuote: symbol(0x2018); break;
        case Word::RightQuote: symbol(0x2019); break;
        case Word::LeftDoubleQuote: symbol(0x201C); break;
        case Word::RightDoubleQuote: symbol(0x201D); break;
        case Word::ZeroWidthJoiner: symbol(0x200D); break;
        case Word::ZeroWidthNonJoiner: symbol(0x200C); break;
        case Word::LeftToRightMark: symbol(0x200E); break;
        case Word::RightToLeftMark: symbol(0x200F); break;

        case Word::Binary: skipBinary(hasParam ? param : 0); break;
        case Word::TextDestination: break;  // its text shows like any other
        case Word::SkipDestination: skipGroup(); break;
        case Word::Unknown: break;
    }
}

// ---- Text -------------------------------------------------------------------

void RtfReader::textBytes(const char* bytes, qsizetype count) {
    if (m_fallbackLeft > 0) {
        const qsizetype dropped = std::min<qsizetype>(m_fallbackLeft, count);
        bytes += dropped;
        count -= dropped;
        m_fallbackLeft -= static_cast<int>(dropped);
        if (count == 0) return;
    }
    switch (m_state.destination) {
        case Destination::Text:
            if (m_state.chr.hidden) return;
            flushSurrogate();
            startRun();
            m_bytes.append(bytes, count);
            break;
        case Destination::FontTable:
            while (count > 0) {
                const char* end = static_cast<const char*>(std::memchr(bytes, ';', size_t(count)));
                const qsizetype name = end ? end - bytes : count;
                m_tables.fontNameBytes(bytes, name);
                if (!end) break;
                m_tables.finishFont();
                bytes = end + 1;
                count -= name + 1;
            }
            break;
        case Destination::ColorTable:
            for (qsizetype i = 0; i < count; ++i)
                if (bytes[i] == ';') m_tables.finishColor();
            break;
    }
}

void RtfReader::symbol(char32_t c) {
    flushSurrogate();
    character(c);
}

void RtfReader::character(char32_t c) {
    switch (m_state.destination) {
        case Destination::Text: {
            if (m_state.chr.hidden) return;
            startRun();
            flushBytes();
            if (QChar::requiresSurrogates(c)) {
                m_run.append(QChar(QChar::highSurrogate(c)));
                m_run.append(QChar(QChar::lowSurrogate(c)));
            } else {
                m_run.append(QChar(static_cast<char16_t>(c)));
            }
            break;
        }
        case Destination::FontTable: m_tables.fontNameCharacter(c); break;
        case Destination::ColorTable: break;
    }
}

// \uN: N is a signed 16-bit number; negative values stand for N + 65536.
// Surrogate halves written as two \u words are joined; a half on its own
// becomes U+FFFD.
void RtfReader::unicode(int value) {
    if (value < -32768 || value > 0x10FFFF) {
        symbol(kReplacement);
        return;
    }
    const auto u = static_cast<char32_t>(value < 0 ? value + 65536 : value);
    if (QChar::isHighSurrogate(u)) {
        flushSurrogate();
        m_highSurrogate = static_cast<char16_t>(u);
        return;
    }
    if (QChar::isLowSurrogate(u)) {
        if (m_highSurrogate) {
            const char32_t joined = QChar::surrogateToUcs4(m_highSurrogate, static_cast<char16_t>(u));
            m_highSurrogate = 0;
            character(joined);
        } else {
            character(kReplacement);
        }
        return;
    }
    if (u == U'\t') {
        symbol(u);
    } else if (u == U'\r' || u == U'\n' || u == 0x2029) {
        paragraphEnd();
    } else if (u < 0x20) {
        flushSurrogate();  // other control characters carry nothing
    } else if (u == 0xFDD0 || u == 0xFDD1) {
        symbol(kReplacement);  // the text document's own frame markers
    } else {
        symbol(u);
    }
}

void RtfReader::flushSurrogate() {
    if (!m_highSurrogate) return;
    m_highSurrogate = 0;
    character(kReplacement);
}

// Text in the current character state goes into the current run; a change of
// state ends the run first.
void RtfReader::startRun() {
    m_textParagraph = m_state.paragraph;
    if (m_runStarted && m_state.chr == m_runProps) return;
    flushRun();
    m_runProps = m_state.chr;
    m_runCodePage = m_tables.codePageOfFont(m_runProps.font);
    m_runStarted = true;
}

void RtfReader::flushBytes() {
    if (m_bytes.isEmpty()) return;
    m_decoder.decode(m_runCodePage, m_bytes, m_run);
    m_bytes.resize(0);
}

void RtfReader::flushRun() {
    flushBytes();
    if (m_run.isEmpty()) return;
    m_sink.text(m_run, m_tables.styleOf(m_runProps));
    m_run.resize(0);
    m_paragraphHasText = true;
}

void RtfReader::paragraphEnd() {
    if (m_state.destination != Destination::Text) return;
    flushSurrogate();
    flushRun();
    m_sink.paragraphEnd(m_state.paragraph);
    m_paragraphHasText = false;
}

void RtfReader::finish() {
    flushSurrogate();
    flushRun();
    if (m_paragraphHasText) m_sink.lastParagraph(m_textParagraph);
}

}  // namespace rtf
