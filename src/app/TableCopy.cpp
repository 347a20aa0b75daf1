#include "TableCopy.h"

#include "StoredKind.h"

#include <algorithm>
#include <cstring>

#include "Texts.h"

namespace {
// Texts up to this many bytes are interned: they repeat from record to record.
constexpr std::size_t kShortText = 24;
// A long text's length is kept in front of its bytes.
using LengthPrefix = quint32;
}  // namespace

TableCopy::TableCopy(int columns) : m_tags(std::size_t(columns)), m_cells(std::size_t(columns)) {}

std::size_t TableCopy::lowerBound(qint64 rowid) const {
    return std::size_t(std::lower_bound(m_rowids.begin(), m_rowids.end(), rowid) - m_rowids.begin());
}

void TableCopy::clear() {
    m_rowids.clear();
    m_gone.clear();
    m_goneCount = 0;
    for (auto& tags : m_tags) tags.clear();
    for (auto& cells : m_cells) cells.clear();
    m_wide.clear();
    m_wideFree.clear();
    m_pool.clear();
    m_poolIndex.clear();
    m_longTexts.clear();
    m_longTextsDropped = 0;
}

void TableCopy::swap(TableCopy& other) noexcept {
    std::swap(m_rowids, other.m_rowids);
    std::swap(m_gone, other.m_gone);
    std::swap(m_goneCount, other.m_goneCount);
    std::swap(m_tags, other.m_tags);
    std::swap(m_cells, other.m_cells);
    std::swap(m_wide, other.m_wide);
    std::swap(m_wideFree, other.m_wideFree);
    std::swap(m_pool, other.m_pool);
    std::swap(m_poolIndex, other.m_poolIndex);
    m_longTexts.swap(other.m_longTexts);
    std::swap(m_longTextsDropped, other.m_longTextsDropped);
}

void TableCopy::fit() {
    if (m_longTexts.capacity() - m_longTexts.size() > m_longTexts.size() / 8) m_longTexts.shrink_to_fit();
}

void TableCopy::reserve(std::size_t records) {
    m_rowids.reserve(records);
    m_gone.reserve(records);
    for (auto& tags : m_tags) tags.reserve(records);
    for (auto& cells : m_cells) cells.reserve(records);
}

std::size_t TableCopy::insert(qint64 rowid) {
    // New records nearly always come last: rowids grow.
    const std::size_t at = m_rowids.empty() || m_rowids.back() < rowid ? m_rowids.size() : lowerBound(rowid);
    const auto offset = std::ptrdiff_t(at);
    m_rowids.insert(m_rowids.begin() + offset, rowid);
    m_gone.insert(m_gone.begin() + offset, false);
    for (auto& tags : m_tags) tags.insert(tags.begin() + offset, (unsigned char)Tag::Null);
    for (auto& cells : m_cells) cells.insert(cells.begin() + offset, 0);
    return at;
}

qint64 TableCopy::payload(std::size_t row, int column) const {
    const quint32 cell = m_cells[column][row];
    switch (tag(row, column)) {
        case Tag::Integer:
            return qint32(cell);
        case Tag::Short:
        case Tag::Long:
            return cell;
        case Tag::WideInteger:
        case Tag::Real:
        case Tag::WideLong:
            return m_wide[cell];
        case Tag::Null:
            break;
    }
    return 0;
}

void TableCopy::setCell(std::size_t row, int column, Kind kind, qint64 value) {
    const Tag old = tag(row, column);
    if (kindOf(old) == Kind::Long) m_longTextsDropped += sizeof(LengthPrefix) + longText(payload(row, column)).size();
    quint32& cell = m_cells[column][row];
    if (isWide(old)) m_wideFree.push_back(cell);

    Tag t = Tag::Null;
    switch (kind) {
        case Kind::Null:
            break;
        case Kind::Integer:
            t = value == qint32(value) ? Tag::Integer : Tag::WideInteger;
            break;
        case Kind::Real:
            t = Tag::Real;
            break;
        case Kind::Short:
            t = Tag::Short;
            break;
        case Kind::Long:
            t = quint64(value) <= 0xffffffffu ? Tag::Long : Tag::WideLong;
            break;
    }
    m_tags[column][row] = (unsigned char)t;
    if (!isWide(t)) {
        cell = quint32(value);
        return;
    }
    if (m_wideFree.empty()) {
        cell = quint32(m_wide.size());
        m_wide.push_back(value);
    } else {
        cell = m_wideFree.back();
        m_wideFree.pop_back();
        m_wide[cell] = value;
    }
}

void TableCopy::setNull(std::size_t row, int column) { setCell(row, column, Kind::Null, 0); }

void TableCopy::setInteger(std::size_t row, int column, qint64 value) {
    setCell(row, column, Kind::Integer, value);
}

void TableCopy::setReal(std::size_t row, int column, double value) {
    qint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    setCell(row, column, Kind::Real, bits);
}

void TableCopy::setText(std::size_t row, int column, std::string_view utf8) {
    if (utf8.size() <= kShortText) {
        setCell(row, column, Kind::Short, intern(utf8));
        return;
    }
    const qint64 offset = qint64(m_longTexts.size());
    const auto length = LengthPrefix(utf8.size());
    m_longTexts.append(reinterpret_cast<const char*>(&length), sizeof length);
    m_longTexts.append(utf8);
    setCell(row, column, Kind::Long, offset);
}

void TableCopy::setValue(std::size_t row, int column, const QVariant& value) {
    switch (storedKind(value)) {
        case Kind::Null:
            setNull(row, column);
            break;
        case Kind::Integer:
            setInteger(row, column, value.toLongLong());
            break;
        case Kind::Real:
            setReal(row, column, value.toDouble());
            break;
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            setText(row, column, std::string_view(utf8.constData(), std::size_t(utf8.size())));
        }
    }
}

void TableCopy::markGone(std::size_t row) {
    if (m_gone[row]) return;
    m_gone[row] = true;
    ++m_goneCount;
}

quint32 TableCopy::intern(std::string_view utf8) {
    if (const auto it = m_poolIndex.find(utf8); it != m_poolIndex.end()) return it->second;
    Interned entry;
    entry.text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    entry.number = texts::wholeNumber(entry.text);
    entry.month = texts::monthNumber(entry.text);
    entry.trimmedMonth = texts::monthNumber(entry.text.trimmed());
    const auto index = quint32(m_pool.size());
    m_pool.push_back(std::move(entry));
    m_poolIndex.emplace(std::string(utf8), index);
    return index;
}

std::string_view TableCopy::longText(qint64 offset) const {
    LengthPrefix length = 0;
    std::memcpy(&length, m_longTexts.data() + offset, sizeof length);
    return std::string_view(m_longTexts.data() + offset + sizeof length, length);
}

void TableCopy::compact() {
    if (m_goneCount > 0) {
        std::size_t kept = 0;
        for (std::size_t row = 0; row < m_rowids.size(); ++row) {
            if (m_gone[row]) {
                for (int c = 0; c < columns(); ++c) setNull(row, c);  // counts its long texts as dropped
                continue;
            }
            if (kept != row) {
                m_rowids[kept] = m_rowids[row];
                for (int c = 0; c < columns(); ++c) {
                    m_tags[c][kept] = m_tags[c][row];
                    m_cells[c][kept] = m_cells[c][row];
                }
            }
            ++kept;
        }
        m_rowids.resize(kept);
        m_gone.assign(kept, false);
        for (auto& tags : m_tags) tags.resize(kept);
        for (auto& cells : m_cells) cells.resize(kept);
        m_goneCount = 0;
    }
    // The block of long texts is written anew once most of it is dead.
    if (m_longTextsDropped > 4096 && m_longTextsDropped * 2 > m_longTexts.size()) {
        std::string live;
        live.reserve(m_longTexts.size() - m_longTextsDropped);
        for (int c = 0; c < columns(); ++c) {
            for (std::size_t row = 0; row < m_rowids.size(); ++row) {
                if (kind(row, c) != Kind::Long) continue;
                const std::string_view text = longText(payload(row, c));
                const auto length = LengthPrefix(text.size());
                // (What this counts as dropped is forgotten below.)
                setCell(row, c, Kind::Long, qint64(live.size()));
                live.append(reinterpret_cast<const char*>(&length), sizeof length);
                live.append(text);
            }
        }
        m_longTexts = std::move(live);
        m_longTextsDropped = 0;
    }
}

QVariant TableCopy::value(std::size_t row, int column) const {
    const qint64 bits = payload(row, column);
    switch (kind(row, column)) {
        case Kind::Null:
            return QVariant();
        case Kind::Integer:
            return QVariant(qlonglong(bits));
        case Kind::Real: {
            double d = 0;
            std::memcpy(&d, &bits, sizeof d);
            return QVariant(d);
        }
        case Kind::Short:
            return QVariant(m_pool[std::size_t(bits)].text);
        case Kind::Long: {
            const std::string_view text = longText(bits);
            return QVariant(QString::fromUtf8(text.data(), qsizetype(text.size())));
        }
    }
    return QVariant();
}

QString TableCopy::text(std::size_t row, int column) const {
    const qint64 bits = payload(row, column);
    switch (kind(row, column)) {
        case Kind::Null:
            return QString();
        case Kind::Integer:
            return QString::number(bits);
        case Kind::Real: {
            double d = 0;
            std::memcpy(&d, &bits, sizeof d);
            return QString::number(d, 'g', 15);
        }
        case Kind::Short:
            return m_pool[std::size_t(bits)].text;
        case Kind::Long: {
            const std::string_view text = longText(bits);
            return QString::fromUtf8(text.data(), qsizetype(text.size()));
        }
    }
    return QString();
}

std::optional<qint64> TableCopy::otherNumber(std::size_t row, int column) const {
    const qint64 bits = payload(row, column);
    switch (kind(row, column)) {
        case Kind::Integer:
            return bits;
        case Kind::Real: {
            double d = 0;
            std::memcpy(&d, &bits, sizeof d);
            if (d == double(qint64(d))) return qint64(d);
            return std::nullopt;
        }
        case Kind::Short:
            return m_pool[std::size_t(bits)].number;
        case Kind::Long:
            return texts::wholeNumber(text(row, column));
        case Kind::Null:
            break;
    }
    return std::nullopt;
}

int TableCopy::otherTrimmedMonth(std::size_t row, int column) const {
    // A long text names a month only when blanks pad the name out.
    if (kind(row, column) != Kind::Long) return 0;
    return texts::monthNumber(text(row, column).trimmed());
}
