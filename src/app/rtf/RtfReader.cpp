#include "rtf/RtfReader.h"

#include "rtf/FieldInstruction.h"
#include "rtf/FormattingWords.h"
#include "rtf/PlainTextReader.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>

namespace rtf {
namespace {

constexpr int kMaxNameLength = 32;
constexpr int kMaxUnicodeSkip = 255;
constexpr qint64 kParamLimit = 10'000'000'000;  // digits beyond this only saturate
constexpr qsizetype kMaxCapture = 4096;  // a field instruction, a list level's text, a name

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

// The data without the white space some writers put before the document.
QByteArrayView withoutLeadingSpace(QByteArrayView data) {
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' ||
                               data[i] == '\n'))
        ++i;
    return data.sliced(i);
}

// The destinations a group marked with \* may open here; any other such
// group is skipped whole.
bool readsMarkedGroup(Word word) {
    switch (word) {
        case Word::FieldInstruction:
        case Word::ShapePicture:
        case Word::ParagraphNumbering:
        case Word::ListTable:
        case Word::ListOverrideTable:
        case Word::ShapeInstructions:
        case Word::Annotation:
        case Word::Footnote:
            return true;
        default:
            return false;
    }
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
        // What the sink holds is final: no later byte changes it, so a
        // reader that stops here leaves it as a whole read would.
        if (m_sink.hasEnough()) return;
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
                // A local pointer: the compiler may keep it in a register,
                // where the member would be written back at every byte.
                const char* const start = m_p;
                const char* p = start;
                while (p < m_end && isTextByte(*p)) ++p;
                m_p = p;
                textBytes(start, p - start);
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
    // The document ends: its last text belongs to its last paragraph, in
    // the document's own state.
    if (m_stack.size() == 1) {
        flushSurrogate();
        flushRun();
    }
    const GroupState closed = std::move(m_state);
    m_state = std::move(m_stack.back());
    m_stack.pop_back();
    if (closed.destination == Destination::FontTable) m_tables.finishFont();
    if (closed.destination != m_state.destination) endDestination(closed.destination);
}

// A group that opened a destination has closed: what it collected takes effect.
void RtfReader::endDestination(Destination ended) {
    switch (ended) {
        case Destination::Picture: picture(); break;
        case Destination::FieldInstruction: {
            const QString target = fieldinstruction::hyperlinkTarget(m_capture);
            if (!target.isEmpty()) m_state.chr.link = m_tables.addLink(target);
            break;
        }
        case Destination::Numbering: m_state.list.numbering = m_numbering; break;
        case Destination::NumberingText:
            (m_numberingTextAfter ? m_numbering.after : m_numbering.before) = m_capture;
            break;
        case Destination::LevelText: m_lists.setLevelText(m_capture); break;
        case Destination::ListLevel: m_lists.finishLevel(); break;
        case Destination::List: m_lists.finishList(); break;
        case Destination::ListOverride: m_lists.finishOverride(); break;
        case Destination::ShapeName: m_shapeProperty = m_capture.trimmed(); break;
        case Destination::Shape:
            if (!m_shapeHasPicture) m_report.note(ReadReport::Item::Drawing);
            break;
        default: break;
    }
}

// The current group holds nothing to show: restore the state it saved and step
// over the rest of it. The document's own outermost group is never skipped.
void RtfReader::skipGroup() {
    if (m_stack.size() < 2) return;
    m_state = std::move(m_stack.back());
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
    const qint64 n = std::min<qint64>(std::max(count, 0), m_end - m_p);
    // A picture given as binary data keeps it.
    if (m_state.destination == Destination::Picture) m_picture.binary(m_p, qsizetype(n));
    m_p += n;
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
        controlWord(false);
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
            // Marks a destination that a reader may ignore. The word after
            // it decides: the destinations read here are read, the rest are
            // skipped with their group.
            if (!atGroupStart) break;
            while (m_p < m_end && (*m_p == '\r' || *m_p == '\n' || *m_p == ' ')) ++m_p;
            if (m_p + 1 < m_end && *m_p == '\\' && isLetter(m_p[1])) {
                ++m_p;
                controlWord(true);
            } else {
                skipGroup();
            }
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
    if (m_state.destination == Destination::LevelText) {
        // A list level's text keeps its bytes: those below 10 are numbers.
        capture(QString(QChar(char16_t(static_cast<unsigned char>(byte)))));
        return;
    }
    textBytes(&byte, 1);
}

void RtfReader::controlWord(bool afterStar) {
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
    if (afterStar && !readsMarkedGroup(word)) {
        skipGroup();
        return;
    }
    applyWord(word, hasParam, param);
}

void RtfReader::applyWord(Word word, bool hasParam, int param) {
    const bool inFontTable = m_state.destination == Destination::FontTable;
    const bool inColorTable = m_state.destination == Destination::ColorTable;
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
                m_state.chr.font = hasParam ? param : 0;
            break;
        case Word::ParagraphDefault:
            m_state.paragraph = ParagraphStyle();
            m_state.list = ListReference();
            break;

        case Word::Paragraph: paragraphEnd(); break;
        case Word::Cell: cell(); break;
        case Word::Row: row(); break;
        case Word::NestedCell:
            // A table inside a cell keeps its text in the outer cell.
            if (m_state.destination == Destination::Text) {
                m_report.note(ReadReport::Item::NestedTable);
                symbol(U'\t');
            }
            break;
        case Word::NestedRow: paragraphEnd(); break;

        case Word::Binary: skipBinary(hasParam ? param : 0); break;
        case Word::TextDestination: break;  // its text shows like any other
        case Word::SkipDestination: skipGroup(); break;
        case Word::Footnote: discard(ReadReport::Item::Footnote); break;
        case Word::Annotation: discard(ReadReport::Item::Comment); break;
        case Word::HeaderFooter: discard(ReadReport::Item::HeaderOrFooter); break;
        case Word::Unknown: break;
        default:
            if (const char32_t c = formattingwords::symbolOf(word)) {
                symbol(c);
            } else if (!formattingwords::applyCharacter(word, hasParam, param, m_state.chr) &&
                       !formattingwords::applyParagraph(word, hasParam, param, m_state.paragraph) &&
                       !applyDestinationWord(word)) {
                applyListWord(word, hasParam, param);
                applyTableWord(word, param);
                if (m_state.destination == Destination::Picture) m_picture.apply(word, hasParam, param);
            }
    }
}

// ---- Destinations -------------------------------------------------------------

void RtfReader::enter(Destination destination) {
    // The document's own group is no destination: a word that names one
    // there is ignored rather than swallowing the document.
    if (m_stack.size() >= 2) m_state.destination = destination;
}

void RtfReader::discard(ReadReport::Item item) {
    if (m_stack.size() < 2) return;
    m_state.destination = Destination::Discarded;
    m_state.discarded = item;
    m_discardNoted = false;
}

bool RtfReader::pictureAllowed() const {
    switch (m_state.destination) {
        case Destination::Text: return true;
        case Destination::ShapeValue: return m_shapeProperty == QLatin1String("pib");
        default: return false;
    }
}

// Destinations that open only inside another one.
struct Nesting {
    Word word;
    RtfReader::Destination inside;
    RtfReader::Destination opens;
};
constexpr Nesting kNested[] = {
    {Word::List, RtfReader::Destination::ListTable, RtfReader::Destination::List},
    {Word::ListLevel, RtfReader::Destination::List, RtfReader::Destination::ListLevel},
    {Word::LevelText, RtfReader::Destination::ListLevel, RtfReader::Destination::LevelText},
    {Word::ListOverride, RtfReader::Destination::ListOverrideTable, RtfReader::Destination::ListOverride},
    {Word::PnTextAfter, RtfReader::Destination::Numbering, RtfReader::Destination::NumberingText},
    {Word::PnTextBefore, RtfReader::Destination::Numbering, RtfReader::Destination::NumberingText},
    {Word::ShapePropertyName, RtfReader::Destination::Shape, RtfReader::Destination::ShapeName},
    {Word::ShapePropertyValue, RtfReader::Destination::Shape, RtfReader::Destination::ShapeValue},
};

// A group opens a destination: what it collects starts afresh.
void RtfReader::open(Destination destination, Word word) {
    enter(destination);
    switch (destination) {
        case Destination::List: m_lists.beginList(); break;
        case Destination::ListLevel: m_lists.beginLevel(); break;
        case Destination::ListOverride: m_lists.beginOverride(); break;
        case Destination::NumberingText:
            m_numberingTextAfter = word == Word::PnTextAfter;
            m_capture.clear();
            break;
        case Destination::LevelText:
        case Destination::ShapeName:
        case Destination::FieldInstruction: m_capture.clear(); break;
        case Destination::ColorTable: m_tables.clearColors(); break;
        case Destination::Picture: m_picture.begin(); break;
        case Destination::Numbering:
            m_numbering = ParagraphNumbering();
            m_numbering.set = true;
            break;
        case Destination::Shape:
            m_shapeHasPicture = false;
            m_shapeProperty.clear();
            break;
        case Destination::Object: m_report.note(ReadReport::Item::EmbeddedObject); break;
        default: break;
    }
}

// Words that open a destination; false for any other word.
bool RtfReader::applyDestinationWord(Word word) {
    const Destination here = m_state.destination;
    for (const Nesting& nesting : kNested) {
        if (nesting.word != word) continue;
        if (here == nesting.inside) open(nesting.opens, word);
        return true;
    }
    switch (word) {
        case Word::FontTable: enter(Destination::FontTable); break;
        case Word::ColorTable:
            if (m_stack.size() >= 2) open(Destination::ColorTable, word);
            break;
        case Word::ListTable: open(Destination::ListTable, word); break;
        case Word::ListOverrideTable: open(Destination::ListOverrideTable, word); break;
        case Word::FieldInstruction: open(Destination::FieldInstruction, word); break;
        case Word::ShapePicture: break;  // holds the picture itself
        case Word::ListText:
            // Beyond the limit of paragraphs, where lines join the last
            // paragraph, a list number stays the text it is.
            if (here == Destination::Text && m_paragraphs.paragraphsLeft()) m_state.listText = true;
            break;
        case Word::Picture:
        case Word::ParagraphNumbering:
        case Word::Shape:
        case Word::Object: {
            // Only in the text (a picture also as a shape's picture).
            const bool allowed = word == Word::Picture ? pictureAllowed() : here == Destination::Text;
            if (!allowed) {
                skipGroup();
                break;
            }
            open(word == Word::Picture              ? Destination::Picture
                 : word == Word::ParagraphNumbering ? Destination::Numbering
                 : word == Word::Shape              ? Destination::Shape
                                                    : Destination::Object,
                 word);
            break;
        }
        case Word::ShapeInstructions:
            if (here != Destination::Shape) skipGroup();
            break;
        case Word::ShapeResult:
        case Word::ShapeText:
            // The shape's own rendering or a text box's text: the picture
            // the shape holds, if any, stands for the shape, and a shape
            // without one is reported when it ends.
            skipGroup();
            break;
        case Word::ObjectResult:
            // What the object looks like, kept in its place.
            if (here == Destination::Object) m_state.destination = Destination::Text;
            break;
        default: return false;
    }
    return true;
}

void RtfReader::applyListWord(Word word, bool hasParam, int param) {
    const Destination here = m_state.destination;
    switch (word) {
        case Word::ListNumber:
            if (!hasParam) break;
            if (here == Destination::ListOverride)
                m_lists.setOverrideNumber(param);
            else
                m_state.list.number = std::max(param, 0);
            break;
        case Word::ListLevelNumber: m_state.list.level = std::clamp(param, 0, 8); break;
        case Word::ListId:
            if (here == Destination::List) m_lists.setListId(param);
            if (here == Destination::ListOverride) m_lists.setOverrideListId(param);
            break;
        case Word::LevelNumberFormat:
            if (here == Destination::ListLevel) m_lists.setLevelNumberFormat(param);
            break;
        default:
            if (here == Destination::Numbering) RtfLists::applyNumberingWord(word, param, m_numbering);
    }
}

void RtfReader::applyTableWord(Word word, int param) {
    if (m_state.destination == Destination::Text) m_rowBuilder.apply(word, param, m_tables);
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
            if (m_state.chr.hidden) {
                m_report.note(ReadReport::Item::HiddenText);
                return;
            }
            flushSurrogate();
            startRun();
            // Windows-1252 has one character per byte and needs nothing
            // from the bytes around: it is decoded as it comes.
            if (m_runCodePage == CodePageDecoder::kWindows1252)
                CodePageDecoder::decode1252(QByteArrayView(bytes, count), m_run);
            else
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
        case Destination::Picture: m_picture.hexDigits(bytes, count); break;
        case Destination::FieldInstruction:
        case Destination::LevelText:
        case Destination::NumberingText:
        case Destination::ShapeName: {
            QString text;
            CodePageDecoder::decode1252(QByteArrayView(bytes, std::min(count, kMaxCapture)), text);
            capture(text);
            break;
        }
        case Destination::Discarded:
            if (!m_discardNoted &&
                std::any_of(bytes, bytes + count, [](char c) { return c != ' '; })) {
                m_report.note(m_state.discarded);
                m_discardNoted = true;
            }
            break;
        default: break;  // list tables, shapes and objects show no text of their own
    }
}

void RtfReader::capture(QStringView text) {
    const qsizetype room = kMaxCapture - m_capture.size();
    if (room > 0) m_capture.append(text.left(room));
}

void RtfReader::symbol(char32_t c) {
    flushSurrogate();
    character(c);
}

void RtfReader::character(char32_t c) {
    switch (m_state.destination) {
        case Destination::Text: {
            if (m_state.chr.hidden) {
                m_report.note(ReadReport::Item::HiddenText);
                return;
            }
            startRun();
            flushBytes();
            c = CodePageDecoder::fromSymbolFont(m_runCodePage, c);
            if (QChar::requiresSurrogates(c)) {
                m_run.append(QChar(QChar::highSurrogate(c)));
                m_run.append(QChar(QChar::lowSurrogate(c)));
            } else {
                m_run.append(QChar(static_cast<char16_t>(c)));
            }
            break;
        }
        case Destination::FontTable: m_tables.fontNameCharacter(c); break;
        case Destination::FieldInstruction:
        case Destination::LevelText:
        case Destination::NumberingText:
        case Destination::ShapeName: capture(QString::fromUcs4(&c, 1)); break;
        case Destination::Discarded:
            if (!m_discardNoted && c != U' ') {
                m_report.note(m_state.discarded);
                m_discardNoted = true;
            }
            break;
        default: break;
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
    } else if (u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFC) {
        symbol(kReplacement);  // the text document's own frame and object markers
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
// state ends the run first. Beyond the limit of runs a change of the look no
// longer starts one: the text keeps the look of the run before.
void RtfReader::startRun() {
    // Only the look of the last paragraph needs it.
    if (m_keepsLooks) m_textParagraph = m_state.paragraph;
    const bool listText = m_state.listText;
    if (m_runStarted && listText == m_runListText) {
        if (m_state.chr == m_runProps) return;
        // Text read for its characters alone goes on in the same run across
        // a change of look, once its paragraph has begun (before that, the
        // run's end settles the paragraph's place): each run would only be
        // appended to the one before. This saves most of a diary entry's
        // runs. The bytes held so far are decoded all the same, as the end
        // of a run decodes them: a lead byte left over before the change
        // must not pair with a byte after it.
        if (!m_keepsLooks && m_paragraphs.paragraphBegun()) {
            flushBytes();
            m_runCodePage = m_tables.codePageOfFont(m_state.chr.font);
            m_runProps = m_state.chr;
            return;
        }
        if (m_runsLeft <= 0) {
            flushBytes();
            m_runCodePage = m_tables.codePageOfFont(m_state.chr.font);
            m_report.note(ReadReport::Item::FormattingDropped);
            return;
        }
    }
    flushRun();
    --m_runsLeft;
    m_runProps = m_state.chr;
    m_runListText = listText;
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
    const RunStyle& style = styleOf(m_runProps);
    if (m_runListText)
        m_paragraphs.listText(m_run, style);
    else
        m_paragraphs.text(m_run, style, m_state.paragraph, m_state.list);
    m_run.resize(0);
}

const RunStyle& RtfReader::styleOf(const CharProps& props) {
    static const RunStyle kDefaultLook;
    return m_keepsLooks ? m_tables.styleOf(props) : kDefaultLook;
}

// ---- Paragraphs and tables --------------------------------------------------

void RtfReader::paragraphEnd() {
    if (m_state.destination != Destination::Text) return;
    if (!m_paragraphs.paragraphsLeft()) {
        // A line break goes on in the run of text it ends.
        m_report.note(ReadReport::Item::ParagraphsAsLines);
        symbol(0x2028);
        return;
    }
    flushSurrogate();
    flushRun();
    m_paragraphs.paragraphEnd(m_state.paragraph, m_state.list);
}

void RtfReader::cell() {
    if (m_state.destination != Destination::Text) return;
    if (!m_paragraphs.takesCell()) {
        symbol(U'\t');  // no table can start here
        return;
    }
    // A cell whose paragraphs were not marked as being in a table still is one.
    m_state.paragraph.inTable = true;
    flushSurrogate();
    flushRun();
    if (!m_paragraphs.cellEnd(m_state.paragraph, m_state.list)) symbol(U'\t');
}

void RtfReader::row() {
    if (m_state.destination != Destination::Text) return;
    flushSurrogate();
    flushRun();
    if (!m_paragraphs.rowEnd(m_state.paragraph, m_state.list)) paragraphEnd();
}

void RtfReader::picture() {
    if (m_picture.isEmpty()) return;
    if (m_state.destination == Destination::ShapeValue) m_shapeHasPicture = true;
    if (m_state.chr.hidden) {
        m_report.note(ReadReport::Item::HiddenText);
    } else {
        flushSurrogate();
        flushRun();
        m_textParagraph = m_state.paragraph;
        m_paragraphs.picture(m_picture.take(), styleOf(m_state.chr), m_state.paragraph, m_state.list);
    }
}

void RtfReader::finish() {
    flushSurrogate();
    flushRun();
    m_paragraphs.finish(m_state.paragraph, m_state.list, m_textParagraph);
}

}  // namespace rtf
