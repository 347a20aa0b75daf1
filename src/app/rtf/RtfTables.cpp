#include "rtf/RtfTables.h"

#include <QColor>
#include <algorithm>

namespace rtf {

void RtfTables::setDefaultFont(int font) {
    m_defaultFont = font;
    m_styleValid = false;
}

void RtfTables::beginFont(int number) {
    finishFont();
    m_fontOpen = true;
    m_fontNumber = number;
    m_fontCharset = -1;
    m_fontCodePage = 0;
    m_fontName.clear();
    m_fontNameBytes.clear();
}

void RtfTables::fontNameBytes(const char* bytes, qsizetype count) {
    if (m_fontOpen) m_fontNameBytes.append(bytes, count);
}

void RtfTables::fontNameCharacter(char32_t c) {
    if (!m_fontOpen) return;
    flushFontNameBytes();
    m_fontName.append(QString::fromUcs4(&c, 1));
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
    m_fonts.insert_or_assign(m_fontNumber, FontEntry{m_fontName.trimmed(), fontEntryCodePage()});
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
    m_colors.push_back(m_colorSet ? static_cast<qint64>(qRgb(m_red, m_green, m_blue)) : -1);
    m_red = m_green = m_blue = 0;
    m_colorSet = false;
    m_styleValid = false;
}

int RtfTables::codePageOfFont(int font) const {
    const auto it = m_fonts.find(font < 0 ? m_defaultFont : font);
    const int codePage = it != m_fonts.end() ? it->second.codePage : 0;
    return codePage ? codePage : m_documentCodePage;
}

const RunStyle& RtfTables::styleOf(const CharProps& props) {
    if (m_styleValid && props == m_styleProps) return m_style;
    RunStyle style;
    const auto font = m_fonts.find(props.font < 0 ? m_defaultFont : props.font);
    if (font != m_fonts.end()) style.fontFamily = font->second.name;
    style.halfPoints = props.halfPoints;
    style.bold = props.bold;
    style.italic = props.italic;
    style.underline = props.underline;
    if (props.color > 0 && static_cast<size_t>(props.color) < m_colors.size() &&
        m_colors[props.color] >= 0) {
        style.hasColor = true;
        style.color = static_cast<QRgb>(m_colors[props.color]);
    }
    m_style = std::move(style);
    m_styleProps = props;
    m_styleValid = true;
    return m_style;
}

}  // namespace rtf
