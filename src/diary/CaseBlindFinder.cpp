#include "diary/CaseBlindFinder.h"

#include <algorithm>
#include <array>

namespace {
constexpr auto kAsciiFold = [] {
    std::array<char16_t, 128> fold{};
    for (char16_t c = 0; c < 128; ++c) fold[c] = c >= u'A' && c <= u'Z' ? c + 32 : c;
    return fold;
}();

char16_t folded(char16_t c) { return c < 128 ? kAsciiFold[c] : QChar::toCaseFolded(c); }

// Whether a character beyond ASCII folds to this ASCII character (the
// Kelvin sign to k, the long s to s): only for the others can a place be
// found by the character's two cases alone.
bool foldedToFromBeyondAscii(char16_t ascii) {
    static const auto kReached = [] {
        std::array<bool, 128> reached{};
        for (char32_t c = 128; c <= 0xFFFF; ++c)
            if (!QChar::isSurrogate(c) && QChar::toCaseFolded(c) < 128) reached[QChar::toCaseFolded(c)] = true;
        return reached;
    }();
    return kReached[ascii];
}
}  // namespace

CaseBlindFinder::CaseBlindFinder(const QString& answer) : m_answer(answer) {
    for (const QChar c : answer) {
        if (c.isSurrogate()) m_byQt = true;
        m_folded.append(folded(c.unicode()));
    }
    m_byQt |= m_folded.isEmpty();
    if (!m_byQt && m_folded[0] < 128 && !foldedToFromBeyondAscii(m_folded[0])) {
        m_skipByFirst = true;
        m_caseBit = m_folded[0] >= u'a' && m_folded[0] <= u'z' ? 0x20 : 0;
    }
}

qsizetype CaseBlindFinder::find(QStringView text, qsizetype from) const {
    const auto qtIndex = [&](qsizetype at) { return text.indexOf(m_answer, at, Qt::CaseInsensitive); };
    if (m_byQt) return qtIndex(from);
    const qsizetype length = m_folded.size();
    const char16_t first = m_folded[0];
    const char16_t* const chars = text.utf16();
    const qsizetype last = text.size() - length;  // the last place a match can start
    for (qsizetype at = std::max<qsizetype>(from, 0); at <= last; ++at) {
        if (m_skipByFirst) {
            // Only the first character's own two cases can start a match:
            // for an ASCII letter they differ in the 0x20 bit alone, and no
            // other character gives it by that bit.
            while (at <= last && char16_t(chars[at] | m_caseBit) != first) ++at;
            if (at > last) return -1;
        }
        const char16_t c = chars[at];
        if (c < 128) {
            if (kAsciiFold[c] != first) continue;
        } else if (QChar::isSurrogate(c)) {
            return qtIndex(at);
        } else if (QChar::toCaseFolded(c) != first) {
            continue;
        }
        qsizetype k = 1;
        for (; k < length; ++k) {
            const char16_t d = chars[at + k];
            if (QChar::isSurrogate(d)) return qtIndex(at);
            if (folded(d) != m_folded[k]) break;
        }
        if (k == length) return at;
    }
    return -1;
}
