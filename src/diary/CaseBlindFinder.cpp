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
        m_firstCases[0] = m_folded[0];
        m_firstCases[1] = QChar::toUpper(m_folded[0]);
    }
}

// The next place from `at` that holds the answer's first character in
// either case: Qt finds a single character many at a time.
qsizetype CaseBlindFinder::nextByFirst(QStringView text, qsizetype at) const {
    const qsizetype lower = text.indexOf(QChar(m_firstCases[0]), at);
    if (m_firstCases[1] == m_firstCases[0]) return lower;
    const qsizetype upper = text.indexOf(QChar(m_firstCases[1]), at, Qt::CaseSensitive);
    if (lower < 0) return upper;
    return upper < 0 ? lower : std::min(lower, upper);
}

qsizetype CaseBlindFinder::find(QStringView text, qsizetype from) const {
    const auto qtIndex = [&](qsizetype at) { return text.indexOf(m_answer, at, Qt::CaseInsensitive); };
    if (m_byQt) return qtIndex(from);
    const qsizetype length = m_folded.size();
    const char16_t first = m_folded[0];
    const char16_t* const chars = text.utf16();
    const qsizetype last = text.size() - length;  // the last place a match can start
    for (qsizetype at = std::max<qsizetype>(from, 0); at <= last; ++at) {
        if (m_firstCases[0] && (at = nextByFirst(text, at)) < 0) return -1;
        if (at > last) return -1;
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
