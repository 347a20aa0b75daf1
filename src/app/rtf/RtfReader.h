#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

#include "rtf/CodePageDecoder.h"
#include "rtf/RtfControlWords.h"
#include "rtf/RtfSink.h"
#include "rtf/RtfTables.h"

namespace rtf {

// Reads Rich Text Format in one pass over the bytes, in time linear in their
// number and without recursion, and hands the text to a sink. Input from
// anywhere is expected: groups nested deeper than kMaxDepth are skipped,
// numbers are clamped, binary data is stepped over without copying, and the
// reader never reads past the end. Input that is not RTF is read as plain
// text (UTF-8 when it is valid UTF-8, else Windows-1252).
class RtfReader {
public:
    static constexpr int kMaxDepth = 1024;

    explicit RtfReader(RtfSink& sink) : m_sink(sink) {}

    void read(QByteArrayView data);

    // True when the data starts (after white space) with "{\rtf".
    static bool isRtf(QByteArrayView data);

private:
    enum class Destination : std::uint8_t { Text, FontTable, ColorTable };

    // What a group saves and its closing brace restores.
    struct GroupState {
        CharProps chr;
        ParagraphStyle paragraph;
        int unicodeSkip = 1;
        Destination destination = Destination::Text;
    };

    void readRtf();

    void openGroup();
    void closeGroup();
    void skipGroup();
    void skipInsideSkippedGroups();
    void skipBinary(int count);
    void control(bool atGroupStart);
    void controlWord();
    void applyWord(Word word, bool hasParam, int param);
    void hexByte();
    bool consumeFallback();

    void textBytes(const char* bytes, qsizetype count);
    void symbol(char32_t c);
    void character(char32_t c);
    void unicode(int value);
    void flushSurrogate();
    void startRun();
    void flushBytes();
    void flushRun();
    void paragraphEnd();
    void finish();

    RtfSink& m_sink;
    CodePageDecoder m_decoder;
    RtfTables m_tables{m_decoder};
    const char* m_p = nullptr;
    const char* m_end = nullptr;

    GroupState m_state;
    std::vector<GroupState> m_stack;
    int m_skipDepth = 0;     // open groups being skipped
    int m_fallbackLeft = 0;  // characters of a \u fallback still to drop
    char16_t m_highSurrogate = 0;

    // The run of text being collected: raw bytes not yet decoded, then text.
    bool m_runStarted = false;
    CharProps m_runProps;
    int m_runCodePage = CodePageDecoder::kWindows1252;
    QByteArray m_bytes;
    QString m_run;
    bool m_paragraphHasText = false;
    ParagraphStyle m_textParagraph;  // the layout in force when the last text came
};

}  // namespace rtf
