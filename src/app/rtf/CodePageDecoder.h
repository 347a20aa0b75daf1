#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <map>

namespace rtf {

// Turns bytes of a Windows code page into text. Windows-1252 is built in (it
// is by far the most common); other code pages go through QStringDecoder,
// whose converters are opened once and kept. An unknown code page is read as
// Windows-1252. Control characters other than the tab are dropped, so the
// text can go straight into a paragraph.
class CodePageDecoder {
public:
    static constexpr int kWindows1252 = 1252;
    // Fonts that show symbols in the place of letters. They have no code
    // page of their own; these numbers, below any real one, stand for them.
    static constexpr int kSymbolFont = -42;
    static constexpr int kWingdingsFont = -2;

    // Appends the text of `bytes` in `codePage` to `out`.
    void decode(int codePage, QByteArrayView bytes, QString& out);

    // The code page an \fcharset value stands for; 0 when it names none
    // (the document's code page applies).
    static int codePageForCharset(int charset);

    // Appends Windows-1252 text.
    static void decode1252(QByteArrayView bytes, QString& out);

    // A character written as \uN in a symbol font: Word writes the font's
    // symbols as U+F020 to U+F0FF. Any other character stays as it is.
    static char32_t fromSymbolFont(int codePage, char32_t c);

private:
    QStringDecoder* decoderFor(int codePage);
    std::map<int, QStringDecoder> m_decoders;
};

}  // namespace rtf
