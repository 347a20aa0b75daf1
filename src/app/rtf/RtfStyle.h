#pragma once

#include <QByteArray>
#include <QRgb>
#include <QString>
#include <cstdint>
#include <vector>

namespace rtf {

// Horizontal alignment of a paragraph.
enum class Alignment { Left, Center, Right, Justify };

// Raised or lowered text.
enum class VerticalPosition : std::uint8_t { Normal, Super, Sub };

// The look of a run of text, with the font and colour tables already
// resolved. A run read from a plain-text file leaves everything unset so the
// box's own default font applies.
struct RunStyle {
    QString fontFamily;   // empty: the document's default font
    int halfPoints = 0;   // font size in half points; 0: the default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    VerticalPosition position = VerticalPosition::Normal;
    bool hasColor = false;  // false: the automatic (default) text colour
    QRgb color = 0;
    bool hasBackground = false;  // highlighting or character shading
    QRgb background = 0;
    QString href;  // the target of a hyperlink; empty when the text is none

    bool operator==(const RunStyle&) const = default;
};

// How the items of a list are marked.
enum class ListKind : std::uint8_t {
    Disc, Circle, Square, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman
};

// The list a paragraph is an item of. Paragraphs with the same key and level
// are items of one list and are numbered together.
struct ListStyle {
    int key = -1;  // below 0: the paragraph is no list item
    int level = 0;  // 0 for the outermost level
    ListKind kind = ListKind::Disc;
    QString prefix;  // text before and after an item's number
    QString suffix;

    bool isItem() const { return key >= 0; }
    bool operator==(const ListStyle&) const = default;
};

// The layout of a paragraph. Distances are in twips, as RTF gives them.
struct ParagraphStyle {
    Alignment alignment = Alignment::Left;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;  // from the left indent; negative for a hanging first line
    bool inTable = false;     // the paragraph belongs to a table cell
    ListStyle list;

    bool operator==(const ParagraphStyle&) const = default;
};

// The kinds of picture data RTF carries. Only PNG, JPEG and device-independent
// bitmaps can be shown here; the others are kept as they are and written back.
enum class PictureKind : std::uint8_t { Unknown, Png, Jpeg, Dib, Emf, Wmf, MacPict, Bitmap, Os2Metafile };

// A picture as a file gives it: its data and the size it is shown at.
struct Picture {
    PictureKind kind = PictureKind::Unknown;  // no word named it
    int kindParameter = 0;  // the number the kind's word carries (\wmetafile8, \dibitmap0)
    QByteArray data;
    int pixelWidth = 0;   // \picw and \pich: the picture's own size
    int pixelHeight = 0;
    int goalWidth = 0;    // \picwgoal and \pichgoal: the size shown, in twips; 0 when not given
    int goalHeight = 0;
    int scaleX = 100;     // percent of the goal size
    int scaleY = 100;

    // The size shown, in twips; 0 when the file says nothing usable.
    int shownWidth() const { return int(qint64(goalWidth) * scaleX / 100); }
    int shownHeight() const { return int(qint64(goalHeight) * scaleY / 100); }
};

// One side of a table cell's border.
struct Border {
    int width = 0;  // twips; 0: no border
    bool hasColor = false;
    QRgb color = 0;
    bool operator==(const Border&) const = default;
};

// How a cell of a table row takes part in a merge of cells.
enum class CellMerge : std::uint8_t { None, First, Merged };

// A cell of a table row as its definition (\cellx and what precedes it) gives it.
struct CellDefinition {
    int right = 0;  // the cell's right edge, in twips from the row's origin
    Border top, left, bottom, rightSide;
    bool hasBackground = false;
    QRgb background = 0;
    CellMerge horizontal = CellMerge::None;
    CellMerge vertical = CellMerge::None;
    int paddingLeft = -1;  // twips; below 0: the row's own
    int paddingRight = -1;
    int paddingTop = -1;
    int paddingBottom = -1;
    bool operator==(const CellDefinition&) const = default;
};

// The definition of a table row: where it starts, its cells' padding and its cells.
struct RowDefinition {
    int left = 0;  // \trleft: the row's left edge, in twips
    int gap = -1;  // \trgaph: half the space between cells, in twips; below 0: none given
    std::vector<CellDefinition> cells;
    bool operator==(const RowDefinition&) const = default;
};

}  // namespace rtf
