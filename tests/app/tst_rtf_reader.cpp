// The RTF reader on small documents: text, characters, code pages, groups and
// destinations, formatting, and input that is not RTF. Every document is read
// both into a QTextDocument and through the plain-text path, which must agree.
#include <QTextBlock>
#include <QTextList>
#include <QTextDocument>
#include <QtTest>

#include "Twips.h"
#include "rtf/Rtf.h"

namespace {

QByteArray doc(const QByteArray& body) { return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}" + body + "}"; }

// The first fragment whose text contains `needle`.
QTextCharFormat formatOf(const QTextDocument& document, const QString& needle, Qt::Alignment* align) {
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(needle)) {
                if (align) *align = b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
                return it.fragment().charFormat();
            }
        }
    }
    return {};
}

}  // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

private slots:
    void plainText_data();
    void plainText();
    void formatting_data();
    void formatting();
    void paragraphLayout_data();
    void paragraphLayout();
    void fontTableForms_data();
    void fontTableForms();
    void lists_data();
    void lists();
    void leftOut_data();
    void leftOut();
    void oneChangePerLoad();
};

void TestRtfReader::plainText_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    // Paragraphs and line ends.
    QTest::newRow("par ends a paragraph") << doc("one\\par two\\par") << "one\ntwo";
    QTest::newRow("text after last par") << doc("one\\par two") << "one\ntwo";
    QTest::newRow("empty paragraphs kept") << doc("a\\par\\par\\par b") << "a\n\n\nb";
    QTest::newRow("backslash newline is par") << doc("a\\\nb\\\r\nc") << "a\nb\nc";
    QTest::newRow("bare line ends ignored") << doc("a\r\nb\nc\rd") << "abcd";
    QTest::newRow("line break") << doc("a\\line b") << "a\nb";
    QTest::newRow("only one space eaten") << doc("\\b  two\\b0   three") << " two  three";
    QTest::newRow("word ends at non-letter") << doc("\\b,x\\i0;y") << ",x;y";
    QTest::newRow("empty document") << doc("") << "";

    // Symbols and escapes.
    QTest::newRow("escapes") << doc("\\{a\\}\\\\") << "{a}\\";
    QTest::newRow("tab and nbsp") << doc("a\\tab b\\~c") << "a\tb c";
    QTest::newRow("dashes quotes bullet")
        << doc("\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet")
        << QString::fromUtf8("—–‘’“”•");
    QTest::newRow("soft and hard hyphen") << doc("a\\-b\\_c") << QString::fromUtf8("a\u00ADb\u2011c");
    QTest::newRow("unknown symbol ignored") << doc("a\\:b\\|c") << "abc";
    QTest::newRow("star inside text ignored") << doc("a\\*b") << "ab";

    // Bytes in code pages.
    QTest::newRow("hex 1252") << doc("caf\\'e9 \\'80 \\'93q\\'94") << QString::fromUtf8("café € “q”");
    QTest::newRow("raw 8-bit byte") << doc("caf\xe9") << QString::fromUtf8("café");
    QTest::newRow("ansicpg 1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}")
                                  << QString::fromUtf8("При");
    QTest::newRow("font charset 204")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}}\\'e9\\f1\\'e9}")
        << QString::fromUtf8("éй");
    QTest::newRow("font cpg beats charset")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset204\\cpg1253 B;}}\\f1\\'e1}")
        << QString::fromUtf8("α");
    QTest::newRow("code pages change within a begun paragraph")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}{\\f2\\fcharset128 G;}{\\f3\\fcharset2 Symbol;}}"
                      "a\\par b{\\f1 \\'e9}c\\f2\\'93\\'fa\\f0\\'e9{\\f3\\'61\\u-3913?}d}")
        << QString::fromUtf8("a\nbйc日éα•d");
    QTest::newRow("shift-jis pair") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset128 G;}}\\f1\\'93\\'fa\\'96\\'7b}")
                                    << QString::fromUtf8("日本");
    QTest::newRow("lead byte cut off by a change of look")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset128 G;}}\\f1 a\\b b\\'93\\i L}") << "abL";
    QTest::newRow("mac") << QByteArray("{\\rtf1\\mac \\'8e\\'d0}") << QString::fromUtf8("é–");
    QTest::newRow("pc") << QByteArray("{\\rtf1\\pc \\'82\\'e1}") << QString::fromUtf8("éß");
    QTest::newRow("pca") << QByteArray("{\\rtf1\\pca \\'82\\'d5}") << QString::fromUtf8("éı");
    QTest::newRow("unknown code page reads 1252") << QByteArray("{\\rtf1\\ansi\\ansicpg4242 \\'e9}")
                                                  << QString::fromUtf8("é");
    QTest::newRow("control byte dropped") << doc("a\\'01\\'0d\\'09b") << "a\tb";

    // Unicode.
    QTest::newRow("u with fallback") << doc("\\u233?t\\u8364?") << QString::fromUtf8("ét€");
    QTest::newRow("negative u") << doc("\\u-3913?") << QString(QChar(0xF0B7));
    QTest::newRow("fallback is hex") << doc("\\u8364\\'80x") << QString::fromUtf8("€x");
    QTest::newRow("uc2") << doc("\\uc2\\u26085\\'93\\'fa!") << QString::fromUtf8("日!");
    QTest::newRow("uc0") << doc("\\uc0\\u233 x") << QString::fromUtf8("éx");
    QTest::newRow("uc is per group") << doc("{\\uc3 \\u233abc}\\u233?z") << QString::fromUtf8("éé") + "z";
    QTest::newRow("fallback stops at group end") << doc("{\\uc3 \\u233a}bc") << QString::fromUtf8("é") + "bc";
    QTest::newRow("fallback counts a control word") << doc("\\u233\\b0 x") << QString::fromUtf8("éx");
    QTest::newRow("surrogate pair") << doc("\\u-10179?\\u-8704?") << QString::fromUtf8("😀");
    QTest::newRow("surrogates with uc0") << doc("\\uc0\\u55357 \\u56832 !") << QString::fromUtf8("😀!");
    QTest::newRow("lone high surrogate") << doc("\\u-10179?x") << QString(QChar(0xFFFD)) + "x";
    QTest::newRow("lone low surrogate") << doc("x\\u-8704?") << "x" + QString(QChar(0xFFFD));
    QTest::newRow("two high surrogates")
        << doc("\\u-10179?\\u-10179?\\u-8704?") << QString(QChar(0xFFFD)) + QString::fromUtf8("😀");
    QTest::newRow("u paragraph separator") << doc("a\\u8233?b") << "a\nb";
    QTest::newRow("u frame marker") << doc("a\\u-560?b") << "a" + QString(QChar(0xFFFD)) + "b";

    // Groups and destinations.
    QTest::newRow("info skipped") << doc("{\\info{\\title T}{\\author A}}x") << "x";
    QTest::newRow("stylesheet skipped") << doc("{\\stylesheet{\\s0 Normal;}}x") << "x";
    QTest::newRow("star unknown skipped") << doc("{\\*\\whatever a{b}c}x") << "x";
    QTest::newRow("star known skipped") << doc("{\\*\\fldinst HYPERLINK x}y") << "y";
    QTest::newRow("field shows result")
        << doc("see {\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt here}}.") << "see here.";
    QTest::newRow("pict is a picture") << doc("a{\\pict\\pngblip 89504e47{\\*\\x}}b") << "a\uFFFCb";
    QTest::newRow("shppict read, nonshppict skipped")
        << doc("a{\\*\\shppict{\\pict\\pngblip 00}}{\\nonshppict{\\pict\\wmetafile8 00}}b") << "a\uFFFCb";
    QTest::newRow("shape picture") << doc("a{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv{\\pict\\pngblip 00}}}}"
                                          "{\\shprslt{\\pict\\wmetafile8 00}}}b") << "a\uFFFCb";
    QTest::newRow("shape without picture") << doc("a{\\shp{\\*\\shpinst{\\sp{\\sn fillColor}{\\sv 255}}}"
                                                  "{\\shptxt box}}b") << "ab";
    QTest::newRow("header footer footnote")
        << doc("{\\header h\\par}{\\footer f}a{\\footnote n}b") << "ab";
    QTest::newRow("object shows its result") << doc("a{\\object{\\*\\objdata 0102}{\\result{\\pict 00}}}b")
                                             << "a\uFFFCb";
    QTest::newRow("bin holds braces") << doc("a{\\pict\\bin4 }}{{}b") << "a\uFFFCb";
    QTest::newRow("bin in text") << doc("a\\bin3 {{{b") << "ab";
    QTest::newRow("bin in skipped group") << doc("a{\\*\\blob\\bin2 }}}b") << "ab";
    QTest::newRow("escaped brace in skipped group") << doc("a{\\*\\x \\}}b") << "ab";
    QTest::newRow("hidden dropped") << doc("a{\\v secret}b\\v c\\v0 d") << "abd";
    QTest::newRow("list fallback shown") << doc("{\\pntext\\'b7\\tab}item") << QString::fromUtf8("·\titem");
    QTest::newRow("symbol font")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\\f1\\'b7 \\'61\\'b3\\u-3913?\\f0\\'b7}")
        << QString::fromUtf8("• α≥•·");
    QTest::newRow("wingdings bullet")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Wingdings;}}\\f1\\'a7\\'d8}") << QString::fromUtf8("▪➢");
    QTest::newRow("lone surrogate in utf-16 text") << QByteArray("\xfe\xff\xdf\x3b", 4) << QString(QChar(0xFFFD));
    QTest::newRow("object character") << doc("a\\u-4?b") << "a\uFFFDb";
    QTest::newRow("table cells") << doc("\\intbl a\\cell b\\cell\\row\\pard c") << "\na\nb\nc";
    QTest::newRow("a row goes on while in the table") << doc("\\intbl a\\cell b\\cell\\row c") << "\na\nb\nc\n\n";
    QTest::newRow("table after a paragraph, at the end")
        << doc("x\\par\\trowd\\cellx900\\cellx1800\\pard\\intbl a\\par b\\cell\\cell\\row") << "x\na\nb\n\n";
    QTest::newRow("cell spanning two columns")
        << doc("\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\trowd\\cellx2000\\intbl c\\cell\\row\\pard d")
        << "\na\nb\nc\nd";
    QTest::newRow("cells merged down and across")
        << doc("\\trowd\\clvmgf\\cellx1000\\clmgf\\cellx2000\\clmrg\\cellx3000\\intbl a\\cell b\\cell c\\cell\\row"
               "\\trowd\\clvmrg\\cellx1000\\cellx2000\\cellx3000\\intbl x\\cell d\\cell e\\cell\\row\\pard f")
        << "\na\nx\nb\nc\nd\ne\nf";
    QTest::newRow("cell without intbl") << doc("a\\cell b\\cell\\row\\pard c") << "\na\nb\nc";
    QTest::newRow("cell after text is a tab") << doc("x\\par x\\b  \\intbl a\\cell b") << "x\nx a\tb";
    QTest::newRow("nested table as text")
        << doc("\\intbl a\\par\\itap2 n1\\nestcell n2\\nestcell\\nestrow\\itap1 b\\cell\\row") << "\na\nn1\tn2\t\nb\n";
    QTest::newRow("extra closing brace") << QByteArray("{\\rtf1 a}}b}") << "ab";
    QTest::newRow("open groups closed at end") << QByteArray("{\\rtf1 {\\b abc") << "abc";
    QTest::newRow("long control word") << doc("a\\abcdefghijklmnopqrstuvwxyzabcdefg b") << "ab";
    QTest::newRow("nul bytes") << doc(QByteArray("a\0b", 3)) << "ab";

    // Input that is not RTF.
    QTest::newRow("plain lines") << QByteArray("hello\r\nworld\n") << "hello\nworld";
    QTest::newRow("plain cr and empty lines") << QByteArray("a\r\rb") << "a\n\nb";
    QTest::newRow("plain utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac") << QString::fromUtf8("café €");
    QTest::newRow("plain 1252") << QByteArray("caf\xe9 \x80") << QString::fromUtf8("café €");
    QTest::newRow("plain 1252 ending like utf-8") << QByteArray("caf\xe9") << QString::fromUtf8("café");
    QTest::newRow("plain utf-8 bom") << QByteArray("\xef\xbb\xbfok") << "ok";
    QTest::newRow("plain utf-16 bom") << QByteArray("\xff\xfeo\0k\0", 6) << "ok";
    QTest::newRow("plain braces") << QByteArray("{not rtf}") << "{not rtf}";
    QTest::newRow("rtf after white space") << QByteArray("\r\n {\\rtf1 x}") << "x";
}

void TestRtfReader::plainText() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QTextDocument document;
    rtf::read(input, &document);
    QCOMPARE(document.toPlainText(), expected);
    QCOMPARE(rtf::plainText(input), expected);
    // A reader asked for only the start of the text stops early, and what it
    // gives is exactly how the whole text begins.
    for (qsizetype n = 0; n <= expected.size() + 1; ++n) QCOMPARE(rtf::plainText(input, n), expected.left(n));
}

void TestRtfReader::formatting_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QString>("color");  // empty: automatic
    QTest::addColumn<int>("alignment");

    const QByteArray fonts = "{\\fonttbl{\\f0 Arial;}{\\f1\\fnil Courier New;}}";
    const QByteArray colors = "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}";
    auto d = [&](const QByteArray& body) { return "{\\rtf1\\ansi\\deff0" + fonts + colors + body + "}"; };
    const int left = Qt::AlignLeft, center = Qt::AlignHCenter, right = Qt::AlignRight;

    QTest::newRow("defaults") << d("x") << "x" << "Arial" << 12.0 << false << false << false << "" << left;
    QTest::newRow("bold italic underline")
        << d("\\b\\i\\ul x") << "x" << "Arial" << 12.0 << true << true << true << "" << left;
    QTest::newRow("zero turns off") << d("\\b\\i\\ul\\b0\\i0\\ul0 x") << "x" << "Arial" << 12.0 << false
                                    << false << false << "" << left;
    QTest::newRow("ulnone") << d("\\uldb\\ulnone x") << "x" << "Arial" << 12.0 << false << false << false
                            << "" << left;
    QTest::newRow("underline kinds") << d("\\ulwave x") << "x" << "Arial" << 12.0 << false << false << true
                                     << "" << left;
    QTest::newRow("size and font") << d("\\f1\\fs21 x") << "x" << "Courier New" << 10.5 << false << false
                                   << false << "" << left;
    QTest::newRow("size clamped high") << d("\\fs99999999999 x") << "x" << "Arial" << 1638.0 << false
                                       << false << false << "" << left;
    QTest::newRow("size clamped low") << d("\\fs0 x") << "x" << "Arial" << 1.0 << false << false << false
                                      << "" << left;
    QTest::newRow("colour") << d("\\cf2 x") << "x" << "Arial" << 12.0 << false << false << false
                            << "#008000" << left;
    QTest::newRow("cf0 automatic") << d("\\cf1\\cf0 x") << "x" << "Arial" << 12.0 << false << false
                                   << false << "" << left;
    QTest::newRow("colour out of range") << d("\\cf7 x") << "x" << "Arial" << 12.0 << false << false
                                         << false << "" << left;
    QTest::newRow("unknown font") << d("\\f9 x") << "x" << "" << 12.0 << false << false << false << ""
                                  << left;
    QTest::newRow("group restores") << d("{\\b\\f1\\cf1 a}x") << "x" << "Arial" << 12.0 << false << false
                                    << false << "" << left;
    QTest::newRow("group keeps inner") << d("{\\b\\f1\\cf1 a}x") << "a" << "Courier New" << 12.0 << true
                                       << false << false << "#ff0000" << left;
    QTest::newRow("plain resets") << d("\\b\\i\\fs40\\f1\\cf1\\plain x") << "x" << "Arial" << 12.0 << false
                                  << false << false << "" << left;
    QTest::newRow("deff names the default") << QByteArray("{\\rtf1\\deff1" + fonts + "x}") << "x"
                                            << "Courier New" << 12.0 << false << false << false << "" << left;
    QTest::newRow("centre") << d("\\qc x\\par") << "x" << "Arial" << 12.0 << false << false << false << ""
                            << center;
    QTest::newRow("right") << d("\\qr x") << "x" << "Arial" << 12.0 << false << false << false << ""
                           << right;
    QTest::newRow("justify") << d("\\qj x") << "x" << "Arial" << 12.0 << false << false << false << ""
                             << int(Qt::AlignJustify);
    QTest::newRow("pard resets") << d("\\qc a\\par\\pard x") << "x" << "Arial" << 12.0 << false << false
                                 << false << "" << left;
    QTest::newRow("alignment stays") << d("\\qc a\\par x") << "x" << "Arial" << 12.0 << false << false
                                     << false << "" << center;
    QTest::newRow("last paragraph after root closes") << d("\\qr x") + "}" << "x" << "Arial" << 12.0 << false
                                                      << false << false << "" << right;
    QTest::newRow("plain text file") << QByteArray("x") << "x" << "" << 0.0 << false << false << false << ""
                                     << left;
}

void TestRtfReader::formatting() {
    QFETCH(QByteArray, input);
    QFETCH(QString, needle);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(QString, color);
    QFETCH(int, alignment);
    QTextDocument document;
    rtf::read(input, &document);
    Qt::Alignment blockAlignment;
    const QTextCharFormat f = formatOf(document, needle, &blockAlignment);
    QVERIFY2(f.isValid(), "text not found");
    QCOMPARE(f.fontFamilies().toStringList().value(0), family);
    QCOMPARE(f.fontPointSize(), points);
    QCOMPARE(f.fontWeight() >= QFont::Bold, bold);
    QCOMPARE(f.fontItalic(), italic);
    QCOMPARE(f.fontUnderline(), underline);
    QCOMPARE(f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QString(), color);
    QCOMPARE(int(blockAlignment == Qt::AlignLeading ? Qt::AlignLeft : blockAlignment), alignment);
}

// Space before and after a paragraph and its indents, given in twips, reach
// the document's blocks; one line per block: before, after, left, right,
// first line.
void TestRtfReader::paragraphLayout_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("layouts");
    const QString none = QStringLiteral("0 0 0 0 0");

    QTest::newRow("none given") << doc("a\\par b") << QStringList{none, none};
    QTest::newRow("all five") << doc("\\sb240\\sa120\\li720\\ri360\\fi-360 a")
                              << QStringList{"240 120 720 360 -360"};
    QTest::newRow("kept for the next paragraph")
        << doc("\\sa160 a\\par b") << QStringList{"0 160 0 0 0", "0 160 0 0 0"};
    QTest::newRow("pard resets") << doc("\\li360\\sb80 a\\par\\pard b")
                                 << QStringList{"80 0 360 0 0", none};
    QTest::newRow("heading then bullets then text")
        << doc("\\pard\\sb200\\sa80{\\b H}\\par\\pard\\li360\\sa60\\bullet  one\\par\\bullet  two\\par"
               "\\pard\\sa120 end\\par")
        << QStringList{"200 80 0 0 0", "0 60 360 0 0", "0 60 360 0 0", "0 120 0 0 0"};
    QTest::newRow("group restores") << doc("{\\li720 a\\par}b")
                                    << QStringList{"0 0 720 0 0", none};
    QTest::newRow("negative spacing and indent taken as none")
        << doc("\\sb-100\\sa-5\\li-720\\ri-1 a") << QStringList{none};
    QTest::newRow("huge values clamped") << doc("\\sa99999999999\\fi-99999999999 a")
                                         << QStringList{"0 31680 0 0 -31680"};
    QTest::newRow("with the alignment") << doc("\\qc\\sa100 a") << QStringList{"0 100 0 0 0"};
    QTest::newRow("plain text file") << QByteArray("a\nb") << QStringList{none, none};
}

void TestRtfReader::paragraphLayout() {
    QFETCH(QByteArray, input);
    QFETCH(QStringList, layouts);
    QTextDocument document;
    rtf::read(input, &document);
    QStringList actual;
    const auto inTwips = [](double pixels) { return QString::number(qRound(pixels * twips::perPixel())); };
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat f = b.blockFormat();
        actual << QStringList{inTwips(f.topMargin()), inTwips(f.bottomMargin()), inTwips(f.leftMargin()),
                              inTwips(f.rightMargin()), inTwips(f.textIndent())}
                      .join(' ');
    }
    QCOMPARE(actual, layouts);
}

void TestRtfReader::fontTableForms_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("family");

    QTest::newRow("grouped") << QByteArray("{\\rtf1{\\fonttbl{\\f0 A;}{\\f1\\froman B C;}}\\f1 x}") << "B C";
    QTest::newRow("without groups")
        << QByteArray("{\\rtf1{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fnil Menlo;}\\f1 x}") << "Menlo";
    QTest::newRow("without semicolon") << QByteArray("{\\rtf1{\\fonttbl{\\f1 Tahoma}}\\f1 x}") << "Tahoma";
    QTest::newRow("alt name and panose skipped")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1{\\*\\panose 0102}Calibri{\\*\\falt Arial};}}\\f1 x}") << "Calibri";
    QTest::newRow("name in its code page")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset128 \\'82\\'6c\\'82\\'72;}}\\f1 x}") << QString::fromUtf8("ＭＳ");
    QTest::newRow("unicode name") << QByteArray("{\\rtf1{\\fonttbl{\\f1 Caf\\u233?;}}\\f1 x}")
                                  << QString::fromUtf8("Café");
    QTest::newRow("font table not at top level ignored")
        << QByteArray("{\\rtf1\\fonttbl\\f1 x}") << "";
}

void TestRtfReader::fontTableForms() {
    QFETCH(QByteArray, input);
    QFETCH(QString, family);
    QTextDocument document;
    rtf::read(input, &document);
    QCOMPARE(document.toPlainText(), QStringLiteral("x"));
    QCOMPARE(formatOf(document, "x", nullptr).fontFamilies().toStringList().value(0), family);
}

// Lists become real lists: one line per paragraph, its list's style, level
// and number as the list shows it, or "-" for a paragraph that is no item.
void TestRtfReader::lists_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("text");

    const QByteArray table =
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}}"
        "{\\listlevel\\levelnfc4{\\leveltext\\'03(\\'01);}}\\listid7}"
        "{\\list{\\listlevel\\levelnfc2{\\leveltext\\'02\\'00.;}}\\listid8}}"
        "{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}{\\listoverride\\listid8\\ls2}}";
    QTest::newRow("bullets and their level")
        << doc(table + "{\\listtext\\u8226 ?\\tab}\\ls1 a\\par{\\listtext a)\\tab}\\ilvl1 b\\par\\pard c")
        << QStringList{"-1 1 ", "-5 2 (a)", "-"} << "a\nb\nc";
    QTest::newRow("roman numbers go on after a break")
        << doc(table + "\\ls2 a\\par\\pard b\\par\\ls2 c") << QStringList{"-7 1 i.", "-", "-7 1 ii."}
        << "a\nb\nc";
    QTest::newRow("unknown list keeps its text")
        << doc("{\\listtext 1.\\tab}\\ls9 a") << QStringList{"-"} << "1.\ta";
    QTest::newRow("numbered paragraphs")
        << doc("{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}a\\par{\\pntext 2.\\tab}b\\par\\pard c")
        << QStringList{"-4 1 1.", "-4 1 2.", "-"} << "a\nb\nc";
    QTest::newRow("bullet paragraphs in Symbol")
        << doc("{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2{\\pntxtb\\'b7}}a") << QStringList{"-1 1 "}
        << "a";
    QTest::newRow("continued paragraph has no number")
        << doc("{\\*\\pn\\pnlvlcont}a") << QStringList{"-"} << "a";
}

void TestRtfReader::lists() {
    QFETCH(QByteArray, input);
    QFETCH(QStringList, items);
    QFETCH(QString, text);
    QTextDocument document;
    rtf::read(input, &document);
    QStringList actual;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextList* list = b.textList();
        actual << (list ? QStringLiteral("%1 %2 %3").arg(int(list->format().style()))
                              .arg(list->format().indent()).arg(list->itemText(b))
                        : QStringLiteral("-"));
    }
    QCOMPARE(actual, items);
    QCOMPARE(document.toPlainText(), text);
    QCOMPARE(rtf::plainText(input), text);
}

// What a document cannot keep is reported, once per kind, and only when the
// file really holds it.
void TestRtfReader::leftOut_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("summary");

    QTest::newRow("nothing") << doc("{\\header \\par}{\\*\\annotation }{\\v }a") << "";
    QTest::newRow("object") << doc("{\\object\\objemb{\\*\\objdata 01}{\\result{\\pict\\pngblip 00}}}")
                            << "- 1 embedded object (only its picture is shown, where the file has one)";
    QTest::newRow("two drawings") << doc("{\\shp{\\*\\shpinst}}{\\shp{\\shptxt box}}")
                                  << "- 2 drawings or text boxes";
    QTest::newRow("footnote") << doc("a{\\footnote{\\chftn} The note}") << "- 1 footnote or endnote";
    QTest::newRow("comment") << doc("a{\\*\\annotation words}") << "- 1 comment";
    QTest::newRow("header") << doc("{\\header Page head\\par}a") << "- page headers and footers";
    QTest::newRow("hidden") << doc("a{\\v secret}") << "- hidden text";
    QTest::newRow("nested table")
        << doc("\\intbl\\itap2 a\\nestcell\\nestrow\\itap1\\cell\\row")
        << "- tables inside table cells (their text is kept as lines)";
    QTest::newRow("several") << doc("{\\v x}{\\footnote y}") << "- 1 footnote or endnote\n- hidden text";
    QTest::newRow("too many colours")
        << QByteArray("{\\rtf1{\\colortbl" + QByteArray(32769, ';') + "}x}")
        << "- colours beyond the first 32,768 of the colour table";
}

void TestRtfReader::leftOut() {
    QFETCH(QByteArray, input);
    QFETCH(QString, summary);
    QTextDocument document;
    QCOMPARE(rtf::read(input, &document).summary(), summary);
}

void TestRtfReader::oneChangePerLoad() {
    QTextDocument document;
    document.setPlainText("old");
    QSignalSpy spy(&document, &QTextDocument::contentsChanged);
    QByteArray many = "{\\rtf1 ";
    for (int i = 0; i < 200; ++i) many += "{\\b a}b\\par ";
    rtf::read(many + "}", &document);
    // Clearing the document is one change, the whole content another.
    QVERIFY(spy.count() <= 2);
    QCOMPARE(document.blockCount(), 200);
    QVERIFY(!document.isUndoAvailable());
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtf_reader.moc"
