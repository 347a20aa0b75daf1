#pragma once

namespace rtf {

// Bounds on what one file may make the reader build, so that loading stays
// fast and small whatever a file holds. Content beyond them is not dropped:
// it is kept in a simpler form (table cells and list items as text, paragraph
// breaks as line breaks, further runs in the look of the one before), and the
// reader's report says so. Real documents stay far below every one of them.
namespace limits {

inline constexpr int kFonts = 32768;             // font table entries
inline constexpr int kColors = 32768;            // colour table entries
inline constexpr int kParagraphs = 100000;       // paragraph breaks
inline constexpr int kRuns = 200000;             // changes of the look of the text
inline constexpr int kTableCells = 20000;        // table cells in the whole document
inline constexpr int kListItems = 4000;          // list items in the whole document
inline constexpr int kItemsPerList = 500;        // items numbered together in one list
inline constexpr int kPicturesShown = 200;       // pictures decoded for showing
inline constexpr long long kPixelsShown = 64LL << 20;  // their pixels, all together

}  // namespace limits
}  // namespace rtf
