// The rich-text box: loading and saving files (a failed save keeps the old
// file), plain text, the selection, formatting, find, printing, and the
// change and mouse-down notifications.
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

#include "RichTextBox.h"
#include "platform/IPrinter.h"
#include "platform/QtPrinter.h"
#include "support/PdfPrinter.h"

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

int pdfPages(const QByteArray& pdf) { return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page ")); }

QTextCharFormat formatAt(const RichTextBox& box, int position) {
    QTextCursor c(box.document());
    c.setPosition(position + 1);  // the format of the character before the cursor
    return c.charFormat();
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

class TestRtfBox : public QObject {
    Q_OBJECT

private slots:
    void loadFile_data();
    void loadFile();
    void loadFailureKeepsContent();
    void saveThenLoad();
    void saveReplacesAndKeepsPermissions();
    void saveFailureKeepsOldFile_data();
    void saveFailureKeepsOldFile();
    void plainText();
    void selection_data();
    void selection();
    void appendingBuildsAListing();
    void formatting_data();
    void formatting();
    void formattingAtInsertionPoint();
    void find_data();
    void find();
    void changeNotifications_data();
    void changeNotifications();
    void mouseDown_data();
    void mouseDown();
    void print();

private:
    QTemporaryDir m_dir;
};

void TestRtfBox::loadFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("firstWordBold");

    QTest::newRow("rtf") << QByteArray("{\\rtf1{\\b Bold} and\\par plain}") << "Bold and\r\nplain" << true;
    QTest::newRow("plain text") << QByteArray("Bold\r\nline two\r\n") << "Bold\r\nline two" << false;
    QTest::newRow("windows-1252 text") << QByteArray("caf\xe9") << QString::fromUtf8("café") << false;
    QTest::newRow("empty file") << QByteArray() << "" << false;
}

void TestRtfBox::loadFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, text);
    QFETCH(bool, firstWordBold);
    const QString path = m_dir.filePath("load.rtf");
    QVERIFY(writeFile(path, content));

    RichTextBox box;
    box.setText("something before");
    QSignalSpy changed(&box, &RichTextBox::changed);
    QString error;
    QVERIFY(box.loadFile(path, &error));
    QCOMPARE(box.text(), text);
    QCOMPARE(changed.count(), 1);  // the load is one change, even of an empty file
    if (!text.isEmpty()) QCOMPARE(formatAt(box, 0).fontWeight() >= QFont::Bold, firstWordBold);
    QCOMPARE(box.selStart(), 0);
}

void TestRtfBox::loadFailureKeepsContent() {
    RichTextBox box;
    box.setText("kept");
    QSignalSpy changed(&box, &RichTextBox::changed);
    QString error;
    QVERIFY(!box.loadFile(m_dir.filePath("no-such-file.rtf"), &error));
    QVERIFY(error.contains("no-such-file.rtf"));
    QCOMPARE(box.text(), QStringLiteral("kept"));
    QCOMPARE(changed.count(), 0);
}

void TestRtfBox::saveThenLoad() {
    RichTextBox box;
    box.setText(QString::fromUtf8("Titre café 😀\nsecond"));
    box.setSelStart(0);
    box.setSelLength(5);
    box.setSelBold(true);
    box.setSelFontSize(20);
    box.setSelColor(QColor(200, 0, 0));
    box.setSelAlignment(Qt::AlignHCenter);
    const QString path = m_dir.filePath("7-December-2026.rtf");
    QString error;
    QVERIFY2(box.saveFile(path, &error), qPrintable(error));

    RichTextBox other;
    QVERIFY(other.loadFile(path));
    QCOMPARE(other.text(), box.text());
    const QTextCharFormat title = formatAt(other, 0);
    QVERIFY(title.fontWeight() >= QFont::Bold);
    QCOMPARE(title.fontPointSize(), 20.0);
    QCOMPARE(title.foreground().color(), QColor(200, 0, 0));
    QCOMPARE(other.document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(formatAt(other, 7).fontWeight() >= QFont::Bold, false);
    QCOMPARE(filesIn(m_dir.path()).filter(".tmp"), QStringList());
}

void TestRtfBox::saveReplacesAndKeepsPermissions() {
    QTemporaryDir dir;
    const QString path = dir.filePath("entry.rtf");
    QVERIFY(writeFile(path, "old"));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QFileDevice::Permissions permissions = QFile::permissions(path);
    RichTextBox box;
    box.setText("new text");
    QString error;
    QVERIFY2(box.saveFile(path, &error), qPrintable(error));
    QVERIFY(readFile(path).contains("new text"));
    QCOMPARE(QFile::permissions(path), permissions);
    QCOMPARE(filesIn(dir.path()), QStringList{"entry.rtf"});
}

void TestRtfBox::saveFailureKeepsOldFile_data() {
    // Each row prepares a folder and returns the path to save to. Tests run
    // as root, where folder permissions do not stop a write, so the failures
    // are ones root meets too.
    QTest::addColumn<std::function<QString(const QString&)>>("prepare");
    QTest::addColumn<bool>("needsNonRoot");
    QTest::addColumn<qint64>("fileSizeLimit");  // bytes; 0: none
    QTest::addColumn<QString>("reason");

    QTest::newRow("folder does not exist")
        << std::function([](const QString& d) { return d + "/missing/entry.rtf"; }) << false << qint64(0)
        << "No such file or directory";
    QTest::newRow("a file where the folder should be") << std::function([](const QString& d) {
        writeFile(d + "/notafolder", "x");
        return d + "/notafolder/entry.rtf";
    }) << false << qint64(0) << "Not a directory";
    QTest::newRow("path is a folder") << std::function([](const QString& d) {
        QDir(d).mkdir("entry.rtf");
        return d + "/entry.rtf";
    }) << false << qint64(0) << "is a folder, not an ordinary file";
    // A link named like the file would make the save write wherever it points.
    QTest::newRow("symbolic link") << std::function([](const QString& d) {
        QDir(d).mkdir("elsewhere");
        writeFile(d + "/elsewhere/other.txt", "not the diary's");
        QFile::link(d + "/elsewhere/other.txt", d + "/entry.rtf");
        return d + "/entry.rtf";
    }) << false << qint64(0) << "is a symbolic link, not an ordinary file";
    QTest::newRow("system folder that takes no files")
        << std::function([](const QString&) { return QStringLiteral("/proc/version"); }) << false << qint64(0)
        << "No such file or directory";
    // The file-size limit makes writing fail part way, like a full disk.
    QTest::newRow("disk full part way") << std::function([](const QString& d) {
        writeFile(d + "/entry.rtf", "old content");
        return d + "/entry.rtf";
    }) << false << qint64(4096) << "File too large";
    QTest::newRow("read-only folder") << std::function([](const QString& d) {
        writeFile(d + "/entry.rtf", "old content");
        QFile::setPermissions(d, QFile::ReadOwner | QFile::ExeOwner);
        return d + "/entry.rtf";
    }) << true << qint64(0) << "Permission denied";
}

void TestRtfBox::saveFailureKeepsOldFile() {
    QFETCH(std::function<QString(const QString&)>, prepare);
    QFETCH(bool, needsNonRoot);
    QFETCH(qint64, fileSizeLimit);
    QFETCH(QString, reason);
    if (needsNonRoot && geteuid() == 0) QSKIP("root writes into read-only folders");

    QTemporaryDir dir;
    const QString path = prepare(dir.path());
    const QByteArray before = readFile(path);
    const QStringList filesBefore = filesIn(dir.path());

    RichTextBox box;
    box.setText(QString(20000, QLatin1Char('x')));
    QString error;
    bool saved;
    if (fileSizeLimit > 0) {
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limited = old;
        limited.rlim_cur = rlim_t(fileSizeLimit);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        saved = box.saveFile(path, &error);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    } else {
        saved = box.saveFile(path, &error);
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QVERIFY(!saved);
    QVERIFY2(error.startsWith("Cannot save") && error.contains(reason), qPrintable(error));
    QCOMPARE(readFile(path), before);
    QCOMPARE(filesIn(dir.path()), filesBefore);
}

void TestRtfBox::plainText() {
    RichTextBox box;
    box.setRichText("{\\rtf1{\\b bold}\\line x\\par y}");
    QSignalSpy changed(&box, &RichTextBox::changed);
    QCOMPARE(box.text(), QStringLiteral("bold\r\nx\r\ny"));
    box.setText("one\r\ntwo\rthree\nfour");
    QCOMPARE(changed.count(), 1);
    QCOMPARE(box.document()->blockCount(), 4);
    QCOMPARE(box.text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour"));
    QCOMPARE(formatAt(box, 0).fontWeight() >= QFont::Bold, false);  // formatting dropped
    box.setText("one\r\ntwo\rthree\nfour");
    QCOMPARE(changed.count(), 2);  // setting the same text still counts
}

void TestRtfBox::selection_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("selText");
    // Content: "Hello" + break + "World" (a paragraph break is one character).
    QTest::newRow("first word") << 0 << 5 << 0 << 5 << "Hello";
    QTest::newRow("across the break") << 3 << 5 << 3 << 5 << "lo\r\nWo";
    QTest::newRow("length past the end") << 8 << 100 << 8 << 3 << "rld";
    QTest::newRow("start at the end") << 11 << 0 << 11 << 0 << "";
    QTest::newRow("start past the end") << 500 << 3 << 11 << 0 << "";
    QTest::newRow("negative start") << -4 << 2 << 0 << 2 << "He";
    QTest::newRow("negative length") << 2 << -1 << 2 << 0 << "";
    QTest::newRow("preview of 20") << 0 << 20 << 0 << 11 << "Hello\r\nWorld";
}

void TestRtfBox::selection() {
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, selText);
    RichTextBox box;
    box.setText("Hello\r\nWorld");
    box.setSelStart(start);
    box.setSelLength(length);
    QCOMPARE(box.selStart(), selStart);
    QCOMPARE(box.selLength(), selLength);
    QCOMPARE(box.selText(), selText);
}

// The way listings are built: start at the text's length, length 0, then
// set the selected text to the next line.
void TestRtfBox::appendingBuildsAListing() {
    RichTextBox box;
    const QStringList lines = {" 1) 7-December-2026.rtf    Dear diary, today I....\r\n",
                               " 2) 8-December-2026.rtf    Short....\r\n"};
    for (const QString& line : lines) {
        box.setSelStart(box.text().length());
        box.setSelLength(0);
        box.setSelText(line);
    }
    QCOMPARE(box.text(), lines.join(QString()));
    box.setSelStart(0);
    box.setSelLength(2);
    box.setSelText("X");
    QCOMPARE(box.text().left(5), QStringLiteral("X) 7-"));
    QCOMPARE(box.selStart(), 1);
    QCOMPARE(box.selLength(), 0);
}

void TestRtfBox::formatting_data() {
    QTest::addColumn<std::function<void(RichTextBox&)>>("apply");
    QTest::addColumn<std::function<bool(const QTextCharFormat&)>>("check");
    using Apply = std::function<void(RichTextBox&)>;
    using Check = std::function<bool(const QTextCharFormat&)>;
    QTest::newRow("font name") << Apply([](RichTextBox& b) { b.setSelFontName("DejaVu Serif"); })
                               << Check([](const QTextCharFormat& f) {
                                      return f.fontFamilies().toStringList().value(0) == "DejaVu Serif";
                                  });
    QTest::newRow("size") << Apply([](RichTextBox& b) { b.setSelFontSize(13.5); })
                          << Check([](const QTextCharFormat& f) { return f.fontPointSize() == 13.5; });
    QTest::newRow("bold") << Apply([](RichTextBox& b) { b.setSelBold(true); })
                          << Check([](const QTextCharFormat& f) { return f.fontWeight() >= QFont::Bold; });
    QTest::newRow("italic") << Apply([](RichTextBox& b) { b.setSelItalic(true); })
                            << Check([](const QTextCharFormat& f) { return f.fontItalic(); });
    QTest::newRow("underline") << Apply([](RichTextBox& b) { b.setSelUnderline(true); })
                               << Check([](const QTextCharFormat& f) { return f.fontUnderline(); });
    QTest::newRow("colour") << Apply([](RichTextBox& b) { b.setSelColor(Qt::blue); })
                            << Check([](const QTextCharFormat& f) { return f.foreground().color() == Qt::blue; });
}

// Formatting reaches the selected characters and no others.
void TestRtfBox::formatting() {
    QFETCH(std::function<void(RichTextBox&)>, apply);
    QFETCH(std::function<bool(const QTextCharFormat&)>, check);
    RichTextBox box;
    box.setText("abc def ghi");
    box.setSelStart(4);
    box.setSelLength(3);
    QSignalSpy changed(&box, &RichTextBox::changed);
    apply(box);
    QCOMPARE(changed.count(), 1);
    QVERIFY(check(formatAt(box, 4)));
    QVERIFY(check(formatAt(box, 6)));
    QVERIFY(!check(formatAt(box, 3)));
    QVERIFY(!check(formatAt(box, 7)));
    QCOMPARE(box.text(), QStringLiteral("abc def ghi"));
}

void TestRtfBox::formattingAtInsertionPoint() {
    RichTextBox box;
    box.show();
    box.setText("ab");
    box.setSelStart(1);
    box.setSelBold(true);
    box.setSelAlignment(Qt::AlignRight);
    QTest::keyClicks(box.editor(), "XY");
    QCOMPARE(box.text(), QStringLiteral("aXYb"));
    QVERIFY(formatAt(box, 1).fontWeight() >= QFont::Bold);
    QVERIFY(formatAt(box, 2).fontWeight() >= QFont::Bold);
    QVERIFY(formatAt(box, 3).fontWeight() < QFont::Bold);
    QCOMPARE(box.document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

void TestRtfBox::find_data() {
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("selStart");  // -1: wherever the insertion point stays
    QTest::addColumn<QString>("selText");
    // Content: "The Cat sat.\r\nthe cat ran."
    QTest::newRow("first match") << "cat" << true << 4 << "Cat";
    QTest::newRow("case ignored") << "THE CAT" << true << 0 << "The Cat";
    QTest::newRow("in second paragraph") << "ran" << true << 21 << "ran";
    QTest::newRow("no match selects nothing") << "dog" << false << -1 << "";
    QTest::newRow("empty text") << "" << false << -1 << "";
}

void TestRtfBox::find() {
    QFETCH(QString, needle);
    QFETCH(bool, found);
    QFETCH(int, selStart);
    QFETCH(QString, selText);
    RichTextBox box;
    box.setText("The Cat sat.\r\nthe cat ran.");
    box.setSelStart(2);
    box.setSelLength(3);  // an earlier selection is dropped when nothing is found
    QCOMPARE(box.find(needle), found);
    if (selStart >= 0) QCOMPARE(box.selStart(), selStart);
    QCOMPARE(box.selText(), selText);
    QCOMPARE(box.selLength(), int(selText.size()));
}

void TestRtfBox::changeNotifications_data() {
    QTest::addColumn<std::function<void(RichTextBox&)>>("action");
    QTest::addColumn<int>("changes");
    using Action = std::function<void(RichTextBox&)>;
    QTest::newRow("typing two keys") << Action([](RichTextBox& b) { QTest::keyClicks(b.editor(), "ab"); }) << 2;
    QTest::newRow("typing backspace") << Action([](RichTextBox& b) { QTest::keyClick(b.editor(), Qt::Key_Backspace); })
                                      << 1;
    QTest::newRow("set text") << Action([](RichTextBox& b) { b.setText("new\r\ntext"); }) << 1;
    QTest::newRow("set empty text") << Action([](RichTextBox& b) { b.setText(""); }) << 1;
    QTest::newRow("replace selection") << Action([](RichTextBox& b) {
        b.setSelStart(0);
        b.setSelLength(3);
        b.setSelText("x\r\ny");
    }) << 1;
    QTest::newRow("insert nothing") << Action([](RichTextBox& b) { b.setSelText(""); }) << 0;
    QTest::newRow("load rtf") << Action([](RichTextBox& b) { b.setRichText("{\\rtf1 a\\par b\\par c}"); }) << 1;
    QTest::newRow("moving the selection") << Action([](RichTextBox& b) {
        b.setSelStart(1);
        b.setSelLength(2);
        b.find("o");
    }) << 0;
    QTest::newRow("alignment") << Action([](RichTextBox& b) { b.setSelAlignment(Qt::AlignHCenter); }) << 1;
}

void TestRtfBox::changeNotifications() {
    QFETCH(std::function<void(RichTextBox&)>, action);
    QFETCH(int, changes);
    RichTextBox box;
    box.show();
    box.setText("foo");
    box.setSelStart(3);
    QSignalSpy changed(&box, &RichTextBox::changed);
    action(box);
    QCOMPARE(changed.count(), changes);
}

void TestRtfBox::mouseDown_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("code");
    QTest::newRow("left") << Qt::LeftButton << 1;
    QTest::newRow("right") << Qt::RightButton << 2;
    QTest::newRow("middle") << Qt::MiddleButton << 4;
}

void TestRtfBox::mouseDown() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, code);
    RichTextBox box;
    box.resize(200, 100);
    box.setText("click me");
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy down(&box, &RichTextBox::mouseDown);
    QTest::mousePress(box.editor()->viewport(), button, {}, QPoint(10, 10));
    QTest::mouseRelease(box.editor()->viewport(), button, {}, QPoint(10, 10));
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.at(0).at(0).toInt(), code);
}

void TestRtfBox::print() {
    RichTextBox box;
    QStringList paragraphs;
    for (int i = 0; i < 300; ++i) paragraphs << QStringLiteral("Paragraph %1 of the diary entry").arg(i);
    box.setText(paragraphs.join("\r\n"));
    const QString whole = m_dir.filePath("whole.pdf");
    const QString part = m_dir.filePath("part.pdf");

    PdfPrinter wholePrinter(whole);
    QString error;
    QVERIFY2(box.print(wholePrinter, &error), qPrintable(error));
    box.setSelStart(0);
    box.setSelLength(10);
    PdfPrinter partPrinter(part);
    QVERIFY2(box.print(partPrinter, &error), qPrintable(error));
    QVERIFY(pdfPages(readFile(whole)) > 3);
    QCOMPARE(pdfPages(readFile(part)), 1);

    PdfPrinter nowhere(m_dir.filePath("missing-folder/out.pdf"));
    error.clear();
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!box.print(nowhere, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestRtfBox)
#include "tst_rtf_box.moc"
