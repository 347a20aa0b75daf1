// Listing and searching every entry of a data folder: which files are read,
// the lines made, and files that are not what their name promises.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

#include "diary/DiaryLister.h"
#include "platform/IProgress.h"

namespace {
// Reads a file as Latin-1 text: enough to follow what the lister does with
// the text it is given.
QString latin1Reader(const QByteArray& bytes, qsizetype maxChars, const rtf::TextIsEnough& = {}) {
    const QString text = QString::fromLatin1(bytes);
    return maxChars >= 0 ? text.left(maxChars) : text;
}

class RecordingProgress final : public IProgress {
public:
    void start(const QString&, int n) override {
        ++starts;
        total = n;
    }
    void advance(int done) override { last = done; }
    void finish() override { ++finishes; }
    int starts = 0, finishes = 0, total = -1, last = 0;
};

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The lines of a listing, in a fixed order (the folder's own order is not).
QStringList sortedLines(const QString& lines) {
    QStringList list = lines.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    list.sort();
    return list;
}
}  // namespace

class TestDiaryLister : public QObject {
    Q_OBJECT
private slots:
    void listsOnlyDiaryFiles_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("no entries, help pages only")
            << QStringList{"intro.rtf", "scheduler.rtf", "scheduler.mdb"} << QStringList{};
        QTest::newRow("a-b-c.rtf yes, x.Rtf no")
            << QStringList{"a-b-c.rtf", "x.Rtf", "intro.rtf"} << QStringList{"a-b-c.rtf"};
        QTest::newRow("both spellings")
            << QStringList{"1-May-2020.rtf", "2-May-2020.RTF", "3-May-2020.Rtf"}
            << QStringList{"1-May-2020.rtf", "2-May-2020.RTF"};
        QTest::newRow("hidden file") << QStringList{".1-May-2020.rtf"} << QStringList{".1-May-2020.rtf"};
    }
    void listsOnlyDiaryFiles() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, listed);
        QTemporaryDir dir;
        for (const QString& f : files) write(dir.filePath(f), "Text of " + f.toLatin1());
        const DiaryListing result = DiaryLister(latin1Reader).listAll(dir.path() + '/');
        QVERIFY(result.folderRead);
        QCOMPARE(result.count, qint64(listed.size()));
        QStringList names;
        for (const QString& line : sortedLines(result.lines)) names << line.section(' ', 2, 2);
        names.sort();
        QStringList expected = listed;
        expected.sort();
        QCOMPARE(names, expected);
    }

    // The preview of an entry longer than what is read first for it.
    void previewOfLongEntries_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("preview");
        const QByteArray body = QByteArray("Dear diary, today was long. ").repeated(120);
        QTest::newRow("long entry") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 " + body + "}")
                                    << QStringLiteral("Dear diary, today wa");
        QByteArray fonts;
        for (int i = 0; i < 60; ++i) fonts += "{\\f" + QByteArray::number(i) + " Some Font Name;}";
        QTest::newRow("header longer than the start read")
            << QByteArray("{\\rtf1\\ansi{\\fonttbl" + fonts + "}\\f0 Hello{\\b  bold} world " + body + "}")
            << QStringLiteral("Hello bold world Dea");
        QTest::newRow("plain UTF-8 text, accents all along")
            << QByteArray("Caf\xc3\xa9 ").repeated(300) << QStringLiteral("Caf\u00e9 Caf\u00e9 Caf\u00e9 Caf\u00e9 ");
        QByteArray colours;
        for (int i = 0; i < 200; ++i) colours += "\\red" + QByteArray::number(i) + "\\green1\\blue2;";
        QTest::newRow("long colour table")
            << QByteArray("{\\rtf1{\\colortbl;" + colours + "}\\cf3 Colours at last " + body + "}")
            << QStringLiteral("Colours at last Dear");
        QTest::newRow("picture before the text")
            << QByteArray("{\\rtf1{\\pict\\pngblip " + QByteArray("89504e47").repeated(2000) + "}After " + body + "}")
            << QStringLiteral("\uFFFCAfter Dear diary, t");
        QTest::newRow("field before the text")
            << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Link}} then " + body + "}")
            << QStringLiteral("Link then Dear diary");
        QTest::newRow("unicode with skip counts")
            << QByteArray("{\\rtf1\\uc2 caf\\u233\\'65\\'65 na{\\uc1\\u239?}ve and some " + body + "}")
            << QStringLiteral("caf\u00e9 na\u00efve and some ");
        QTest::newRow("table first, its second row wider")
            << QByteArray("{\\rtf1\\trowd\\cellx1000\\intbl A\\cell\\row\\trowd\\cellx1000\\cellx2000\\intbl B\\cell C"
                          "\\cell\\row\\pard After the table " + body + "}")
            << QStringLiteral("\r\nA\r\n\r\nB\r\nC\r\nAfter the ta");
        QTest::newRow("lines in the first characters")
            << QByteArray("{\\rtf1 One\\par Two\\line Three and four " + body + "}")
            << QStringLiteral("One\r\nTwo\r\nThree and fo");
        QTest::newRow("empty entry") << QByteArray("{\\rtf1}") << QString();
        QTest::newRow("shorter than the preview") << QByteArray("{\\rtf1 Short}") << QStringLiteral("Short");
        QTest::newRow("not RTF") << QByteArray("Plain words of a text file") << QStringLiteral("Plain words of a tex");
    }
    void previewOfLongEntries() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, preview);
        QCOMPARE(shownText(rtf::plainText(bytes, 20)), preview);
        QVERIFY(shownText(rtf::plainText(bytes, -1)).startsWith(preview));
    }

    void linesAreNumberedInFolderOrder() {
        QTemporaryDir dir;
        write(dir.filePath("1-May-2020.rtf"), "A long first entry of the diary");
        write(dir.filePath("2-May-2020.rtf"), "Short");
        const DiaryListing result = DiaryLister(latin1Reader).listAll(dir.path());
        const QStringList lines = result.lines.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(" 1) "));
        QVERIFY(lines[1].startsWith(" 2) "));
        QVERIFY(result.lines.endsWith("....\r\n"));
        QCOMPARE(sortedLines(result.lines).join('|').remove(QRegularExpression(" \\d\\) ")),
                 QStringLiteral("1-May-2020.rtf    A long first entry o....|2-May-2020.rtf    Short...."));
    }

    // Only regular files are read: a folder or a pipe named like an entry
    // must neither be listed nor stop the listing (reading a pipe never ends).
    void thingsThatAreNotFilesArePassedOver() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("1-May-2020.rtf"));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("2-May-2020.rtf")).constData(), 0600), 0);
        write(dir.filePath("3-May-2020.rtf"), "Real");
        const DiaryListing result = DiaryLister(latin1Reader).listAll(dir.path());
        QCOMPARE(result.count, qint64(1));
        QVERIFY(result.lines.contains("3-May-2020.rtf    Real...."));
    }

    // Junk bytes and an empty file are entries like any other: listed with
    // what could be made of them, and the files after them are still read.
    void emptyAndJunkFilesAreListed() {
        QTemporaryDir dir;
        write(dir.filePath("1-May-2020.rtf"), QByteArray());
        write(dir.filePath("2-May-2020.rtf"), QByteArray("\0\xff\xfe{\\rtf1", 8));
        write(dir.filePath("3-May-2020.rtf"), "after the junk");
        const DiaryListing result = DiaryLister(latin1Reader).listAll(dir.path());
        QCOMPARE(result.count, qint64(3));
        QVERIFY(result.lines.contains("1-May-2020.rtf    ....\r\n"));
        QVERIFY(result.lines.contains("3-May-2020.rtf    after the junk....\r\n"));
    }

    void unreadableFolder() {
        QTemporaryDir dir;
        const QString missing = dir.filePath("gone/");
        QVERIFY(!DiaryLister(latin1Reader).listAll(missing).folderRead);
        write(dir.filePath("plain-file-here"), "x");
        QVERIFY(!DiaryLister(latin1Reader).search(dir.filePath("plain-file-here"), "x").folderRead);
    }

    void searchListsMatchingEntriesOnly_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("capital finds capital") << "Paris" << QStringList{"1-May-2020.rtf"};
        QTest::newRow("lower finds lower only") << "paris" << QStringList{"2-May-2020.rtf"};
        QTest::newRow("in every entry") << "the" << QStringList{"1-May-2020.rtf", "2-May-2020.rtf", "3-May-2020.rtf"};
        QTest::newRow("nowhere") << "London" << QStringList{};
    }
    void searchListsMatchingEntriesOnly() {
        QFETCH(QString, answer);
        QFETCH(QStringList, listed);
        QTemporaryDir dir;
        write(dir.filePath("1-May-2020.rtf"), "the trip to Paris");
        write(dir.filePath("2-May-2020.rtf"), "the paris metro");
        write(dir.filePath("3-May-2020.rtf"), "the garden");
        write(dir.filePath("intro.rtf"), "the Paris help page");
        const DiaryListing result = DiaryLister(latin1Reader).search(dir.path(), answer);
        QCOMPARE(result.count, qint64(listed.size()));
        for (const QString& name : listed) QVERIFY2(result.lines.contains(name + "    the "), qPrintable(result.lines));
    }

    // The reader is asked only for what the command needs: the start of the
    // text for the listing, all of it for the search (a match may be late).
    void searchReadsTheWholeText() {
        QTemporaryDir dir;
        write(dir.filePath("1-May-2020.rtf"), QByteArray(5000, 'x') + " Paris");
        QCOMPARE(DiaryLister(latin1Reader).search(dir.path(), "Paris").count, qint64(1));
        qsizetype asked = -2;
        DiaryLister([&asked](const QByteArray& b, qsizetype max, const rtf::TextIsEnough&) {
            asked = max;
            return latin1Reader(b, max);
        }).listAll(dir.path());
        QCOMPARE(asked, qsizetype(20));
    }

    void progressIsReported() {
        QTemporaryDir dir;
        for (int i = 1; i <= 150; ++i) write(dir.filePath(QString("%1-May-2020.rtf").arg(i)), "x");
        RecordingProgress progress;
        const DiaryListing result = DiaryLister(latin1Reader, &progress).listAll(dir.path());
        QCOMPARE(result.count, qint64(150));
        QCOMPARE(progress.starts, 1);
        QCOMPARE(progress.total, 150);
        QCOMPARE(progress.last, 128);
        QCOMPARE(progress.finishes, 1);
    }
};

QTEST_MAIN(TestDiaryLister)
#include "tst_diarylister.moc"
