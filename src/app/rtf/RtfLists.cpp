#include "rtf/RtfLists.h"

#include <algorithm>

namespace rtf {
namespace {

// What a \levelnfc number shows; false for levels without a number.
bool kindOfFormat(int format, ListKind* kind) {
    switch (format) {
        case 1: *kind = ListKind::UpperRoman; return true;
        case 2: *kind = ListKind::LowerRoman; return true;
        case 3: *kind = ListKind::UpperAlpha; return true;
        case 4: *kind = ListKind::LowerAlpha; return true;
        case 23: *kind = ListKind::Disc; return true;
        case 255: return false;  // no number at all
        default: *kind = ListKind::Decimal; return true;
    }
}

bool isPlaceholder(QChar c) { return c.unicode() < 10; }

}  // namespace

void RtfLists::beginList() { m_list = List(); }

void RtfLists::beginLevel() { m_level = Level(); }

void RtfLists::finishLevel() {
    if (m_list.levels.size() < kMaxLevels) m_list.levels.push_back(std::move(m_level));
    m_level = Level();
}

void RtfLists::finishList() {
    if (m_lists.size() < kMaxLists || m_lists.count(m_list.id)) m_lists.insert_or_assign(m_list.id, m_list);
    m_list = List();
}

void RtfLists::beginOverride() { m_override = Override(); }

void RtfLists::finishOverride() {
    if (m_overrides.size() < kMaxLists || m_overrides.count(m_override.number))
        m_overrides.insert_or_assign(m_override.number, m_override.listId);
}

void RtfLists::applyNumberingWord(Word word, int param, ParagraphNumbering& numbering) {
    switch (word) {
        case Word::PnBullet:
            numbering.bullet = true;
            numbering.level = 0;
            break;
        case Word::PnBody:
            numbering.bullet = false;
            numbering.level = 0;
            break;
        case Word::PnLevel: numbering.level = std::clamp(param - 1, 0, int(kMaxLevels) - 1); break;
        case Word::PnContinue: numbering.set = false; break;  // a paragraph without a number
        case Word::PnDecimal: numbering.kind = ListKind::Decimal; break;
        case Word::PnUpperRoman: numbering.kind = ListKind::UpperRoman; break;
        case Word::PnLowerRoman: numbering.kind = ListKind::LowerRoman; break;
        case Word::PnUpperLetter: numbering.kind = ListKind::UpperAlpha; break;
        case Word::PnLowerLetter: numbering.kind = ListKind::LowerAlpha; break;
        default: break;
    }
}

ListKind RtfLists::bulletKind(const QString& bullet) {
    const char16_t c = bullet.isEmpty() ? 0 : bullet.at(0).unicode();
    switch (c) {
        case u'o':
        case 0x25E6:  // white bullet
        case 0x25CB:  // white circle
            return ListKind::Circle;
        case 0x25AA:  // small black square
        case 0x25A0:  // black square
        case 0x00A7:  // the small square of Wingdings, read as its byte
        case 0xF0A7:
            return ListKind::Square;
        default:
            return ListKind::Disc;
    }
}

ListStyle RtfLists::resolve(int number, int level) const {
    ListStyle style;
    const auto override = m_overrides.find(number);
    if (override == m_overrides.end()) return style;
    const auto list = m_lists.find(override->second);
    if (list == m_lists.end() || list->second.levels.empty()) return style;
    level = std::clamp(level, 0, int(list->second.levels.size()) - 1);
    const Level& def = list->second.levels[size_t(level)];
    if (!kindOfFormat(def.format, &style.kind)) return style;

    // The text proper follows its length; numbers are the characters below 10.
    QString text = def.text;
    if (!text.isEmpty()) {
        const int length = text.at(0).unicode();
        text = text.mid(1, length);
    }
    if (def.format == 23) {
        style.kind = bulletKind(text);
    } else {
        qsizetype first = 0;
        while (first < text.size() && !isPlaceholder(text.at(first))) ++first;
        qsizetype last = text.size() - 1;
        while (last >= 0 && !isPlaceholder(text.at(last))) --last;
        if (first < text.size()) {
            style.prefix = text.left(first);
            style.suffix = text.mid(last + 1);
        } else {
            style.suffix = QStringLiteral(".");
        }
    }
    style.key = std::clamp(number, 0, kParagraphNumberingKey - 1);
    style.level = level;
    return style;
}

ListStyle RtfLists::resolve(const ParagraphNumbering& numbering) {
    ListStyle style;
    if (!numbering.set) return style;
    style.key = kParagraphNumberingKey;
    style.level = std::clamp(numbering.level, 0, int(kMaxLevels) - 1);
    if (numbering.bullet) {
        style.kind = bulletKind(numbering.before);
    } else {
        style.kind = numbering.kind;
        style.prefix = numbering.before;
        style.suffix = numbering.after;
    }
    return style;
}

}  // namespace rtf
