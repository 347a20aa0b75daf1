// Saving a document as RTF and loading it again gives the same blocks, text
// and formatting, for every combination of font, size, bold, italic,
// underline, colour and alignment and for text in many scripts. The RTF the
// writer produces is checked where other programs depend on its form.
#include <QFontInfo>
#include <QTextBlock>
#include <QTextList>
#include <QTextTable>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include "Twips.h"
#include "rtf/Rtf.h"
#include "support/DocumentDescription.h"

namespace {

// The formatting a character shows, with unset properties taken from the
// document's default font.
struct Look {
    QString family;
    double points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QString color;
    QString extra;  // strike-through, raising, background, link
    bool operator==(const Look&) const = default;
};

Look lookOf(const QTextCharFormat& f, const QFont& base) {
    Look look;
    // A family by the name this toolkit gives it or by the real one it stands for.
    look.family = QFontInfo(QFont(f.fontFamilies().toStringList().value(0, base.family()))).family();
    look.points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : base.pointSizeF();
    look.bold = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() >= QFont::DemiBold
                                                       : base.weight() >= QFont::DemiBold;
    look.italic = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : base.italic();
    look.underline = f.fontUnderline();
    look.color = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : "auto";
    if (f.fontStrikeOut()) look.extra += "s";
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) look.extra += "^";
    if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) look.extra += "_";
    if (f.hasProperty(QTextFormat::BackgroundBrush)) look.extra += " on " + f.background().color().name();
    if (f.isAnchor()) look.extra += " link " + f.anchorHref();
    return look;
}

// One line per block (alignment and text), then one per run of characters
// that look the same: runs are merged by their look, so documents that split
// fragments differently but show the same compare equal.
QStringList blocks(const QTextDocument& document) {
    QStringList out;
    const QFont base = document.defaultFont();
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const Qt::Alignment a = b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        out << QStringLiteral("[%1] %2").arg(a == Qt::AlignLeading ? int(Qt::AlignLeft) : int(a)).arg(b.text());
        Look current;
        QString text;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const Look look = lookOf(it.fragment().charFormat(), base);
            if (!text.isEmpty() && !(look == current)) {
                out << QStringLiteral("  %1 %2 %3 %4%5%6 %7%8").arg(text, current.family).arg(current.points)
                           .arg(current.bold ? "b" : "-", current.italic ? "i" : "-", current.underline ? "u" : "-",
                                current.color, current.extra);
                text.clear();
            }
            current = look;
            text += it.fragment().text();
        }
        if (!text.isEmpty())
            out << QStringLiteral("  %1 %2 %3 %4%5%6 %7%8").arg(text, current.family).arg(current.points)
                       .arg(current.bold ? "b" : "-", current.italic ? "i" : "-", current.underline ? "u" : "-",
                            current.color, current.extra);
    }
    return out;
}

QTextCharFormat format(const QString& family, double points, bool bold, bool italic, bool underline,
                       const QColor& color) {
    QTextCharFormat f;
    f.setFontFamilies({family});
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    f.setFontUnderline(underline);
    if (color.isValid()) f.setForeground(color);
    return f;
}

}  // namespace

class TestRtfRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void everyCombination_data();
    void everyCombination();
    void structure_data();
    void structure();
    void writerOutput_data();
    void writerOutput();
    void paragraphLayout();
    void objectsKept();
};

void TestRtfRoundTrip::everyCombination_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << "Plain words 123";
    QTest::newRow("accents") << QString::fromUtf8("àéîõü ÀÉÎÕÜ çÇ ñ ß œ");
    QTest::newRow("euro and signs") << QString::fromUtf8("10 € – “quoted” … © ™ ‰");
    QTest::newRow("japanese") << QString::fromUtf8("日本語のテキスト、カタカナ");
    QTest::newRow("emoji") << QString::fromUtf8("smile 😀 heart ❤ flag 🇫🇷");
    QTest::newRow("rtf specials") << QString::fromUtf8("back\\slash {braces} ; semicolon ?");
    QTest::newRow("tab nbsp soft hyphen") << QString::fromUtf8("a\tb\u00A0c\u00ADd\u2011e");
    QTest::newRow("line break inside") << QString::fromUtf8("first") + QChar(QChar::LineSeparator) + "second";
    QTest::newRow("cyrillic greek hebrew") << QString::fromUtf8("Привет Γειά שלום");
}

// Every alignment is a block; inside it every combination of the character
// properties is a run of the text.
void TestRtfRoundTrip::everyCombination() {
    QFETCH(QString, text);
    const QStringList families = {"DejaVu Sans", "Liberation Serif", QString::fromUtf8("Noto Sans CJK JP")};
    const QList<double> sizes = {8, 10.5, 12, 36};
    const QList<QColor> colors = {QColor(), QColor(255, 0, 0), QColor(0, 128, 255)};
    const QList<Qt::Alignment> alignments = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};

    QTextDocument original;
    QTextCursor cursor(&original);
    bool firstBlock = true;
    int runs = 0;
    for (const Qt::Alignment alignment : alignments) {
        QTextBlockFormat block;
        block.setAlignment(alignment);
        if (firstBlock)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        firstBlock = false;
        for (const QString& family : families)
            for (const double size : sizes)
                for (int flags = 0; flags < 8; ++flags)
                    for (const QColor& color : colors) {
                        QTextCharFormat f = format(family, size, flags & 1, flags & 2, flags & 4, color);
                        // Strike-through, raising and lowering, backgrounds and links, in turn.
                        switch (runs % 4) {
                            case 1:
                                f.setFontStrikeOut(true);
                                f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
                                break;
                            case 2:
                                f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
                                f.setBackground(QColor(255, 255, 0));
                                break;
                            case 3:
                                f.setAnchor(true);
                                f.setAnchorHref(QString::fromUtf8("https://example.org/caf\u00e9?q=%1&r=2#top").arg(runs));
                                break;
                            default: break;
                        }
                        cursor.insertText(text, f);
                        ++runs;
                    }
    }
    QCOMPARE(runs, 3 * 3 * 4 * 8 * 3);

    QTextDocument loaded;
    rtf::read(rtf::write(original), &loaded);
    QCOMPARE(loaded.blockCount(), original.blockCount());
    const QStringList expected = blocks(original);
    const QStringList actual = blocks(loaded);
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) QCOMPARE(actual[i], expected[i]);
    QCOMPARE(rtf::plainText(rtf::write(original)), original.toPlainText());
}

void TestRtfRoundTrip::structure_data() {
    QTest::addColumn<QStringList>("paragraphs");
    QTest::newRow("empty document") << QStringList{""};
    QTest::newRow("one paragraph") << QStringList{"one"};
    QTest::newRow("empty first and last") << QStringList{"", "middle", ""};
    QTest::newRow("several empty") << QStringList{"a", "", "", "b"};
    QTest::newRow("spaces kept") << QStringList{"  two leading", "trailing  ", " "};
}

// Empty paragraphs, the first and the last included, survive the trip.
void TestRtfRoundTrip::structure() {
    QFETCH(QStringList, paragraphs);
    QTextDocument original;
    original.setPlainText(paragraphs.join('\n'));
    QTextDocument loaded;
    rtf::read(rtf::write(original), &loaded);
    QCOMPARE(loaded.blockCount(), paragraphs.size());
    QCOMPARE(blocks(loaded), blocks(original));
}

// Paragraph spacing and indents survive a save and a load, to the twip, and
// a paragraph without any writes none of them.
void TestRtfRoundTrip::paragraphLayout() {
    struct Layout {
        double before, after, left, right, first;
    };
    const QList<Layout> layouts = {{0, 0, 0, 0, 0}, {200, 80, 0, 0, 0}, {0, 60, 360, 0, -180},
                                   {15, 0, 0, 720, 0}, {0, 0, 0, 0, 0}, {1440, 1440, 2880, 2880, 720}};
    const double perPixel = twips::perPixel();
    QTextDocument original;
    QTextCursor cursor(&original);
    for (int i = 0; i < layouts.size(); ++i) {
        const Layout& l = layouts[i];
        QTextBlockFormat block;
        block.setTopMargin(l.before / perPixel);
        block.setBottomMargin(l.after / perPixel);
        block.setLeftMargin(l.left / perPixel);
        block.setRightMargin(l.right / perPixel);
        block.setTextIndent(l.first / perPixel);
        if (i == 0)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        cursor.insertText(QStringLiteral("paragraph %1").arg(i));
    }
    const QByteArray saved = rtf::write(original);
    const auto lineWith = [&saved](const QByteArray& text) {
        for (const QByteArray& line : saved.split('\n'))
            if (line.contains(text)) return line;
        return QByteArray();
    };
    QVERIFY2(lineWith("paragraph 0").startsWith("\\pard\\ql{"), saved.constData());
    QVERIFY2(lineWith("paragraph 2").startsWith("\\pard\\ql\\sa60\\li360\\fi-180{"), saved.constData());
    QTextDocument loaded;
    rtf::read(saved, &loaded);
    QCOMPARE(loaded.blockCount(), layouts.size());
    const auto twipsOf = [perPixel](double pixels) { return qRound(pixels * perPixel); };
    for (int i = 0; i < layouts.size(); ++i) {
        const QTextBlockFormat f = loaded.findBlockByNumber(i).blockFormat();
        const Layout& l = layouts[i];
        QCOMPARE(loaded.findBlockByNumber(i).text(), QStringLiteral("paragraph %1").arg(i));
        QCOMPARE(twipsOf(f.topMargin()), qRound(l.before));
        QCOMPARE(twipsOf(f.bottomMargin()), qRound(l.after));
        QCOMPARE(twipsOf(f.leftMargin()), qRound(l.left));
        QCOMPARE(twipsOf(f.rightMargin()), qRound(l.right));
        QCOMPARE(twipsOf(f.textIndent()), qRound(l.first));
    }
}

void TestRtfRoundTrip::writerOutput_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");  // must appear in the output
    QTest::newRow("header") << "x" << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1");
    QTest::newRow("automatic colour first") << "x" << QByteArray("{\\colortbl;");
    QTest::newRow("escapes") << "a\\b{c}" << QByteArray("a\\\\b\\{c\\}");
    QTest::newRow("e acute") << QString::fromUtf8("é") << QByteArray("\\u233?");
    QTest::newRow("tilde is ascii") << "~" << QByteArray("~");
    QTest::newRow("del above 7e") << QString(QChar(0x7F)) << QByteArray("\\u127?");
    QTest::newRow("euro") << QString::fromUtf8("€") << QByteArray("\\u8364?");
    QTest::newRow("above 32767 negative") << QString::fromUtf8("語") << QByteArray("\\u-30050?");
    QTest::newRow("emoji as surrogate pair") << QString::fromUtf8("😀") << QByteArray("\\u-10179?\\u-8704?");
    QTest::newRow("tab") << "a\tb" << QByteArray("a\\tab b");
    QTest::newRow("line break") << "a" + QString(QChar(QChar::LineSeparator)) + "b" << QByteArray("a\\line b");
}

void TestRtfRoundTrip::writerOutput() {
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QTextDocument document;
    QTextCursor(&document).insertText(text);
    const QByteArray out = rtf::write(document);
    QVERIFY2(out.contains(expected), out.constData());
    for (const char c : out) QVERIFY2(uchar(c) < 0x80, "the output is pure ASCII");
}

// Lists of two levels, a table with merged cells, borders and shading, an
// image that exists only in memory and pictures kept from a file survive a
// save and a load.
void TestRtfRoundTrip::objectsKept() {
    QTextDocument original;
    // Pictures as a file gives them: a PNG, and a metafile nothing here draws.
    const QByteArray png = QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAIAAAACCAIAAAD91JpzAAAAFklEQVR4nGP8z8DAwMDAxMDAwMDAAAANHQEDasKb6QAAAABJRU5ErkJggg==");
    rtf::read("{\\rtf1 pictures {\\pict\\pngblip\\picw2\\pich2\\picwgoal600\\pichgoal300 " + png.toHex() +
                  "} and {\\pict\\wmetafile8\\picw100\\pich50 0102abcdef}\\par}",
              &original);
    QTextCursor cursor(&original);
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText("one");
    QTextListFormat outer;
    outer.setStyle(QTextListFormat::ListDecimal);
    outer.setNumberSuffix(")");
    QTextList* first = cursor.createList(outer);
    cursor.insertBlock();
    cursor.insertText("inner");
    QTextListFormat inner;
    inner.setStyle(QTextListFormat::ListCircle);
    inner.setIndent(2);
    cursor.createList(inner);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText("two");
    first->add(cursor.block());

    cursor.insertBlock(QTextBlockFormat());
    QTextTableFormat tableFormat;
    tableFormat.setBorder(0);
    tableFormat.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 60),
                                           QTextLength(QTextLength::FixedLength, 90),
                                           QTextLength(QTextLength::FixedLength, 40)});
    QTextTable* table = cursor.insertTable(3, 3, tableFormat);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            QTextTableCell cell = table->cellAt(r, c);
            QTextTableCellFormat f;
            f.setTopBorder(2);
            f.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            f.setTopBorderBrush(QColor(0, 0, 255));
            if (r == 0) f.setBackground(QColor(200, 200, 200));
            cell.setFormat(f);
            cell.firstCursorPosition().insertText(QStringLiteral("r%1c%2").arg(r).arg(c));
        }
    table->mergeCells(1, 0, 2, 1);  // down: its second row's text joins the first
    table->mergeCells(0, 1, 1, 2);  // across
    QTextCursor after = table->lastCursorPosition();
    after.movePosition(QTextCursor::NextBlock);
    QImage red(4, 3, QImage::Format_RGB32);
    red.fill(Qt::red);
    original.addResource(QTextDocument::ImageResource, QUrl("memory:red"), red);
    QTextImageFormat image;
    image.setName("memory:red");
    image.setWidth(40);
    image.setHeight(30);
    after.insertText("linked ");
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref("https://example.org/");
    image.merge(link);
    after.insertImage(image);

    const QByteArray saved = rtf::write(original);
    QTextDocument loaded;
    rtf::read(saved, &loaded);
    QCOMPARE(describeDocument(loaded), describeDocument(original));
    QCOMPARE(loaded.toPlainText(), original.toPlainText());
    QCOMPARE(rtf::write(loaded), saved);
    // The pictures come back as the file gave them, whatever their kind.
    QVERIFY(saved.contains("\\wmetafile8\\picw100\\pich50"));
    QVERIFY(saved.contains("0102abcdef"));
    QVERIFY(QByteArray(saved).replace('\n', "").contains(png.toHex()));
    QVERIFY(saved.contains("HYPERLINK \"https://example.org/\"}{\\fldrslt {\\*\\shppict{\\pict\\pngblip\\picw4\\pich3"));
}

QTEST_MAIN(TestRtfRoundTrip)
#include "tst_rtf_roundtrip.moc"
