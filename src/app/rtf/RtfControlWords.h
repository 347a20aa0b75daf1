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
    Font, FontSize, Bold, Italic, Underline, UnderlineNone, Strike, Superscript, Subscript,
    NoSuperSub, Color, Highlight, Shading, Hidden, Plain,
    // Paragraph properties.
    ParagraphDefault, AlignLeft, AlignCenter, AlignRight, AlignJustify, SpaceBefore, SpaceAfter,
    LeftIndent, RightIndent, FirstLineIndent, InTable,
    // Breaks and special characters.
    Paragraph, LineBreak, Tab, EmDash, EnDash, EmSpace, EnSpace, QuarterEmSpace,
    Bullet, LeftQuote, RightQuote, LeftDoubleQuote, RightDoubleQuote, ZeroWidthJoiner,
    ZeroWidthNonJoiner, LeftToRightMark, RightToLeftMark,
    // Lists: a paragraph's list and level, the list number shown as text for
    // readers without lists, the older numbering of paragraphs (\pn), the
    // list table and its overrides.
    ListNumber, ListLevelNumber, ListText,
    ParagraphNumbering, PnBullet, PnBody, PnLevel, PnContinue, PnDecimal, PnUpperRoman,
    PnLowerRoman, PnUpperLetter, PnLowerLetter, PnTextAfter, PnTextBefore,
    ListTable, List, ListId, ListLevel, LevelNumberFormat, LevelText, ListOverrideTable, ListOverride,
    // Tables: the row definition and its cells, and the ends of cells and rows.
    RowDefaults, RowLeft, RowGap, CellRight, CellBorderTop, CellBorderLeft, CellBorderBottom,
    CellBorderRight, BorderWidth, BorderStyle, BorderNone, BorderColor, OtherBorder, CellShading,
    CellMergeFirst, CellMerged, CellVerticalMergeFirst, CellVerticalMerged, CellPadLeft, CellPadTop,
    CellPadRight, CellPadBottom, Cell, Row, NestedCell, NestedRow,
    // Pictures: the group, the kind of data, the sizes.
    Picture, PngBlip, JpegBlip, EmfBlip, WindowsMetafile, MacPicture, DibBitmap, WindowsBitmap,
    Os2Metafile, PictureWidth, PictureHeight, PictureGoalWidth, PictureGoalHeight, PictureScaleX,
    PictureScaleY, ShapePicture,
    // Drawing shapes, which may hold a picture, and embedded objects, which
    // may hold a picture of themselves.
    Shape, ShapeInstructions, ShapeResult, ShapeText, ShapePropertyName, ShapePropertyValue,
    Object, ObjectResult,
    // A field's instruction (where a hyperlink keeps its target).
    FieldInstruction,
    // Content kept elsewhere than in the text: left out, and reported.
    Footnote, Annotation, HeaderFooter,
    // Binary data that follows the word.
    Binary,
    // Groups whose text is shown: fields and their results.
    TextDestination,
    // Groups that hold no visible text: tables of styles, document
    // information, the fallbacks of pictures, bookmarks and the like.
    SkipDestination,
};

// The word with this name (letters only, at most 32 of them).
Word lookupWord(std::string_view name);

}  // namespace rtf
