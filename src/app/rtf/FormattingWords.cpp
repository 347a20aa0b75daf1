#include "rtf/FormattingWords.h"

#include <algorithm>

namespace rtf::formattingwords {
namespace {
constexpr int kMinHalfPoints = 2;     // 1 point
constexpr int kMaxHalfPoints = 3276;  // 1638 points
constexpr int kMaxDistance = 31680;   // 22 inches, in twips: wider than any page
}  // namespace

bool applyCharacter(Word word, bool hasParam, int param, CharProps& chr) {
    const bool on = !hasParam || param != 0;
    switch (word) {
        case Word::FontSize:
            chr.halfPoints = std::clamp(hasParam ? param : 24, kMinHalfPoints, kMaxHalfPoints);
            break;
        case Word::Bold: chr.bold = on; break;
        case Word::Italic: chr.italic = on; break;
        case Word::Underline: chr.underline = on; break;
        case Word::UnderlineNone: chr.underline = false; break;
        case Word::Strike: chr.strike = on; break;
        case Word::Superscript: chr.position = on ? VerticalPosition::Super : VerticalPosition::Normal; break;
        case Word::Subscript: chr.position = on ? VerticalPosition::Sub : VerticalPosition::Normal; break;
        case Word::NoSuperSub: chr.position = VerticalPosition::Normal; break;
        case Word::Color: chr.color = std::max(hasParam ? param : 0, 0); break;
        case Word::Highlight: chr.highlight = std::max(hasParam ? param : 0, 0); break;
        case Word::Shading: chr.shading = std::max(hasParam ? param : 0, 0); break;
        case Word::Hidden: chr.hidden = on; break;
        case Word::Plain: {
            // The text of a hyperlink stays linked through a reset of its look.
            const int link = chr.link;
            chr = CharProps();
            chr.link = link;
            break;
        }
        default: return false;
    }
    return true;
}

bool applyParagraph(Word word, bool, int param, ParagraphStyle& para) {
    switch (word) {
        case Word::AlignLeft: para.alignment = Alignment::Left; break;
        case Word::AlignCenter: para.alignment = Alignment::Center; break;
        case Word::AlignRight: para.alignment = Alignment::Right; break;
        case Word::AlignJustify: para.alignment = Alignment::Justify; break;
        case Word::SpaceBefore: para.spaceBefore = std::clamp(param, 0, kMaxDistance); break;
        case Word::SpaceAfter: para.spaceAfter = std::clamp(param, 0, kMaxDistance); break;
        case Word::LeftIndent: para.leftIndent = std::clamp(param, 0, kMaxDistance); break;
        case Word::RightIndent: para.rightIndent = std::clamp(param, 0, kMaxDistance); break;
        case Word::FirstLineIndent: para.firstLineIndent = std::clamp(param, -kMaxDistance, kMaxDistance); break;
        case Word::InTable: para.inTable = true; break;
        default: return false;
    }
    return true;
}

char32_t symbolOf(Word word) {
    switch (word) {
        case Word::LineBreak: return 0x2028;
        case Word::Tab: return U'\t';
        case Word::EmDash: return 0x2014;
        case Word::EnDash: return 0x2013;
        case Word::EmSpace: return 0x2003;
        case Word::EnSpace: return 0x2002;
        case Word::QuarterEmSpace: return 0x2005;
        case Word::Bullet: return 0x2022;
        case Word::LeftQuote: return 0x2018;
        case Word::RightQuote: return 0x2019;
        case Word::LeftDoubleQuote: return 0x201C;
        case Word::RightDoubleQuote: return 0x201D;
        case Word::ZeroWidthJoiner: return 0x200D;
        case Word::ZeroWidthNonJoiner: return 0x200C;
        case Word::LeftToRightMark: return 0x200E;
        case Word::RightToLeftMark: return 0x200F;
        default: return 0;
    }
}

}  // namespace rtf::formattingwords
