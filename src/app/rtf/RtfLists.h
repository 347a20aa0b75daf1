#pragma once

#include <QString>
#include <unordered_map>
#include <vector>

#include "rtf/RtfControlWords.h"
#include "rtf/RtfStyle.h"

namespace rtf {

// A paragraph's own list numbering in the older form (\pn): a level and the
// kind of its numbers, carried by every paragraph of the list.
struct ParagraphNumbering {
    bool set = false;
    bool bullet = false;
    int level = 0;  // 0 for the outermost level
    ListKind kind = ListKind::Decimal;
    QString before;  // \pntxtb: the bullet, or the text before the number
    QString after;   // \pntxta: the text after the number
    bool operator==(const ParagraphNumbering&) const = default;
};

// A paragraph's list as its words give it (\lsN and \ilvlN, or \pn),
// resolved when the paragraph begins.
struct ListReference {
    int number = -1;  // \ls
    int level = 0;    // \ilvl
    ParagraphNumbering numbering;
    bool operator==(const ListReference&) const = default;
};

// The lists of a document: the list table (\listtable: each list's levels,
// with the kind of their numbers and the text round them), the override table
// (\listoverridetable: the numbers \lsN that paragraphs name a list by), and
// what a paragraph's \lsN and \ilvlN, or its \pn numbering, make of it.
class RtfLists {
public:
    // The key of the lists written in the older form; the keys of the others
    // are their \ls numbers, always below it.
    static constexpr int kParagraphNumberingKey = 2'000'000'000;

    // The list table, as the reader meets it.
    void beginList();
    void setListId(int id) { m_list.id = id; }
    void beginLevel();
    void setLevelNumberFormat(int format) { m_level.format = format; }
    // The level's text: its first character is the length of the rest, and
    // characters below 10 stand for the numbers of the levels.
    void setLevelText(const QString& text) { m_level.text = text; }
    void finishLevel();
    void finishList();

    // The override table.
    void beginOverride();
    void setOverrideListId(int id) { m_override.listId = id; }
    void setOverrideNumber(int number) { m_override.number = number; }
    void finishOverride();

    // The list item a paragraph with \lsN and \ilvlN is; none when N names
    // no list or the level shows no number.
    ListStyle resolve(int number, int level) const;
    // The list item a paragraph with this \pn numbering is.
    static ListStyle resolve(const ParagraphNumbering& numbering);
    // The list item a paragraph with this reference is.
    ListStyle resolve(const ListReference& reference) const {
        return reference.number >= 0 ? resolve(reference.number, reference.level) : resolve(reference.numbering);
    }

    // Applies a word of a paragraph's \pn numbering; others are ignored.
    static void applyNumberingWord(Word word, int param, ParagraphNumbering& numbering);

    // What a bullet character looks like in a list here.
    static ListKind bulletKind(const QString& bullet);

private:
    struct Level {
        int format = 0;  // \levelnfc
        QString text;
    };
    struct List {
        int id = 0;
        std::vector<Level> levels;
    };
    struct Override {
        int listId = 0;
        int number = 0;
    };

    static constexpr size_t kMaxLists = 1024;
    static constexpr size_t kMaxLevels = 9;

    Level m_level;
    List m_list;
    Override m_override;
    std::unordered_map<int, List> m_lists;  // by \listid
    std::unordered_map<int, int> m_overrides;  // \ls number to \listid
};

}  // namespace rtf
