#pragma once

#include <QString>
#include <array>

namespace rtf {

// What a file held that a document here cannot keep, counted while the file
// is read, so that the user can be told before a save makes the loss final.
class ReadReport {
public:
    enum class Item {
        EmbeddedObject,
        Drawing,
        Footnote,
        Comment,
        HeaderOrFooter,
        HiddenText,
        NestedTable,
        TableCellsAsText,
        ListItemsAsText,
        ParagraphsAsLines,
        FormattingDropped,
        FontsIgnored,
        ColorsIgnored,
    };
    static constexpr int kItems = int(Item::ColorsIgnored) + 1;

    void note(Item item) { ++m_counts[size_t(item)]; }
    int count(Item item) const { return m_counts[size_t(item)]; }
    bool isEmpty() const;

    // One line per kind of thing left out, for a message to the user; empty
    // when nothing was.
    QString summary() const;

private:
    std::array<int, kItems> m_counts{};
};

}  // namespace rtf
