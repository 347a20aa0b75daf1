// Files made to break a reader: each one loads, in bounded time and memory,
// without a crash, and what can be read is shown.
#include <QElapsedTimer>
#include <QTextDocument>
#include <QtTest>
#include <sys/resource.h>

#include "rtf/Rtf.h"

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QByteArray repeated(const QByteArray& piece, int times) {
    QByteArray out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

}  // namespace

class TestRtfHostile : public QObject {
    Q_OBJECT

private slots:
    void loads_data();
    void loads();
};

void TestRtfHostile::loads_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("shown");  // text that must be in the result
    QTest::addColumn<QString>("hidden");  // text that must not be (empty: no check)

    const QByteArray head = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}";
    QTest::newRow("100000 nested groups")
        << head + "before" + repeated("{", 100000) + "deep" + repeated("}", 100000) + "after}"
        << "beforeafter" << "deep";
    QTest::newRow("nested groups never closed") << head + "before" + repeated("{\\b ", 100000) + "x"
                                                << "before" << "";
    QTest::newRow("text inside the depth limit")
        << head + repeated("{", 1000) + "inner" + repeated("}", 1000) + "after}" << "innerafter" << "";
    QTest::newRow("unbalanced closing braces") << head + "a" + repeated("}", 100000) + "b" << "ab" << "";
    QTest::newRow("bin beyond the end") << head + "shown\\bin999999999 abc" << "shown" << "abc";
    QTest::newRow("bin negative") << head + "a\\bin-5 b}" << "ab" << "";
    QTest::newRow("40000 font entries")
        << "{\\rtf1{\\fonttbl" + [] {
               QByteArray fonts;
               for (int i = 0; i < 40000; ++i) fonts += "{\\f" + QByteArray::number(i) + "\\fcharset" +
                                                        QByteArray::number(i % 256) + " Font" +
                                                        QByteArray::number(i) + ";}";
               return fonts;
           }() + "}\\f39999 text after fonts}"
        << "text after fonts" << "Font";
    QTest::newRow("33-letter control word") << head + "a\\" + QByteArray(33, 'x') + " b}" << "ab" << "x";
    QTest::newRow("huge control word") << head + "a\\" + QByteArray(1000000, 'q') + "1 b}" << "ab" << "q";
    QTest::newRow("huge font size") << head + "\\fs99999999999 big}" << "big" << "";
    QTest::newRow("huge numbers")
        << head + "{\\uc99999999999 \\u99999999999 skipped}x\\ansicpg99999999999 \\cf99999999999 "
                  "\\f-99999999999 \\deff99999999999 \\u-99999999999 ?y}"
        << QString::fromUtf8("�x�y") << "skipped";
    QTest::newRow("endless digits") << head + "\\fs" + QByteArray(1000000, '9') + " z}" << "z" << "";
    QTest::newRow("bad hex") << head + "a\\'zzb\\'4 c\\'" << "azzb c" << "";
    QTest::newRow("nul bytes") << head + QByteArray("a\0\0b\0", 5) + QByteArray(100000, '\0') + "c}" << "abc"
                               << "";
    QTest::newRow("truncated in a word") << head + "text\\ans" << "text" << "";
    QTest::newRow("truncated in unicode") << head + "text\\u-10179" << "text" << "";
    QTest::newRow("truncated in a table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << "" << "Ari";
    QTest::newRow("truncated after backslash") << head + "text\\" << "text" << "";
    QTest::newRow("50 MB picture")
        << head + "before{\\pict\\pngblip " + QByteArray(50 * 1024 * 1024, 'a') + "}after}" << "before\uFFFCafter"
        << "aaaa";
    QTest::newRow("50 MB picture never closed") << head + "before{\\pict " + QByteArray(50 * 1024 * 1024, 'f')
                                                << "before" << "ffff";
    QTest::newRow("many tiny groups") << head + repeated("{\\b x}{\\i y}", 200000) + "}" << "xyxy" << "";
    QTest::newRow("many paragraphs") << head + repeated("p\\par ", 200000) + "}" << "p\np" << "";
    QTest::newRow("many surrogate halves") << head + repeated("\\u-10179?", 100000) + "end}" << "end" << "";
    QTest::newRow("not rtf binary") << QByteArray(1000000, '\xff') << "" << "";
    QTest::newRow("star at top level") << QByteArray("{\\*\\rtf1 still shown}") << "still shown" << "";
}

void TestRtfHostile::loads() {
    QFETCH(QByteArray, input);
    QFETCH(QString, shown);
    QFETCH(QString, hidden);

    const long before = peakKilobytes();
    QElapsedTimer timer;
    timer.start();
    QTextDocument document;
    rtf::read(input, &document);
    const QString text = document.toPlainText();
    const QString plain = rtf::plainText(input);
    const qint64 ms = timer.elapsed();
    const long grownMb = (peakKilobytes() - before) / 1024;

    QCOMPARE(plain, text);
    QVERIFY2(text.contains(shown), qPrintable(text.left(200)));
    if (!hidden.isEmpty()) QVERIFY2(!text.contains(hidden), qPrintable(text.left(200)));
    // Generous bounds: a reader that is quadratic, or that allocates what a
    // number in the file asks for, exceeds them by far.
    QVERIFY2(ms < 20000, qPrintable(QString::number(ms) + " ms"));
    QVERIFY2(grownMb < 256, qPrintable(QString::number(grownMb) + " MB"));
}

QTEST_MAIN(TestRtfHostile)
#include "tst_rtf_hostile.moc"
