#pragma once

#include <cstdint>
#include <string_view>

namespace rtf {

// The control words the reader acts on. Everything else is ignored, or, when
// it opens a group marked with \*, skipped with that group.
enum class Word : std::uint8_t {
    Unknown,
    // Document character set and defaults.
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, UnicodeSkip, Unicode,
    // Tables.
    FontTable, ColorTable, FontCharset, FontCodePage, Red, Green, Blue,
    // Character properties.
    Font, FontSize, Bold, Italic, Underline, UnderlineNone, Color, Hidden, Plain,
    // Paragraph properties.
    ParagraphDefault, AlignLeft, AlignCenter, AlignRight, AlignJustify, SpaceBefore, SpaceAfter,
    LeftIndent, RightIndent, FirstLineIndent,
    // Breaks and special characters.
    Paragraph, LineBreak, Tab, Cell, EmDash, EnDash, EmSpace, EnSpace, QuarterEmSpace,
    Bullet, LeftQuote, RightQuote, LeftDoubleQuote, RightDoubleQuote, ZeroWidthJoiner,
    ZeroWidthNonJoiner, LeftToRightMark, RightToLeftMark,
    // Binary data that follows the word.
    Binary,
    // Groups whose text is shown: field results and list-number fallbacks.
    TextDestination,
    // Groups that hold no visible text: tables of styles, document
    // information, pictures, objects, headers, footers, footnotes, fields'
    // instructions and the like.
    SkipDestination,
};

// The word with this name (letters only, at most 32 of them).
Word lookupWord(std::string_view name);

}  // namespace rtf
