#pragma once

#include <QString>
#include <QVariant>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The in-memory copy of one table, kept compact so that a planner of a
// hundred thousand appointments costs a few megabytes and a scan of it a
// fraction of a millisecond.
//
// The values are kept column by column, each as a tag and four bytes: a
// whole number, a real number, a short text or a long text. Short texts
// (month names, years, "AM", day numbers) are interned: every equal text is
// one entry of a pool that also holds what the scans want to know of it, its
// whole-number value and the month it names, worked out once. Long texts (an
// appointment's own text) are kept as UTF-8 in one block. What does not fit
// four bytes (a real number, a whole number beyond 32 bits, a text far into
// a block of more than 4 GiB) is kept in a side list that the cell points at.
//
// A record can be marked gone (deleted in the file within a batch of
// writes); it stays in place until compact() removes every gone record in
// one pass.
class TableCopy {
public:
    enum class Kind : unsigned char { Null, Integer, Real, Short, Long };

    // What is known of one interned short text.
    struct Interned {
        QString text;
        std::optional<qint64> number;  // its whole-number value ("05" -> 5)
        int month = 0;                 // 1 .. 12 when it is exactly a month's name
        int trimmedMonth = 0;          // the same for the text without blanks at its ends
    };

    explicit TableCopy(int columns = 0);

    int columns() const { return int(m_tags.size()); }
    // Records held, gone ones included.
    std::size_t size() const { return m_rowids.size(); }
    std::size_t goneCount() const { return m_goneCount; }
    qint64 rowid(std::size_t row) const { return m_rowids[row]; }
    bool gone(std::size_t row) const { return m_gone[row]; }
    // The first record whose rowid is at least `rowid`.
    std::size_t lowerBound(qint64 rowid) const;

    // --- Building ---------------------------------------------------------
    void clear();
    // Exchanges the contents, buffers included, with `other`.
    void swap(TableCopy& other) noexcept;
    void reserve(std::size_t records);
    // Gives back what the block of long texts holds beyond its texts.
    void fit();
    // A new record of null values at its place in rowid order.
    std::size_t insert(qint64 rowid);
    void setNull(std::size_t row, int column);
    void setInteger(std::size_t row, int column, qint64 value);
    void setReal(std::size_t row, int column, double value);
    void setText(std::size_t row, int column, std::string_view utf8);
    void setValue(std::size_t row, int column, const QVariant& value);
    void markGone(std::size_t row);
    // Removes the gone records and the long texts nobody holds any more.
    void compact();

    // --- Reading ------------------------------------------------------------
    Kind kind(std::size_t row, int column) const { return kindOf(tag(row, column)); }
    bool isNull(std::size_t row, int column) const { return kind(row, column) == Kind::Null; }
    // The stored value: a QString, a qlonglong, a double or a null QVariant.
    QVariant value(std::size_t row, int column) const;
    // The stored value as text: numbers in decimal, null as "".
    QString text(std::size_t row, int column) const;
    // The value read as a whole number: a number, or a text holding one.
    // (Inline for the scans that run on every tick.)
    std::optional<qint64> number(std::size_t row, int column) const {
        const Tag t = tag(row, column);
        if (t == Tag::Short) return m_pool[m_cells[column][row]].number;
        if (t == Tag::Integer) return qint64(qint32(m_cells[column][row]));
        return otherNumber(row, column);
    }
    // 1 .. 12 when the value is a text naming a month exactly (with
    // `trimmed`, once blanks at its ends are dropped); 0 otherwise.
    int monthNumber(std::size_t row, int column, bool trimmed = false) const {
        if (const Interned* entry = interned(row, column))
            return trimmed ? entry->trimmedMonth : entry->month;
        return trimmed ? otherTrimmedMonth(row, column) : 0;
    }
    // The interned entry of a short text, null for any other kind.
    const Interned* interned(std::size_t row, int column) const {
        return tag(row, column) == Tag::Short ? &m_pool[m_cells[column][row]] : nullptr;
    }

private:
    // How a cell's four bytes are read: inline (a whole number of 32 bits, a
    // pool index, an offset into the block of long texts) or as the index of
    // an entry of the side list holding the eight bytes.
    enum class Tag : unsigned char { Null, Integer, Short, Long, WideInteger, Real, WideLong };
    static bool isWide(Tag t) { return t >= Tag::WideInteger; }
    static Kind kindOf(Tag t) {
        constexpr Kind kinds[] = {Kind::Null, Kind::Integer, Kind::Short, Kind::Long,
                                  Kind::Integer, Kind::Real, Kind::Long};
        return kinds[std::size_t(t)];
    }
    Tag tag(std::size_t row, int column) const { return Tag(m_tags[column][row]); }
    // The whole eight bytes of a cell of kind Integer, Real or Long.
    qint64 payload(std::size_t row, int column) const;

    std::optional<qint64> otherNumber(std::size_t row, int column) const;
    int otherTrimmedMonth(std::size_t row, int column) const;
    quint32 intern(std::string_view utf8);
    std::string_view longText(qint64 offset) const;
    // Sets a cell of kind `kind` to `value`: the whole number, the real
    // number's bits, the pool index or the long text's offset.
    void setCell(std::size_t row, int column, Kind kind, qint64 value);

    struct ViewHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::vector<qint64> m_rowids;
    std::vector<bool> m_gone;
    std::size_t m_goneCount = 0;
    std::vector<std::vector<unsigned char>> m_tags;  // per column
    std::vector<std::vector<quint32>> m_cells;       // per column
    // Eight-byte values the cells of wide tags point at; an entry a cell
    // gave up is reused by the next wide value written to a cell.
    std::vector<qint64> m_wide;
    std::vector<quint32> m_wideFree;
    std::vector<Interned> m_pool;
    std::unordered_map<std::string, quint32, ViewHash, std::equal_to<>> m_poolIndex;
    // Long texts: a 4-byte length and the UTF-8 bytes, one after another.
    std::string m_longTexts;
    std::size_t m_longTextsDropped = 0;  // bytes of texts replaced or gone
};
