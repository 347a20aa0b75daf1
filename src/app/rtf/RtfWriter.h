#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QRgb>
#include <QString>

class QTextDocument;
class QTextCharFormat;

namespace rtf {

// Writes a QTextDocument as Rich Text Format that word processors read:
// pure ASCII, Windows-1252 header, a font table, a colour table whose first
// entry is the automatic colour, every character above 0x7E as \uN? (beyond
// 16 bits as a surrogate pair), per paragraph its alignment, spacing and
// indents, per run its font, size, bold, italic, underline and colour.
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
        int color = 0;
    };

    Run runOf(const QTextCharFormat& format);
    int fontIndex(const QString& family);
    int colorIndex(QRgb rgb);
    void writeHeader(QByteArray& out) const;
    static void writeText(QByteArray& out, QStringView text);

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
};

}  // namespace rtf
