// The diary editor on its own: the change handler, Undo, the clipboard,
// clearing, fonts, alignment, Find, printing, New and Open.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

#include "RichTextBox.h"
#include "diary/DiaryEditor.h"
#include "platform/IPrinter.h"
#include "platform/QtPrinter.h"
#include "support/PdfPrinter.h"
#include "support/FakeServices.h"

namespace {
class FailingPrinter final : public IPrinter {
public:
    bool printDocument(const QTextDocument&, QString* error) override {
        if (error) *error = QStringLiteral("out of paper");
        return false;
    }
};

// An editor in a window, with scripted dialogs.
struct Rig {
    explicit Rig(IPrinter* printer = nullptr) {
        services.dialogs = &dialogs;
        services.printer = printer;
        box = new RichTextBox(&window);
        label = new QLabel(&window);
        editor = std::make_unique<DiaryEditor>(box, label, services, folder.path() + '/');
        window.resize(400, 300);
        box->resize(400, 250);
        window.show();
    }
    void type(const QString& keys) { QTest::keyClicks(box->editor(), keys); }

    QTemporaryDir folder;
    FakeDialogs dialogs;
    Services services;
    QWidget window;
    RichTextBox* box = nullptr;
    QLabel* label = nullptr;
    std::unique_ptr<DiaryEditor> editor;
};

bool allBold(const RichTextBox* box) {
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().fontWeight() != QFont::Bold) return false;
    return true;
}

bool anyBold(const RichTextBox* box) {
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().fontWeight() == QFont::Bold) return true;
    return false;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

class TestDiaryEditor : public QObject {
    Q_OBJECT
private slots:
    void changeHandler() {
        Rig r;
        QVERIFY(!r.editor->diaryModified());
        r.type("a");
        QCOMPARE(r.label->text(), QString("Modified"));
        QVERIFY(r.editor->diaryModified());
        QCOMPARE(r.editor->snapshots().changeCount(), quint16(1));
        r.editor->saved();
        QVERIFY(!r.editor->diaryModified());
        // Clear all text: an empty editor shows no "Modified", yet it has changed.
        r.editor->clearAll();
        QCOMPARE(r.box->text(), QString());
        QCOMPARE(r.label->text(), QString());
        QVERIFY(r.editor->diaryModified());
    }

    void undo_data() {
        QTest::addColumn<quint16>("startCount");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("undos");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two characters, one undo") << quint16(0) << "ab" << 1 << "a";
        QTest::newRow("undo again brings both back") << quint16(0) << "ab" << 2 << "ab";
        QTest::newRow("a third undo goes back again") << quint16(0) << "ab" << 3 << "a";
        QTest::newRow("three characters, one undo") << quint16(0) << "abc" << 1 << "ab";
        QTest::newRow("across the counter's wrap") << quint16(65534) << "ab" << 1 << "a";
        QTest::newRow("wrap, undo twice") << quint16(65534) << "abc" << 2 << "abc";
    }
    void undo() {
        QFETCH(quint16, startCount);
        QFETCH(QString, typed);
        QFETCH(int, undos);
        QFETCH(QString, expected);
        Rig r;
        r.editor->snapshots().setChangeCount(startCount);
        r.type(typed);
        for (int i = 0; i < undos; ++i) r.editor->undo();
        QCOMPARE(r.box->text(), expected);
    }

    void undoAfterFormattingGivesPlainText() {
        Rig r;
        r.type("Hello");
        r.box->setSelStart(0);
        r.box->setSelLength(5);
        r.box->setSelBold(true);
        QVERIFY(allBold(r.box));
        r.editor->undo();
        QCOMPARE(r.box->text(), QString("Hello"));
        QVERIFY(!anyBold(r.box));
    }

    void copy_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("nothing selected copies everything")
            << "Hello world" << 3 << 0 << "Hello world";
        QTest::newRow("the selection") << "Hello world" << 6 << 5 << "world";
        QTest::newRow("several lines") << "one\r\ntwo" << 0 << 0 << "one\ntwo";
        QTest::newRow("selection across lines") << "one\r\ntwo" << 2 << 3 << "e\nt";
    }
    void copy() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, clipboard);
        Rig r;
        r.box->setText(text);
        r.box->setSelStart(start);
        r.box->setSelLength(length);
        QGuiApplication::clipboard()->setText("stale");
        r.editor->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    }

    void paste_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("cursorAfter");
        QTest::newRow("in the middle") << "Hello world" << 5 << 0 << ","
                                       << "Hello, world" << 6;
        QTest::newRow("at the start") << "world" << 0 << 0 << "Hello "
                                      << "Hello world" << 6;
        QTest::newRow("at the end") << "Hello" << 5 << 0 << "!"
                                    << "Hello!" << 6;
        QTest::newRow("after a line break") << "ab\r\ncd" << 4 << 0 << "X"
                                            << "ab\r\ncXd" << 5;
        QTest::newRow("a selection is replaced") << "Hello world" << 6 << 5 << "there"
                                                 << "Hello there" << 11;
        QTest::newRow("lines pasted") << "ad" << 1 << 0 << "b\r\nc"
                                      << "ab\r\ncd" << 4;
    }
    void paste() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, clipboard);
        QFETCH(QString, expected);
        QFETCH(int, cursorAfter);
        Rig r;
        r.box->setText(text);
        // Formatted content: the paste leaves it all plain.
        r.box->editor()->selectAll();
        r.box->setSelBold(true);
        r.box->setSelStart(start);
        r.box->setSelLength(length);
        QGuiApplication::clipboard()->setText(clipboard);
        r.editor->paste();
        QCOMPARE(r.box->text(), expected);
        QVERIFY(!anyBold(r.box));
        QCOMPARE(r.box->selStart(), cursorAfter);
        QCOMPARE(r.box->selLength(), 0);
    }

    void changeFont() {
        Rig r;
        r.box->setText("Hello world");
        r.box->setSelStart(0);
        r.box->setSelLength(5);
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPointSizeF(18);
        font.setBold(true);
        font.setItalic(true);
        font.setUnderline(true);
        font.setStrikeOut(true);
        r.dialogs.expectFont(FontChoice{font, QColor(200, 0, 0)});
        r.editor->changeFont();
        QTextCursor c(r.box->document());
        c.setPosition(1);
        const QTextCharFormat f = c.charFormat();
        QCOMPARE(f.fontFamilies().toStringList().value(0), QString("DejaVu Serif"));
        QCOMPARE(f.fontPointSize(), 18.0);
        QCOMPARE(f.fontWeight(), int(QFont::Bold));
        QVERIFY(f.fontItalic());
        QVERIFY(f.fontUnderline());
        QVERIFY(!f.fontStrikeOut());  // the strike-out choice is not applied
        QCOMPARE(f.foreground().color(), QColor(200, 0, 0));
        // The rest of the text keeps its look.
        c.setPosition(8);
        QVERIFY(!c.charFormat().fontItalic());
    }

    void changeFontCancelledChangesNothing() {
        Rig r;
        r.box->setText("Hello");
        r.box->editor()->selectAll();
        const QByteArray before = r.box->richText();
        const quint16 count = r.editor->snapshots().changeCount();
        r.dialogs.expectFont(std::nullopt);
        r.editor->changeFont();
        QCOMPARE(r.box->richText(), before);
        QCOMPARE(r.editor->snapshots().changeCount(), count);
    }

    void justify_data() {
        QTest::addColumn<int>("alignment");
        QTest::newRow("left") << int(Qt::AlignLeft);
        QTest::newRow("center") << int(Qt::AlignHCenter);
        QTest::newRow("right") << int(Qt::AlignRight);
    }
    void justify() {
        QFETCH(int, alignment);
        Rig r;
        r.box->setText("one\r\ntwo\r\nthree");
        r.editor->justify(Qt::AlignRight);  // the first paragraph, where the cursor is
        r.box->setSelStart(5);              // in "two"
        r.editor->justify(Qt::Alignment(alignment));
        const QTextBlock two = r.box->document()->findBlockByNumber(1);
        QCOMPARE(int(two.blockFormat().alignment() & Qt::AlignHorizontal_Mask), alignment);
        // The first paragraph keeps the alignment it had.
        QCOMPARE(int(r.box->document()->firstBlock().blockFormat().alignment() &
                     Qt::AlignHorizontal_Mask),
                 int(Qt::AlignRight));
    }

    void find_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("finds");  // Find chosen this many times with the answer
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("start");  // where the selection starts
        QTest::newRow("letter case ignored") << "WORLD" << 1 << "world" << 6;
        QTest::newRow("first match") << "o" << 1 << "o" << 4;
        QTest::newRow("again: the next match") << "o" << 2 << "o" << 7;
        QTest::newRow("again past the last: the first") << "hello" << 3 << "Hello" << 0;
        QTest::newRow("no match is silent") << "Lisbon" << 1 << "" << 23;
        QTest::newRow("cancel") << "" << 1 << "" << 23;
    }
    void find() {
        QFETCH(QString, answer);
        QFETCH(int, finds);
        QFETCH(QString, selected);
        QFETCH(int, start);
        Rig r;
        r.box->setText("Hello world, hello moon");
        r.box->setSelStart(23);
        for (int i = 0; i < finds; ++i) {
            r.dialogs.expectInput(answer);
            r.editor->find();
        }
        QCOMPARE(r.dialogs.prompts.size(), finds);
        QCOMPARE(r.dialogs.prompts.first(), QString("Please enter text to find : "));
        QCOMPARE(r.box->selText(), selected);
        QCOMPARE(r.box->selStart(), start);
        QVERIFY(r.dialogs.messages.isEmpty());
    }

    void printsThroughQtToPdf_data() {
        QTest::addColumn<bool>("selection");
        QTest::newRow("whole entry") << false;
        QTest::newRow("selection only") << true;
    }
    void printsThroughQtToPdf() {
        QFETCH(bool, selection);
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
        QTemporaryDir out;
        const QString pdf = out.filePath("entry.pdf");
        PdfPrinter printer(pdf);
        Rig r(&printer);
        r.box->setText("Dear diary\r\nToday we walked along the river.");
        if (selection) {
            r.box->setSelStart(0);
            r.box->setSelLength(10);
        }
        r.editor->print();
        QVERIFY(r.dialogs.messages.isEmpty());
        QProcess p;
        p.start(pdftotext, {pdf, "-"});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains("Dear diary"), qPrintable(text));
        QCOMPARE(text.contains("walked along the river"), !selection);
    }

    void printerError_data() {
        QTest::addColumn<bool>("noPrinter");
        QTest::addColumn<QString>("reason");  // the second line of the message
        QTest::newRow("printer fails") << false << "out of paper";
        QTest::newRow("no printer") << true << "No printer is available.";
    }
    void printerError() {
        QFETCH(bool, noPrinter);
        QFETCH(QString, reason);
        FailingPrinter failing;
        Rig r(noPrinter ? nullptr : &failing);
        r.box->setText("Dear diary");
        r.editor->print();
        QCOMPARE(r.dialogs.messages,
                 QStringList{"Sorry, I have encountered a printer error\n" + reason});
        QCOMPARE(r.box->text(), QString("Dear diary"));
    }

    void newText_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("saved: no question") << false << false << "";
        QTest::newRow("unsaved, Yes") << true << true << "";
        QTest::newRow("unsaved, No keeps the text") << true << false << "Dear diary";
    }
    void newText() {
        QFETCH(bool, modified);
        QFETCH(bool, answer);
        QFETCH(QString, expected);
        Rig r;
        r.type("Dear diary");
        if (!modified) r.editor->saved();
        if (modified)
            r.dialogs.expectQuestion("You will lose unsaved data. Open new file ? ", answer);
        r.editor->newText();
        QCOMPARE(r.dialogs.questions.size(), modified ? 1 : 0);
        QCOMPARE(r.box->text(), expected);
        QCOMPARE(r.label->text(), expected.isEmpty() ? QString() : QString("Modified"));
    }

    void open_data() {
        QTest::addColumn<QByteArray>("content");  // empty: a folder in the file's place
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("rich text")
            << QByteArray("{\\rtf1\\ansi {\\b Bold} words\\par}") << "Bold words" << QStringList{};
        QTest::newRow("text file")
            << QByteArray("plain line\nsecond") << "plain line\r\nsecond" << QStringList{};
        QTest::newRow("cannot be read")
            << QByteArray() << "kept" << QStringList{"Error reading from file"};
    }
    void open() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QFETCH(QStringList, messages);
        Rig r;
        r.box->setText("kept");
        r.editor->saved();
        const QString path = r.folder.filePath(content.isEmpty() ? "folder.rtf" : "picked.rtf");
        if (content.isEmpty())
            QVERIFY(QDir().mkdir(path));
        else
            writeFile(path, content);
        r.dialogs.expectOpenFile(path);
        r.editor->open();
        QVERIFY(r.dialogs.questions.isEmpty());
        QCOMPARE(r.box->text(), expected);
        QCOMPARE(r.dialogs.messages, messages);
        if (messages.isEmpty()) {
            // The load was a change, though the label says nothing.
            QVERIFY(r.editor->diaryModified());
            QCOMPARE(r.label->text(), QString());
        }
    }

    void openAsksWhileModified_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("No: no dialog") << false;
        QTest::newRow("Yes: dialog, cancelled") << true;
    }
    void openAsksWhileModified() {
        QFETCH(bool, answer);
        Rig r;
        r.type("unsaved");
        r.dialogs.expectQuestion("You will lose unsaved data. Open file ? ", answer);
        if (answer) r.dialogs.expectOpenFile(std::nullopt);
        // FakeDialogs fails the test on an open dialog it was not told of.
        r.editor->open();
        QCOMPARE(r.box->text(), QString("unsaved"));
        QVERIFY(r.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestDiaryEditor)
#include "tst_diaryeditor.moc"
