// RTF written by other programs: files exported by LibreOffice Writer and
// hand-made files in the styles of WordPad, Word and TextEdit. The text and
// the formatting that reach the document are checked, and each file is saved
// again by our writer and read back unchanged.
#include <QFile>
#include <QTextDocument>
#include <QtTest>

#include "rtf/Rtf.h"
#include "support/DocumentDescription.h"

namespace {

QByteArray sample(const QString& name) {
    QFile file(QStringLiteral(TAVENEL_SOURCE_DIR "/tests/data/rtf/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestRtfFiles : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void formatting_data();
    void formatting();
    void features();
    void savedAgain_data() { text_data(); }
    void savedAgain();
};

void TestRtfFiles::text_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");

    QTest::newRow("libreoffice sample")
        << "libreoffice_sample.rtf"
        << QString::fromUtf8(
               "Diary of Émile\n"
               "Plain bold italic underlined red big blue mono all four\n"
               "Right aligned: café, naïve, 10 €\n"
               "Justified text that goes on for a while so that it fills more than one line of the page "
               "and shows the justification of both margins.\n"
               "日本語のテキスト and emoji 😀 here\n"
               "first line\nsecond line\n"
               "a\tb\n"
               "Text with a note.\n"
               "Visit the site today.\n"
               "Picture: \xef\xbf\xbc after picture\n"
               "\n"
               "cell one\ncell two\n"
               "The end.");
    QTest::newRow("libreoffice lists")
        << "libreoffice_lists.rtf"
        << QString::fromUtf8("Shopping\nbread\nmilk\nfirst step\nsecond step\n"
                             "Привет, Ελληνικά, Ünïcödé {braces} and back\\slash");
    QTest::newRow("wordpad style")
        << "wordpad_style.rtf"
        << QString::fromUtf8("Meeting notes\nBring the café receipts, 12 € each.\nfirst point\n"
                             "second point\nright side\nJapanese: 日本語");
    QTest::newRow("word style")
        << "word_style.rtf"
        << QString::fromUtf8("Quarterly report\n"
                             "Sales rose by 5 % in the “north” region – see the chart.\n"
                             "Red warning and 日本 or old style 日本語\n"
                             "Привет signed");
    QTest::newRow("libreoffice features")
        << "libreoffice_features.rtf"
        << QString::fromUtf8("Features of a diary page\n"
                             "A highlighted word, a shaded word, struck out, E=mc2 and H2O.\n"
                             "bread\nmilk\nfirst step\nsecond step\nthird step\n"
                             "Day\nWalk\nkm\nMon\nPark\nand river\n5\n"
                             "PNG \xef\xbf\xbc and JPEG \xef\xbf\xbc pictures.\n"
                             "Visit the site today.\nThe end.");
    QTest::newRow("textedit style")
        << "textedit_style.rtf"
        << QString::fromUtf8("Holiday plans\nFly to München, then train – costs 50.\n"
                             "Japanese: 日本語, emoji 😀\n\nLast line in italics");
}

void TestRtfFiles::text() {
    QFETCH(QString, file);
    QFETCH(QString, expected);
    const QByteArray data = sample(file);
    QVERIFY(!data.isEmpty());
    QTextDocument document;
    rtf::read(data, &document);
    QCOMPARE(document.toPlainText(), expected);
    QCOMPARE(rtf::plainText(data), expected);
}

void TestRtfFiles::formatting_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("needle");
    // family|points|flags|colour, as describeDocument() writes a fragment
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("alignment");
    const int left = Qt::AlignLeft, center = Qt::AlignHCenter, right = Qt::AlignRight;

    const QString lo = "libreoffice_sample.rtf";
    QTest::newRow("lo title") << lo << QString::fromUtf8("Diary of Émile") << "Liberation Sans|16|b|" << center;
    QTest::newRow("lo bold") << lo << "bold" << "Liberation Serif|12|b|" << left;
    QTest::newRow("lo italic") << lo << "italic" << "Liberation Serif|12|i|" << left;
    QTest::newRow("lo underline") << lo << "underlined" << "Liberation Serif|12|u|" << left;
    QTest::newRow("lo red") << lo << "red" << "Liberation Serif|12||#ff0000" << left;
    QTest::newRow("lo big blue") << lo << "big blue" << "Liberation Serif|18||#0000ff" << left;
    QTest::newRow("lo mono") << lo << "mono" << "DejaVu Sans Mono|10||" << left;
    QTest::newRow("lo all four") << lo << "all four" << "Liberation Serif|12|biu|#008000" << left;
    QTest::newRow("lo right") << lo << "Right aligned" << "Liberation Serif|12||" << right;
    QTest::newRow("lo justified") << lo << "Justified" << "Liberation Serif|12||" << int(Qt::AlignJustify);
    QTest::newRow("lo link") << lo << "the site" << "Liberation Serif|12|u|#000080 link https://example.org/" << left;
    const QString lf = "libreoffice_features.rtf";
    QTest::newRow("lo highlight") << lf << "highlighted" << "Liberation Serif|12|| on #ffff00" << left;
    QTest::newRow("lo shading") << lf << "shaded" << "Liberation Serif|12|| on #c0c0c0" << left;
    QTest::newRow("lo strike") << lf << "struck out" << "Liberation Serif|12|s|" << left;
    QTest::newRow("lo link target") << lf << "the site"
                                    << "Liberation Serif|12|u|#000080 link https://example.org/diary?a=1&b=2" << left;
    QTest::newRow("lo lists size") << "libreoffice_lists.rtf" << "Shopping" << "Liberation Serif|14||" << left;

    const QString wp = "wordpad_style.rtf";
    QTest::newRow("wp title") << wp << "Meeting notes" << "Calibri|16|b|" << center;
    QTest::newRow("wp italic red") << wp << QString::fromUtf8("café") << "Calibri|11|i|#ff0000" << left;
    QTest::newRow("wp underline") << wp << QString::fromUtf8("12 €") << "Calibri|11|u|" << left;
    QTest::newRow("wp right mono") << wp << "right side" << "Courier New|10||" << right;
    QTest::newRow("wp colour") << wp << "Japanese" << "Calibri|11||#004dbb" << left;

    const QString w = "word_style.rtf";
    QTest::newRow("word title") << w << "Quarterly report" << "Calibri|14|b|" << center;
    QTest::newRow("word body") << w << "Sales rose" << "Calibri|11||" << left;
    QTest::newRow("word link") << w << "the chart" << "Calibri|11|u|#0563c1 link http://example.com/" << left;
    QTest::newRow("word red italic") << w << "Red warning" << "Calibri|11|i|#ff0000" << left;
    QTest::newRow("word japanese") << w << QString::fromUtf8("日本語") << "MS Gothic|11||" << left;
    QTest::newRow("word cyrillic") << w << QString::fromUtf8("Привет") << "Times New Roman Cyr|10||" << right;

    const QString te = "textedit_style.rtf";
    QTest::newRow("te title") << te << "Holiday plans" << "Helvetica-Bold|18|b|" << center;
    QTest::newRow("te body") << te << "Fly to" << "Helvetica|12||" << left;
    QTest::newRow("te colour") << te << "train" << "Helvetica|12||#fb0207" << left;
    QTest::newRow("te japanese") << te << QString::fromUtf8("日本語") << "HiraginoSans-W3|12||" << left;
    QTest::newRow("te italic") << te << "Last line" << "Helvetica|12|i|" << left;
}

void TestRtfFiles::formatting() {
    QFETCH(QString, file);
    QFETCH(QString, needle);
    QFETCH(QString, format);
    QFETCH(int, alignment);
    QTextDocument document;
    rtf::read(sample(file), &document);
    QString found;
    int blockAlignment = -1;
    for (const QString& line : describeDocument(document)) {
        if (line.startsWith("block "))
            blockAlignment = line.section(' ', 1, 1).toInt();
        else if (found.isEmpty() && line.section('|', 0, 0).contains(needle))
            found = line.section('|', 1);
        if (!found.isEmpty()) break;
    }
    QCOMPARE(found, format);
    QCOMPARE(blockAlignment == int(Qt::AlignLeading) ? int(Qt::AlignLeft) : blockAlignment, alignment);
}

// Everything the features file holds reaches the document as the real
// thing: highlighting and shading, strike-through, raised and lowered text,
// lists, a table with its widths and borders, pictures of their size.
void TestRtfFiles::features() {
    QTextDocument document;
    rtf::read(sample("libreoffice_features.rtf"), &document);
    const QString serif = "Liberation Serif|12";
    const QStringList expected = {
        "block 1", "  Features of a diary page|" + serif + "||",
        "block 1", "  A |" + serif + "||", "  highlighted|" + serif + "|| on #ffff00",
        "   word, a |" + serif + "||", "  shaded|" + serif + "|| on #c0c0c0", "   word, |" + serif + "||",
        "  struck out|" + serif + "|s|", "  , E=mc|" + serif + "||", "  2|" + serif + "|^|",
        "   and H|" + serif + "||", "  2|" + serif + "|_|", "  O.|" + serif + "||",
        "block 1 list disc 1 ", "  bread|" + serif + "||",
        "block 1 list disc 1 ", "  milk|" + serif + "||",
        "block 1 list decimal 1 1.", "  first step|" + serif + "||",
        "block 1 list decimal 1 2.", "  second step|" + serif + "||",
        "block 1 list decimal 1 3.", "  third step|" + serif + "||",
        "table 2x3 850 1701 1134",
        "block 1 cell 0,0 border 10", "  Day|" + serif + "||",
        "block 1 cell 0,1 border 10", "  Walk|" + serif + "||",
        "block 1 cell 0,2 border 10", "  km|" + serif + "||",
        "block 1 cell 1,0 border 10", "  Mon|" + serif + "||",
        "block 1 cell 1,1 border 10", "  Park|" + serif + "||",
        "block 1 cell 1,1 border 10", "  and river|" + serif + "||",
        "block 1 cell 1,2 border 10", "  5|" + serif + "||",
        "block 1", "  PNG |" + serif + "||", "  image 45x30", "   and JPEG |" + serif + "||", "  image 38x38",
        "   pictures.|" + serif + "||",
        "block 1", "  Visit |" + serif + "||",
        "  the site|" + serif + "|u|#000080 link https://example.org/diary?a=1&b=2", "   today.|" + serif + "||",
        "block 1", "  The end.|" + serif + "||"};
    QCOMPARE(describeDocument(document), expected);
}

void TestRtfFiles::savedAgain() {
    QFETCH(QString, file);
    QTextDocument original;
    rtf::read(sample(file), &original);
    QTextDocument again;
    rtf::read(rtf::write(original), &again);
    QCOMPARE(describeDocument(again), describeDocument(original));
}

QTEST_MAIN(TestRtfFiles)
#include "tst_rtf_files.moc"
