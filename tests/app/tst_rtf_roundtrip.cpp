// Saving a document as RTF and loading it again gives the same blocks, text
// and formatting, for every combination of font, size, bold, italic,
// underline, colour and alignment and for text in many scripts. The RTF the
// writer produces is checked where other programs depend on its form.
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include "Twips.h"
#include "rtf/Rtf.h"

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
    bool operator==(const Look&) const = default;
};

Look lookOf(const QTextCharFormat& f, const QFont& base) {
    Look look;
    look.family = f.fontFamilies().toStringList().value(0, base.family());
    look.points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : base.pointSizeF();
    look.bold = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() >= QFont::DemiBold
                                                       : base.weight() >= QFont::DemiBold;
    look.italic = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : base.italic();
    look.underline = f.fontUnderline();
    look.color = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : "auto";
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
                out << QStringLiteral("  %1 %2 %3 %4%5%6 %7").arg(text, current.family).arg(current.points)
                           .arg(current.bold ? "b" : "-", current.italic ? "i" : "-", current.underline ? "u" : "-",
                                current.color);
                text.clear();
            }
            current = look;
            text += it.fragment().text();
        }
        if (!text.isEmpty())
            out << QStringLiteral("  %1 %2 %3 %4%5%6 %7").arg(text, current.family).arg(current.points)
                       .arg(current.bold ? "b" : "-", current.italic ? "i" : "-", current.underline ? "u" : "-",
                            current.color);
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
    void picturesLeftOut();
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
                        cursor.insertText(text, format(family, size, flags & 1, flags & 2, flags & 4, color));
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
    QTest::newRow("object character as text") << QString(QChar(0xFFFC)) << QByteArray("\\u-4?");
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

// A picture in the document is not text: the words round it survive, the
// picture leaves no character behind.
void TestRtfRoundTrip::picturesLeftOut() {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("before ");
    QTextImageFormat image;
    image.setName("picture.png");
    cursor.insertImage(image);
    cursor.insertText(" after");
    QTextDocument loaded;
    rtf::read(rtf::write(document), &loaded);
    QCOMPARE(loaded.toPlainText(), QStringLiteral("before  after"));
}

QTEST_MAIN(TestRtfRoundTrip)
#include "tst_rtf_roundtrip.moc"
