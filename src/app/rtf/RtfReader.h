#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

#include "rtf/CodePageDecoder.h"
#include "rtf/ReadLimits.h"
#include "rtf/ParagraphAssembler.h"
#include "rtf/PictureCollector.h"
#include "rtf/ReadReport.h"
#include "rtf/RtfControlWords.h"
#include "rtf/RtfLists.h"
#include "rtf/RtfRowBuilder.h"
#include "rtf/RtfSink.h"
#include "rtf/RtfTables.h"

namespace rtf {

// Reads Rich Text Format in one pass over the bytes, in time linear in their
// number and without recursion, and hands the content to a sink: text,
// pictures, paragraphs, lists and tables. Input from anywhere is expected:
// groups nested deeper than kMaxDepth are skipped, numbers are clamped,
// binary data is stepped over without copying, the reader never reads past
// the end, and what a file may make the reader build is bounded (see
// ReadLimits.h). Input that is not RTF is read as plain text (UTF-8 when it
// is valid UTF-8, else Windows-1252). What the file holds that cannot be kept
// is counted in report().
class RtfReader {
public:
    static constexpr int kMaxDepth = 1024;

    explicit RtfReader(RtfSink& sink) : m_sink(sink), m_keepsLooks(sink.keepsLooks()) {}

    void read(QByteArrayView data);
    const ReadReport& report() const { return m_report; }

    // True when the data starts (after white space) with "{\rtf".
    static bool isRtf(QByteArrayView data);

    // Where the text of a group goes.
    enum class Destination : std::uint8_t {
        Text, FontTable, ColorTable, Picture, FieldInstruction, ListTable, List, ListLevel,
        LevelText, ListOverrideTable, ListOverride, Numbering, NumberingText, Shape, ShapeName,
        ShapeValue, Object,
        // Content that cannot be kept (footnotes, comments, headers): read
        // only to tell whether it holds any text.
        Discarded,
    };

private:

    // What a group saves and its closing brace restores.
    struct GroupState {
        CharProps chr;
        ParagraphStyle paragraph;
        ListReference list;
        int unicodeSkip = 1;
        Destination destination = Destination::Text;
        bool listText = false;  // a list number written as text for readers without lists
        ReadReport::Item discarded = ReadReport::Item::Footnote;  // what a Discarded group is
    };

    void readRtf();

    void openGroup();
    void closeGroup();
    void endDestination(Destination ended);
    void skipGroup();
    void skipInsideSkippedGroups();
    void skipBinary(int count);
    void control(bool atGroupStart);
    void controlWord(bool afterStar);
    void applyWord(Word word, bool hasParam, int param);
    bool applyDestinationWord(Word word);
    void applyListWord(Word word, bool hasParam, int param);
    void applyTableWord(Word word, int param);
    void enter(Destination destination);
    void open(Destination destination, Word word);
    void discard(ReadReport::Item item);
    bool pictureAllowed() const;
    void hexByte();
    bool consumeFallback();

    void textBytes(const char* bytes, qsizetype count);
    void capture(QStringView text);
    void symbol(char32_t c);
    void character(char32_t c);
    void unicode(int value);
    void flushSurrogate();
    void startRun();
    void flushBytes();
    void flushRun();
    const RunStyle& styleOf(const CharProps& props);

    // Paragraphs and tables.
    void paragraphEnd();
    void cell();
    void row();
    void picture();
    void finish();

    RtfSink& m_sink;
    const bool m_keepsLooks;  // false: every run goes with the default look
    ReadReport m_report;
    CodePageDecoder m_decoder;
    RtfTables m_tables{m_decoder, m_report};
    RtfLists m_lists;
    RtfRowBuilder m_rowBuilder;
    ParagraphAssembler m_paragraphs{m_sink, m_report, m_lists, m_rowBuilder};
    const char* m_p = nullptr;
    const char* m_end = nullptr;

    GroupState m_state;
    std::vector<GroupState> m_stack;
    int m_skipDepth = 0;     // open groups being skipped
    int m_fallbackLeft = 0;  // characters of a \u fallback still to drop
    char16_t m_highSurrogate = 0;

    // The run of text being collected: raw bytes not yet decoded, then text.
    bool m_runStarted = false;
    bool m_runListText = false;
    CharProps m_runProps;
    int m_runCodePage = CodePageDecoder::kWindows1252;
    QByteArray m_bytes;
    QString m_run;

    ParagraphStyle m_textParagraph;  // the layout in force when the last text came

    // Text being collected for a destination that is not shown (a field's
    // instruction, a list level's text, a shape property's name).
    QString m_capture;
    ParagraphNumbering m_numbering;
    QString m_shapeProperty;
    bool m_shapeHasPicture = false;
    bool m_numberingTextAfter = false;
    bool m_discardNoted = false;
    PictureCollector m_picture;

    int m_runsLeft = limits::kRuns;  // what is left of the limit of runs
};

}  // namespace rtf
