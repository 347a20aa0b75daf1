#include "rtf/RtfTables.h"

#include <QColor>
#include <algorithm>

#include "rtf/ReadLimits.h"

namespace rtf {
namespace {

// A font name's own length is bounded too: a name of a million letters
// would otherwise be kept for every run that uses it.
constexpr qsizetype kMaxFontName = 256;

bool isSymbolFont(int codePage) {
    return codePage == CodePageDecoder::kSymbolFont || codePage == CodePageDecoder::kWingdingsFont;
}

}  // namespace

void RtfTables::setDefaultFont(int font) {
    m_defaultFont = font;
    m_styleValid = false;
}

void RtfTables::beginFont(int number) {
    finishFont();
    if (m_fonts.size() >= size_t(limits::kFonts) && !m_fonts.count(number)) {
        m_report.note(ReadReport::Item::FontsIgnored);
        return;
    }
    m_fontOpen = true;
    m_fontNumber = number;
    m_fontCharset = -1;
    m_fontCodePage = 0;
    m_fontName.clear();
    m_fontNameBytes.clear();
}

void RtfTables::fontNameBytes(const char* bytes, qsizetype count) {
    if (!m_fontOpen) return;
    count = std::min(count, kMaxFontName - m_fontNameBytes.size());
    if (count > 0) m_fontNameBytes.append(bytes, count);
}

void RtfTables::fontNameCharacter(char32_t c) {
    if (!m_fontOpen) return;
    flushFontNameBytes();
    if (m_fontName.size() < kMaxFontName) m_fontName.append(QString::fromUcs4(&c, 1));
}

int RtfTables::fontEntryCodePage() const {
    if (m_fontCodePage) return m_fontCodePage;
    return CodePageDecoder::codePageForCharset(m_fontCharset);
}

void RtfTables::flushFontNameBytes() {
    if (m_fontNameBytes.isEmpty()) return;
    const int codePage = fontEntryCodePage();
    m_decoder.decode(codePage ? codePage : m_documentCodePage, m_fontNameBytes, m_fontName);
    m_fontNameBytes.clear();
}

void RtfTables::finishFont() {
    if (!m_fontOpen) return;
    flushFontNameBytes();
    const QString name = m_fontName.trimmed();
    int codePage = fontEntryCodePage();
    if (name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0)
        codePage = CodePageDecoder::kSymbolFont;
    else if (name.startsWith(QLatin1String("Wingdings"), Qt::CaseInsensitive))
        codePage = CodePageDecoder::kWingdingsFont;
    m_fonts.insert_or_assign(m_fontNumber, FontEntry{name, codePage});
    m_lastFont = kNoFont;
    m_fontOpen = false;
    m_styleValid = false;
}

void RtfTables::clearColors() {
    m_colors.clear();
    m_red = m_green = m_blue = 0;
    m_colorSet = false;
    m_styleValid = false;
}

void RtfTables::setComponent(int& component, int value) {
    component = std::clamp(value, 0, 255);
    m_colorSet = true;
}

void RtfTables::finishColor() {
    if (m_colors.size() < size_t(limits::kColors))
        m_colors.push_back(m_colorSet ? static_cast<qint64>(qRgb(m_red, m_green, m_blue)) : -1);
    else
        m_report.note(ReadReport::Item::ColorsIgnored);
    m_red = m_green = m_blue = 0;
    m_colorSet = false;
    m_styleValid = false;
}

bool RtfTables::colorAt(int index, QRgb* rgb) const {
    if (index <= 0 || size_t(index) >= m_colors.size() || m_colors[size_t(index)] < 0) return false;
    *rgb = static_cast<QRgb>(m_colors[size_t(index)]);
    return true;
}

int RtfTables::addLink(const QString& target) {
    // A document links to a handful of places, mostly one after another.
    if (!m_links.empty() && m_links.back() == target) return int(m_links.size()) - 1;
    m_links.push_back(target);
    return int(m_links.size()) - 1;
}

int RtfTables::codePageOfFont(int font) const {
    const int number = font < 0 ? m_defaultFont : font;
    if (number != m_lastFont) {
        const auto it = m_fonts.find(number);
        m_lastFontCodePage = it != m_fonts.end() ? it->second.codePage : 0;
        m_lastFont = number;
    }
    return m_lastFontCodePage ? m_lastFontCodePage : m_documentCodePage;
}

const RunStyle& RtfTables::styleOf(const CharProps& props) {
    if (m_styleValid && props == m_styleProps) return m_style;
    RunStyle style;
    const auto font = m_fonts.find(props.font < 0 ? m_defaultFont : props.font);
    // Text in a symbol font has been turned into the characters it shows,
    // which any font draws.
    if (font != m_fonts.end() && !isSymbolFont(font->second.codePage)) style.fontFamily = font->second.name;
    style.halfPoints = props.halfPoints;
    style.bold = props.bold;
    style.italic = props.italic;
    style.underline = props.underline;
    style.strike = props.strike;
    style.position = props.position;
    style.hasColor = colorAt(props.color, &style.color);
    style.hasBackground = colorAt(props.highlight, &style.background) ||
                          colorAt(props.shading, &style.background);
    if (props.link >= 0 && size_t(props.link) < m_links.size()) style.href = m_links[size_t(props.link)];
    m_style = std::move(style);
    m_styleProps = props;
    m_styleValid = true;
    return m_style;
}

}  // namespace rtf
