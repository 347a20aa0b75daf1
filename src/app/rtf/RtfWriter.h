#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QRgb>
#include <QString>

#include "rtf/ListTableWriter.h"
#include "rtf/RtfStyle.h"

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextFrame;
class QTextImageFormat;
class QTextTable;

namespace rtf {

// Writes a QTextDocument as Rich Text Format that word processors read:
// pure ASCII, Windows-1252 header, a font table naming real font families, a
// colour table whose first entry is the automatic colour, a list table, every
// character above 0x7E as \uN? (beyond 16 bits as a surrogate pair). Per
// paragraph its alignment, spacing, indents and list; per run its font, size,
// bold, italic, underline, strike-through, raising or lowering, colour,
// background and hyperlink; pictures with their data; tables with their
// cells' widths, borders, shading and merges.
class RtfWriter {
public:
    explicit RtfWriter(const QTextDocument& document);
    QByteArray write();

private:
    struct Run {
        int font = 0;
        int halfPoints = 24;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        VerticalPosition position = VerticalPosition::Normal;
        int color = 0;
        int background = 0;
    };

    Run runOf(const QTextCharFormat& format);
    int fontIndex(const QString& family);
    int colorIndex(QRgb rgb);

    void writeFrame(QTextFrame* frame, QByteArray& out);
    void writeTable(QTextTable* table, QByteArray& out);
    // The paragraph's own words: its layout, and its list.
    void writeParagraphStart(const QTextBlock& block, bool inTable, QByteArray& out);
    void writeRuns(const QTextBlock& block, QByteArray& out);
    void writeRun(const QTextCharFormat& format, QStringView text, QByteArray& out);
    void writePicture(const QTextImageFormat& format, QByteArray& out);
    void writeHeader(QByteArray& out) const;

    const QTextDocument& m_document;
    QString m_defaultFamily;
    int m_defaultHalfPoints = 24;
    bool m_defaultBold = false;
    bool m_defaultItalic = false;
    bool m_defaultUnderline = false;
    QList<QString> m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
    ListTableWriter m_lists;
};

}  // namespace rtf
