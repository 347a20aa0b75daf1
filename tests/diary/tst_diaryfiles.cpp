// The naming of diary files, the file test of the listing, its lines and the
// search rule.
#include <QTest>

#include "diary/DiaryFiles.h"

class TestDiaryFiles : public QObject {
    Q_OBJECT
private slots:
    void fileNameFromTheSelectors_data() {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "7" << "December" << "2026" << "7-December-2026.rtf";
        QTest::newRow("leap day") << "29" << "February" << "2028" << "29-February-2028.rtf";
        QTest::newRow("blanks trimmed") << " 7 " << "  December" << "2026  " << "7-December-2026.rtf";
        QTest::newRow("leading zero kept") << "07" << "December" << "2026" << "07-December-2026.rtf";
        QTest::newRow("day 31 of a 30-day month") << "31" << "November" << "2026" << "31-November-2026.rtf";
        QTest::newRow("month text as typed") << "1" << "december" << "2026" << "1-december-2026.rtf";
    }
    void fileNameFromTheSelectors() {
        QFETCH(QString, day);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QString, name);
        QCOMPARE(diaryfiles::fileName(day, month, year), name);
    }

    void namesThatWouldLeaveTheFolderAreRefused_data() {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("refused");
        QTest::newRow("ordinary") << "7" << "December" << "2026" << false;
        QTest::newRow("empty day") << "" << "December" << "2026" << false;
        QTest::newRow("accented month") << "7" << QString::fromUtf8("Décembre") << "2026" << false;
        QTest::newRow("one dot") << "7." << "December" << "2026" << false;
        QTest::newRow("slash in day") << "../../etc/x" << "December" << "2026" << true;
        QTest::newRow("slash in month") << "7" << "a/b" << "2026" << true;
        QTest::newRow("backslash in year") << "7" << "December" << "20\\26" << true;
        QTest::newRow("dot dot alone") << ".." << "December" << "2026" << true;
        QTest::newRow("dot dot in year") << "7" << "December" << "2026.." << true;
        QTest::newRow("NUL") << QString(QChar(0)) + "7" << "December" << "2026" << true;
        QTest::newRow("tab inside") << "7" << "Dec\tember" << "2026" << true;
        QTest::newRow("line feed inside") << "7" << "December" << "20\n26" << true;
        QTest::newRow("DEL") << "7" << "December" << QString("2026") + QChar(0x7f) << true;
        QTest::newRow("escape") << QString(QChar(0x1b)) + "7" << "December" << "2026" << true;
    }
    void namesThatWouldLeaveTheFolderAreRefused() {
        QFETCH(QString, day);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(bool, refused);
        const QString message = diaryfiles::unsafeNameMessage(day, month, year);
        QCOMPARE(!message.isEmpty(), refused);
    }

    void diaryFileTest_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("entry");
        QTest::newRow("a date") << "7-December-2026.rtf" << true;
        QTest::newRow("a-b-c.rtf") << "a-b-c.rtf" << true;
        QTest::newRow("capital ending") << "a-b-c.RTF" << true;
        QTest::newRow("mixed ending Rtf") << "a-b-c.Rtf" << false;
        QTest::newRow("x.Rtf") << "x.Rtf" << false;
        QTest::newRow("help page") << "intro.rtf" << false;
        QTest::newRow("two pieces") << "a-b.rtf" << false;
        QTest::newRow("four pieces") << "a-b-c-d.rtf" << true;
        QTest::newRow("empty first") << "-b-c.rtf" << false;
        QTest::newRow("empty second") << "a--c.rtf" << false;
        QTest::newRow("third is the ending") << "a-b-.rtf" << true;
        QTest::newRow("no dot") << "a-b-crtf" << true;
        QTest::newRow("text file") << "a-b-c.txt" << false;
        QTest::newRow("backup") << "a-b-c.rtf.bak" << false;
    }
    void diaryFileTest() {
        QFETCH(QString, name);
        QFETCH(bool, entry);
        QCOMPARE(diaryfiles::isDiaryFileName(name), entry);
    }

    void listingLines_data() {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("first") << qint64(1) << "7-December-2026.rtf" << "Dear diary, today was"
                               << " 1) 7-December-2026.rtf    Dear diary, today wa....\r\n";
        QTest::newRow("shorter than twenty") << qint64(12) << "a-b-c.rtf" << "Hi"
                                             << " 12) a-b-c.rtf    Hi....\r\n";
        QTest::newRow("exactly twenty") << qint64(3) << "a-b-c.rtf" << "12345678901234567890"
                                        << " 3) a-b-c.rtf    12345678901234567890....\r\n";
        QTest::newRow("empty entry") << qint64(3650) << "1-May-2020.rtf" << ""
                                     << " 3650) 1-May-2020.rtf    ....\r\n";
    }
    void listingLines() {
        QFETCH(qint64, n);
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(QString, line);
        QCOMPARE(diaryfiles::listingLine(n, file, text), line);
    }

    void searchRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("found");
        QTest::newRow("same capital") << "We met in Paris." << "Paris" << true;
        QTest::newRow("entry in lower case") << "We met in paris." << "Paris" << false;
        QTest::newRow("first match decides") << "paris, and then Paris" << "Paris" << false;
        QTest::newRow("first match right") << "Paris, and then paris" << "Paris" << true;
        QTest::newRow("lower answer, capital entry") << "Paris" << "paris" << false;
        QTest::newRow("lower both") << "a paris street" << "paris" << true;
        QTest::newRow("blanks around the answer") << "in Paris now" << " Paris " << true;
        QTest::newRow("blanks not in the entry") << "in Paris" << " Paris " << false;
        QTest::newRow("absent") << "nothing here" << "Paris" << false;
        QTest::newRow("empty entry") << "" << "Paris" << false;
        QTest::newRow("inside a word") << "Comparison" << "paris" << true;
        QTest::newRow("accents fold, first match in lower case")
            << QString::fromUtf8("un café, un CAFÉ") << QString::fromUtf8("CAFÉ") << false;
        QTest::newRow("accents fold, same case") << QString::fromUtf8("Le CAFÉ, le café") << QString::fromUtf8("CAFÉ") << true;
        QTest::newRow("Kelvin sign is a k") << QString::fromUtf8("300 \u212A, then K") << "K" << false;
        QTest::newRow("long s is an s") << QString::fromUtf8("Congre\u017F\u017F and Congress") << "Congress" << false;
    }
    void searchRule() {
        QFETCH(QString, text);
        QFETCH(QString, answer);
        QFETCH(bool, found);
        QCOMPARE(diaryfiles::searchMatches(text, answer), found);
    }

    void emptyResults() {
        QCOMPARE(diaryfiles::noEntriesMessage(), QStringLiteral("No entries have been made"));
        QCOMPARE(diaryfiles::notFoundMessage(QStringLiteral(" Paris")),
                 QStringLiteral(" Paris was not found in any file"));
    }
};

QTEST_MAIN(TestDiaryFiles)
#include "tst_diaryfiles.moc"
