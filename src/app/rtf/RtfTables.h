#pragma once

#include <QByteArray>
#include <QString>
#include <climits>
#include <unordered_map>
#include <vector>

#include "rtf/CodePageDecoder.h"
#include "rtf/ReadReport.h"
#include "rtf/RtfStyle.h"

namespace rtf {

// Character properties as the reader keeps them: numbers into the tables.
struct CharProps {
    int font = -1;  // below 0: the default font (\deff)
    int halfPoints = 24;
    int color = 0;  // index into the colour table; 0 is the automatic colour
    int highlight = 0;  // colour table index of \highlight; 0: none
    int shading = 0;    // colour table index of \chcbpat or \cb; 0: none
    int link = -1;      // index into the hyperlink targets; below 0: none
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    VerticalPosition position = VerticalPosition::Normal;
    bool operator==(const CharProps&) const = default;
};

// A document's font and colour tables, its hyperlink targets and its code
// page, filled while the reader reads them, and what they make of character
// properties: the code page of a font, the style of a run. Each table keeps at
// most its limit of entries; the rest are ignored, and the report says so.
class RtfTables {
public:
    RtfTables(CodePageDecoder& decoder, ReadReport& report) : m_decoder(decoder), m_report(report) {}

    int documentCodePage() const { return m_documentCodePage; }
    void setDocumentCodePage(int codePage) { m_documentCodePage = codePage; }
    void setDefaultFont(int font);

    // Font table: an entry starts with \fN and ends with ';', with the next
    // \f or with its group.
    void beginFont(int number);
    bool fontOpen() const { return m_fontOpen; }
    void setFontCharset(int charset) { m_fontCharset = charset; }
    void setFontCodePage(int codePage) { m_fontCodePage = codePage; }
    void fontNameBytes(const char* bytes, qsizetype count);
    void fontNameCharacter(char32_t c);
    void finishFont();

    // Colour table: components, then ';' ends an entry; an entry without
    // components is the automatic colour.
    void clearColors();
    void setRed(int value) { setComponent(m_red, value); }
    void setGreen(int value) { setComponent(m_green, value); }
    void setBlue(int value) { setComponent(m_blue, value); }
    void finishColor();
    // The colour of a table entry, for the reader's own uses (borders, cell
    // shading); false when the entry is missing or automatic.
    bool colorAt(int index, QRgb* rgb) const;

    // A hyperlink target; the number character properties refer to it by.
    int addLink(const QString& target);

    // The code page in which bytes in this font are written.
    int codePageOfFont(int font) const;
    // The style of text with these properties.
    const RunStyle& styleOf(const CharProps& props);

private:
    struct FontEntry {
        QString name;
        int codePage = 0;  // 0: the document's code page
    };

    void setComponent(int& component, int value);
    int fontEntryCodePage() const;
    void flushFontNameBytes();

    CodePageDecoder& m_decoder;
    ReadReport& m_report;
    int m_documentCodePage = CodePageDecoder::kWindows1252;
    int m_defaultFont = 0;
    std::unordered_map<int, FontEntry> m_fonts;
    std::vector<qint64> m_colors;  // -1: automatic
    std::vector<QString> m_links;

    bool m_fontOpen = false;
    int m_fontNumber = 0;
    int m_fontCharset = -1;
    int m_fontCodePage = 0;
    QString m_fontName;
    QByteArray m_fontNameBytes;

    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colorSet = false;

    // The font whose code page was asked for last, and its entry's code page
    // (0: none of its own), asked for at every run of text.
    static constexpr int kNoFont = INT_MIN;
    mutable int m_lastFont = kNoFont;
    mutable int m_lastFontCodePage = 0;

    // The style of the last run, resolved once for the runs that repeat it.
    bool m_styleValid = false;
    CharProps m_styleProps;
    RunStyle m_style;
};

}  // namespace rtf
