#include "rtf/RtfControlWords.h"

#include <array>

namespace rtf {
namespace {

struct Entry {
    std::string_view name;
    Word word;
};

// Sorted by name, for the reader of this list.
constexpr std::array kWords = std::to_array<Entry>({
    {"annotation", Word::SkipDestination},
    {"ansi", Word::Ansi},
    {"ansicpg", Word::AnsiCodePage},
    {"atnauthor", Word::SkipDestination},
    {"atndate", Word::SkipDestination},
    {"atnid", Word::SkipDestination},
    {"atnref", Word::SkipDestination},
    {"atrfend", Word::SkipDestination},
    {"atrfstart", Word::SkipDestination},
    {"author", Word::SkipDestination},
    {"b", Word::Bold},
    {"bin", Word::Binary},
    {"blue", Word::Blue},
    {"bullet", Word::Bullet},
    {"buptim", Word::SkipDestination},
    {"category", Word::SkipDestination},
    {"cell", Word::Cell},
    {"cf", Word::Color},
    {"colortbl", Word::ColorTable},
    {"comment", Word::SkipDestination},
    {"company", Word::SkipDestination},
    {"cpg", Word::FontCodePage},
    {"creatim", Word::SkipDestination},
    {"datafield", Word::SkipDestination},
    {"deff", Word::DefaultFont},
    {"do", Word::SkipDestination},
    {"doccomm", Word::SkipDestination},
    {"docvar", Word::SkipDestination},
    {"emdash", Word::EmDash},
    {"emspace", Word::EmSpace},
    {"endash", Word::EnDash},
    {"enspace", Word::EnSpace},
    {"f", Word::Font},
    {"falt", Word::SkipDestination},
    {"fcharset", Word::FontCharset},
    {"fi", Word::FirstLineIndent},
    {"field", Word::TextDestination},
    {"fldinst", Word::SkipDestination},
    {"fldrslt", Word::TextDestination},
    {"fonttbl", Word::FontTable},
    {"footer", Word::SkipDestination},
    {"footerf", Word::SkipDestination},
    {"footerl", Word::SkipDestination},
    {"footerr", Word::SkipDestination},
    {"footnote", Word::SkipDestination},
    {"fs", Word::FontSize},
    {"ftncn", Word::SkipDestination},
    {"ftnsep", Word::SkipDestination},
    {"ftnsepc", Word::SkipDestination},
    {"green", Word::Green},
    {"header", Word::SkipDestination},
    {"headerf", Word::SkipDestination},
    {"headerl", Word::SkipDestination},
    {"headerr", Word::SkipDestination},
    {"i", Word::Italic},
    {"info", Word::SkipDestination},
    {"keywords", Word::SkipDestination},
    {"ldblquote", Word::LeftDoubleQuote},
    {"li", Word::LeftIndent},
    {"line", Word::LineBreak},
    {"listtext", Word::TextDestination},
    {"lquote", Word::LeftQuote},
    {"ltrmark", Word::LeftToRightMark},
    {"mac", Word::Mac},
    {"nestcell", Word::Cell},
    {"nestrow", Word::Paragraph},
    {"nonshppict", Word::SkipDestination},
    {"object", Word::SkipDestination},
    {"operator", Word::SkipDestination},
    {"page", Word::LineBreak},
    {"par", Word::Paragraph},
    {"pard", Word::ParagraphDefault},
    {"pc", Word::Pc},
    {"pca", Word::Pca},
    {"pict", Word::SkipDestination},
    {"plain", Word::Plain},
    {"pntext", Word::TextDestination},
    {"pntxta", Word::SkipDestination},
    {"pntxtb", Word::SkipDestination},
    {"printim", Word::SkipDestination},
    {"qc", Word::AlignCenter},
    {"qj", Word::AlignJustify},
    {"ql", Word::AlignLeft},
    {"qmspace", Word::QuarterEmSpace},
    {"qr", Word::AlignRight},
    {"rdblquote", Word::RightDoubleQuote},
    {"red", Word::Red},
    {"revtim", Word::SkipDestination},
    {"ri", Word::RightIndent},
    {"row", Word::Paragraph},
    {"rquote", Word::RightQuote},
    {"rtlmark", Word::RightToLeftMark},
    {"sa", Word::SpaceAfter},
    {"sb", Word::SpaceBefore},
    {"sect", Word::Paragraph},
    {"shp", Word::SkipDestination},
    {"shpinst", Word::SkipDestination},
    {"shppict", Word::SkipDestination},
    {"stylesheet", Word::SkipDestination},
    {"subject", Word::SkipDestination},
    {"tab", Word::Tab},
    {"tc", Word::SkipDestination},
    {"template", Word::SkipDestination},
    {"title", Word::SkipDestination},
    {"txe", Word::SkipDestination},
    {"u", Word::Unicode},
    {"uc", Word::UnicodeSkip},
    {"ul", Word::Underline},
    {"ulc", Word::Unknown},
    {"uld", Word::Underline},
    {"uldash", Word::Underline},
    {"uldashd", Word::Underline},
    {"uldashdd", Word::Underline},
    {"uldb", Word::Underline},
    {"ulhwave", Word::Underline},
    {"ulldash", Word::Underline},
    {"ulnone", Word::UnderlineNone},
    {"ulth", Word::Underline},
    {"ulthd", Word::Underline},
    {"ulthdash", Word::Underline},
    {"ulthdashd", Word::Underline},
    {"ulthdashdd", Word::Underline},
    {"ulthldash", Word::Underline},
    {"ululdbwave", Word::Underline},
    {"ulw", Word::Underline},
    {"ulwave", Word::Underline},
    {"v", Word::Hidden},
    {"xe", Word::SkipDestination},
    {"zwj", Word::ZeroWidthJoiner},
    {"zwnj", Word::ZeroWidthNonJoiner},
});

// Control words come by the thousand in every file, so they are found by
// hashing into an open-addressing table built at compile time.
constexpr size_t kSlots = 512;
static_assert(kSlots > 2 * kWords.size());

constexpr size_t hashName(std::string_view name) {
    size_t h = 2166136261u;
    for (const char c : name) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

constexpr std::array<std::int16_t, kSlots> kTable = [] {
    std::array<std::int16_t, kSlots> table{};
    for (auto& slot : table) slot = -1;
    for (size_t i = 0; i < kWords.size(); ++i) {
        size_t slot = hashName(kWords[i].name) % kSlots;
        while (table[slot] >= 0) slot = (slot + 1) % kSlots;
        table[slot] = static_cast<std::int16_t>(i);
    }
    return table;
}();

}  // namespace

Word lookupWord(std::string_view name) {
    for (size_t slot = hashName(name) % kSlots; kTable[slot] >= 0; slot = (slot + 1) % kSlots) {
        const Entry& entry = kWords[static_cast<size_t>(kTable[slot])];
        if (entry.name == name) return entry.word;
    }
    return Word::Unknown;
}

}  // namespace rtf
