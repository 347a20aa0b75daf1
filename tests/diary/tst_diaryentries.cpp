// The diary's entries in the planner window: opening the editor on a date,
// saving, deleting, listing and searching, the keys, and saves that fail.
#include <sys/resource.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>
#include <csignal>

#include "RichTextBox.h"
#include "Twips.h"
#include "diary/CalendarGrid.h"
#include "diary/CalendarLabel.h"
#include "diary/DayMarker.h"
#include "diary/DiaryEditor.h"
#include "diary/DiaryEntries.h"
#include "platform/IProgress.h"
#include "scheduler/Form2.h"
#include "support/PlannerFixture.h"

namespace {
// The fixture's clock makes the selected date 8 December 2026.
const QString kEntry = QStringLiteral("8-December-2026.rtf");

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QColor colourOfDay(PlannerFixture& p, const QString& day) {
    for (int k = 0; k < 42; ++k)
        if (p.form->dayCell(k)->text() == day) return p.form->dayCell(k)->textColor();
    return QColor();
}

// What the listing showed in its one message.
QStringList listed(const FakeDialogs& dialogs) {
    QStringList lines = dialogs.messages.value(0).split("\r\n", Qt::SkipEmptyParts);
    lines.sort();
    return lines;
}

void display(PlannerFixture& p) {
    // As the day menu offers it for a day that has an entry.
    p.form->menus.display->setEnabled(true);
    p.form->menus.display->trigger();
    p.form->menus.display->setEnabled(false);
}

void typeInEditor(PlannerFixture& p, const QString& text) {
    QTest::keyClicks(p.form->RichTextBox1->editor(), text);
}

class RecordingProgress final : public IProgress {
public:
    void start(const QString&, int n) override { total = n; }
    void advance(int) override {}
    void finish() override { ++finishes; }
    int total = -1, finishes = 0;
};

// Limits the size of the files this process may write, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};
}  // namespace

class TestDiaryEntries : public QObject {
    Q_OBJECT
private slots:
    void makeEntryOpensAnEmptyEditorAndCloseNarrows() {
        PlannerFixture p;
        QVERIFY(p.load());
        p.folder.touch(kEntry, "{\\rtf1 Old entry}");
        p.form->menus.mark->trigger();
        QCOMPARE(twips::width(p.form.get()), 9860.0);
        QVERIFY(p.form->Command3->isVisible());
        QVERIFY(p.form->RichTextBox1->isVisible());
        QVERIFY(!p.form->Frame1->isVisible());
        QVERIFY(!p.form->Combo1->isEnabled() && !p.form->Combo2->isEnabled() &&
                !p.form->Combo3->isEnabled());
        // Empty even though the date has an entry.
        QCOMPARE(p.form->RichTextBox1->text(), QString());

        typeInEditor(p, "Unsaved words");
        p.form->menus.close->trigger();
        QCOMPARE(twips::width(p.form.get()), 5485.0);
        QVERIFY(p.form->Combo1->isEnabled());
        QVERIFY(!p.form->Command3->isVisible());
        // Closing neither saves nor asks nor empties.
        QVERIFY(p.dialogs.questions.isEmpty());
        QCOMPARE(p.form->RichTextBox1->text(), QString("Unsaved words"));
        QVERIFY(p.form->diaryEditor().diaryModified());
        QCOMPARE(readFile(p.folder.file(kEntry)), QByteArray("{\\rtf1 Old entry}"));
    }

    void displayLoadsTheEntryAndNewStillAsks() {
        PlannerFixture p;
        QVERIFY(p.load());
        p.folder.touch(kEntry, "{\\rtf1\\ansi Dear {\\b diary}\\par}");
        display(p);
        QCOMPARE(p.form->RichTextBox1->text(), QString("Dear diary"));
        QCOMPARE(p.form->Label50->text(), QString());
        QVERIFY(p.form->diaryEditor().diaryModified());
        // The load was a change: "New" asks.
        p.dialogs.expectQuestion("You will lose unsaved data. Open new file ? ", false);
        p.form->menus.New->trigger();
        QCOMPARE(p.dialogs.questions.size(), 1);
        QCOMPARE(p.form->RichTextBox1->text(), QString("Dear diary"));
    }

    void saving_data() {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("quick");
        QTest::addColumn<int>("answer");  // -1: no question expected
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("written");
        QTest::newRow("Quick Save, new entry") << false << true << -1 << QStringList{} << true;
        QTest::newRow("Quick Save replaces silently")
            << true << true << -1 << QStringList{} << true;
        QTest::newRow("Save, new entry")
            << false << false << -1 << QStringList{"File has been saved"} << true;
        QTest::newRow("Save asks, Yes") << true << false << 1 << QStringList{} << true;
        QTest::newRow("Save asks, No")
            << true << false << 0 << QStringList{"File has not been saved"} << false;
    }
    void saving() {
        QFETCH(bool, existing);
        QFETCH(bool, quick);
        QFETCH(int, answer);
        QFETCH(QStringList, messages);
        QFETCH(bool, written);
        PlannerFixture p;
        QVERIFY(p.load());
        if (existing) p.folder.touch(kEntry, "{\\rtf1 Old entry}");
        p.form->markDays();
        p.form->menus.mark->trigger();
        typeInEditor(p, "New words");
        QCOMPARE(p.form->Label50->text(), QString("Modified"));
        if (answer >= 0) p.dialogs.expectQuestion("File already exists. Overwrite ? ", answer == 1);
        (quick ? p.form->menus.qs : p.form->menus.Save)->trigger();
        QVERIFY(p.dialogs.allAnswersUsed());
        QCOMPARE(p.dialogs.questions.size(), answer >= 0 ? 1 : 0);
        QCOMPARE(p.dialogs.messages, messages);
        RichTextBox scratch;
        QVERIFY(scratch.loadFile(p.folder.file(kEntry)) || !written);
        QCOMPARE(scratch.text(),
                 written ? QString("New words") : QString(existing ? "Old entry" : ""));
        QCOMPARE(p.form->diaryEditor().diaryModified(), !written);
        QCOMPARE(p.form->Label50->text(), written ? QString() : QString("Modified"));
        // The day is marked at once.
        if (written || existing) QCOMPARE(colourOfDay(p, "8"), DayMarker::kDiary);
        QCOMPARE(p.form->RichTextBox1->text(), QString("New words"));
    }

    void openAfterQuickSaveDoesNotAskAndSavesUnderTheDate() {
        PlannerFixture p;
        QVERIFY(p.load());
        p.folder.touch("elsewhere.txt", "Text from another file");
        p.form->menus.mark->trigger();
        typeInEditor(p, "First");
        p.form->menus.qs->trigger();
        // No question: FakeDialogs would fail the test on one.
        p.dialogs.expectOpenFile(p.folder.file("elsewhere.txt"));
        p.form->menus.open->trigger();
        QVERIFY(p.dialogs.questions.isEmpty());
        QCOMPARE(p.form->RichTextBox1->text(), QString("Text from another file"));
        p.form->menus.qs->trigger();
        RichTextBox scratch;
        QVERIFY(scratch.loadFile(p.folder.file(kEntry)));
        QCOMPARE(scratch.text(), QString("Text from another file"));
        QCOMPARE(readFile(p.folder.file("elsewhere.txt")), QByteArray("Text from another file"));
    }

    void deleting_data() {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("message");  // "%1" stands for the entry's path
        QTest::newRow("Yes deletes and closes") << true << true << "";
        QTest::newRow("No keeps") << true << false << "The file has not been deleted";
        QTest::newRow("no entry") << false << false
                                  << "Sorry, could not find %1. The File has not been deleted";
    }
    void deleting() {
        QFETCH(bool, existing);
        QFETCH(bool, answer);
        QFETCH(QString, message);
        PlannerFixture p;
        QVERIFY(p.load());
        if (existing) p.folder.touch(kEntry, "{\\rtf1 Entry}");
        p.form->markDays();
        display(p);
        const bool wasModified = p.form->diaryEditor().diaryModified();
        if (existing)
            p.dialogs.expectQuestion(
                "You will lose the file and any unsaved information. Are you sure?", answer);
        p.form->menus.Delete->trigger();
        QVERIFY(p.dialogs.allAnswersUsed());
        const QString path = p.folder.file(kEntry);
        QCOMPARE(p.dialogs.messages,
                 message.isEmpty()
                     ? QStringList{}
                     : QStringList{message.contains("%1") ? message.arg(path) : message});
        const bool deleted = existing && answer;
        QCOMPARE(QFile::exists(path), existing && !deleted);
        // Deleting the shown entry closes the editor; day 8 of December 2026
        // is a Tuesday, so it turns back to black.
        QCOMPARE(twips::width(p.form.get()), deleted ? 5485.0 : 9860.0);
        QCOMPARE(p.form->Combo1->isEnabled(), deleted);
        QCOMPARE(colourOfDay(p, "8"), existing && !deleted ? DayMarker::kDiary : QColor(0, 0, 0));
        QCOMPARE(p.form->diaryEditor().diaryModified(), wasModified);
        QCOMPARE(p.form->Label50->text(), QString());
    }

    void day31KeptInAThirtyDayMonth() {
        PlannerFixture p;
        QVERIFY(p.load());
        p.form->Combo1->setEditText("31");
        p.form->Combo2->setEditText("November");
        QCOMPARE(p.form->Combo1->currentText(), QString("31"));
        QCOMPARE(p.form->Combo1->count(), 30);
        p.form->menus.mark->trigger();
        typeInEditor(p, "A day that is not");
        p.form->menus.qs->trigger();
        QVERIFY(QFile::exists(p.folder.file("31-November-2026.rtf")));
    }

    void unsafeDatesAreRefused_data() {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("command");
        QTest::newRow("Quick Save, ../") << "../8"
                                         << "qs";
        QTest::newRow("Save, slash") << "x/8"
                                     << "Save";
        QTest::newRow("Delete, ../") << "../8"
                                     << "Delete";
        QTest::newRow("Display, ../") << "../8"
                                      << "display";
    }
    void unsafeDatesAreRefused() {
        QFETCH(QString, day);
        QFETCH(QString, command);
        PlannerFixture p;
        QVERIFY(p.load());
        // A file where the unsafe name would lead.
        const QString outside =
            QDir(p.folder.path() + "..").absoluteFilePath("8-December-2026.rtf");
        const bool outsideExisted = QFile::exists(outside);
        p.form->menus.mark->trigger();
        typeInEditor(p, "Words");
        p.form->Combo1->setEditText(day);
        QAction* action = p.form->findChild<QAction*>(command);
        QVERIFY(action);
        action->setEnabled(true);
        action->trigger();
        QCOMPARE(p.dialogs.messages.size(), 1);
        QVERIFY(p.dialogs.messages[0].startsWith("This date cannot name a diary entry"));
        QVERIFY(p.dialogs.questions.isEmpty());
        QCOMPARE(QFile::exists(outside), outsideExisted);
        QCOMPARE(p.form->RichTextBox1->text(), QString("Words"));
        QVERIFY(p.form->diaryEditor().diaryModified());
    }

    void failedSaveLosesNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("quick");
        QTest::newRow("read-only folder, Quick Save") << "read-only" << true;
        QTest::newRow("read-only folder, Save") << "read-only" << false;
        QTest::newRow("folder in the entry's place, Quick Save") << "folder" << true;
        QTest::newRow("folder in the entry's place, Save") << "folder" << false;
        QTest::newRow("full disk, Quick Save") << "full" << true;
        QTest::newRow("full disk, Save") << "full" << false;
    }
    void failedSaveLosesNothing() {
        QFETCH(QString, how);
        QFETCH(bool, quick);
        PlannerFixture p;
        QVERIFY(p.load());
        const QString path = p.folder.file(kEntry);
        const QByteArray old = "{\\rtf1 Old}";
        if (how == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else {
            p.folder.touch(kEntry, old);
        }
        p.form->menus.mark->trigger();
        typeInEditor(p, "Words that must not be lost");
        p.dialogs.answerAllQuestions(true);

        const QString folder = p.folder.path();
        const auto save = [&] { (quick ? p.form->menus.qs : p.form->menus.Save)->trigger(); };
        if (how == "read-only") {
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            // A process that may write anywhere ignores the folder's mode.
            QFile probe(folder + "probe");
            const bool writable = probe.open(QIODevice::WriteOnly);
            if (writable) probe.remove();
            if (!writable) save();
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (writable) QSKIP("this user can write into a read-only folder");
        } else if (how == "full") {
            const FileSizeLimit limit(8);
            save();
        } else {
            save();
        }

        QCOMPARE(p.dialogs.messages.size(), 1);
        QVERIFY2(p.dialogs.messages[0].startsWith("The diary entry could not be saved."),
                 qPrintable(p.dialogs.messages[0]));
        QVERIFY(!p.dialogs.messages.contains("File has been saved"));
        if (how == "folder")
            QVERIFY(QFileInfo(path).isDir());
        else
            QCOMPARE(readFile(path), old);
        QCOMPARE(p.form->RichTextBox1->text(), QString("Words that must not be lost"));
        QVERIFY(p.form->diaryEditor().diaryModified());
        QCOMPARE(p.form->Label50->text(), QString("Modified"));
        // No half-written file is left behind.
        QCOMPARE(QDir(folder).entryList(QDir::Hidden | QDir::Files).filter(".tmp"), QStringList{});
    }

    void listing_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<QByteArray>>("contents");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("only diary names")
            << QStringList{"a-b-c.rtf", "x.Rtf", "intro.rtf"}
            << QList<QByteArray>{"{\\rtf1 Short}", "{\\rtf1 no}", "{\\rtf1 help}"}
            << QStringList{" 1) a-b-c.rtf    Short...."};
        QTest::newRow("twenty characters of the text, not of the file")
            << QStringList{"1-May-2020.rtf"}
            << QList<QByteArray>{"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 {\\b Dear} diary, today I walked far\\par}"}
            << QStringList{" 1) 1-May-2020.rtf    Dear diary, today I ...."};
        QTest::newRow("junk and truncated files are listed as far as they read")
            << QStringList{"1-May-2020.rtf", "2-May-2020.rtf"}
            << QList<QByteArray>{QByteArray("\x00\x01junk", 6), "{\\rtf1 Hello {\\b wor"}
            << QStringList{" 1) 1-May-2020.rtf    junk....", " 1) 2-May-2020.rtf    Hello wor...."};
    }
    void listing() {
        QFETCH(QStringList, names);
        QFETCH(QList<QByteArray>, contents);
        QFETCH(QStringList, lines);
        PlannerFixture p;
        QVERIFY(p.load());
        for (int i = 0; i < names.size(); ++i) p.folder.touch(names[i], contents[i]);
        RecordingProgress progress;
        p.form->setDiaryProgress(&progress);
        p.form->menus.sld->trigger();
        QCOMPARE(p.dialogs.messages.size(), 1);
        QStringList got = listed(p.dialogs);
        // The running numbers follow the folder's own order.
        for (QString& line : got) line.replace(QRegularExpression("^ \\d+\\)"), " 1)");
        QCOMPARE(got, lines);
        QCOMPARE(progress.finishes, 1);
    }

    void listingWithoutEntries() {
        PlannerFixture p;
        QVERIFY(p.load());
        p.folder.touch("intro.rtf", "{\\rtf1 help}");
        p.form->menus.sld->trigger();
        QCOMPARE(p.dialogs.messages, QStringList{"No entries have been made"});
    }

    void search_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("capital finds capital")
            << "Paris" << QStringList{" 1) 1-May-2020.rtf    We met in Paris....\r\n"};
        QTest::newRow("capital, entry with another capital")
            << "Lisbon" << QStringList{" 1) 2-May-2020.rtf    paris in spring, the....\r\n"};
        QTest::newRow("first match in another case decides")
            << "lisbon" << QStringList{"lisbon was not found in any file"};
        QTest::newRow("answer shown untrimmed")
            << "Rome " << QStringList{"Rome  was not found in any file"};
        QTest::newRow("blank answer asks nothing more") << "  " << QStringList{};
        QTest::newRow("match split by groups and an escape, preview read on past it")
            << QString::fromUtf8("Venezia caffè") << QStringList{QString::fromUtf8(" 1) 3-May-2020.rtf    Venezia caffè at las....\r\n")};
        QTest::newRow("match only after a long prefix")
            << "Oslo" << QStringList{" 1) 4-May-2020.rtf    Day one.\r\nzzzzzzzzzz....\r\n"};
        QTest::newRow("first match found after a long prefix decides")
            << "oslo" << QStringList{"oslo was not found in any file"};
        QTest::newRow("match ending in the last word read, after line breaks")
            << "Madrid" << QStringList{" 1) 6-May-2020.rtf    One.\r\nTwo.\r\nMadrid....\r\n"};
        QTest::newRow("first match in lower case, exact one later")
            << "Berlin" << QStringList{"Berlin was not found in any file"};
    }
    void search() {
        QFETCH(QString, answer);
        QFETCH(QStringList, messages);
        PlannerFixture p;
        QVERIFY(p.load());
        p.folder.touch("1-May-2020.rtf", "{\\rtf1 We met in {\\i Paris}}");
        p.folder.touch("2-May-2020.rtf", "{\\rtf1 paris in spring, then Lisbon}");
        p.folder.touch("3-May-2020.rtf", "{\\rtf1 Ve{\\b ne}zia caff\\u232? at {\\i last}, after the long wait}");
        p.folder.touch("4-May-2020.rtf",
                       "{\\rtf1 Day one.\\par " + QByteArray(70000, 'z') + " then Oslo, then oslo}");
        p.folder.touch("5-May-2020.rtf", "{\\rtf1 berlin first, then {\\b Berlin}}");
        p.folder.touch("6-May-2020.rtf", "{\\rtf1 One.\\par Two.\\par Madri{\\b d}}");
        p.dialogs.expectInput(answer);
        p.form->menus.ftw->trigger();
        QCOMPARE(p.dialogs.prompts,
                 QStringList{"Please enter the text to search within the diary entries : "});
        QCOMPARE(p.dialogs.messages, messages);
    }

    void rightButtonAndDiaryControlShowTheEditorMenu() {
        PlannerFixture p;
        QVERIFY(p.load());
        p.form->menus.mark->trigger();
        QTest::mouseClick(p.form->RichTextBox1->editor()->viewport(), Qt::LeftButton);
        QVERIFY(p.shownMenus.isEmpty());
        QTest::mousePress(p.form->RichTextBox1->editor()->viewport(), Qt::RightButton);
        QCOMPARE(p.shownMenus, QList<QMenu*>{p.form->menus.all2});
        QTest::mouseClick(p.form->Command3, Qt::LeftButton);
        QCOMPARE(p.shownMenus.size(), 2);
        QCOMPARE(p.shownMenus[1], p.form->menus.all2);
    }

    void closingFromTheEditorsMenuShowsNoOtherMenu() {
        PlannerFixture p;
        QVERIFY(p.load());
        p.form->menus.mark->trigger();
        p.choose = [&](QMenu* menu) {
            return menu == p.form->menus.all2 ? p.form->menus.close : nullptr;
        };
        QTest::mousePress(p.form->RichTextBox1->editor()->viewport(), Qt::RightButton, {},
                          QPoint(200, 100));
        QCOMPARE(twips::width(p.form.get()), 5485.0);
        QCOMPARE(p.shownMenus, QList<QMenu*>{p.form->menus.all2});
    }

    void keys() {
        PlannerFixture p;
        QVERIFY(p.load());
        p.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.form.get()));
        // Ctrl+A in the calendar makes an entry.
        p.form->setFocus();
        QTest::keyClick(p.form.get(), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(p.form->RichTextBox1->isVisible());
        QTextEdit* edit = p.form->RichTextBox1->editor();
        edit->setFocus();
        QTest::keyClicks(edit, "Hello");
        // Ctrl+A in the editor selects, it does not empty the editor.
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(p.form->RichTextBox1->text(), QString("Hello"));
        QCOMPARE(p.form->RichTextBox1->selText(), QString("Hello"));
        // Ctrl+T clears nothing.
        QTest::keyClick(edit, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(p.form->RichTextBox1->text(), QString("Hello"));
        // Ctrl+Y does not reload over the open editor.
        p.folder.touch(kEntry, "{\\rtf1 On disk}");
        QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(p.form->RichTextBox1->text(), QString("Hello"));
        QFile::remove(p.folder.file(kEntry));
        // Ctrl+S saves without asking.
        QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(p.folder.file(kEntry)));
        QVERIFY(!p.form->diaryEditor().diaryModified());
        // Ctrl+E asks before replacing.
        p.dialogs.expectQuestion("File already exists. Overwrite ? ", false);
        QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(p.dialogs.messages, QStringList{"File has not been saved"});
        // Ctrl+F asks for the text.
        p.dialogs.expectInput("ell");
        QTest::keyClick(edit, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(p.form->RichTextBox1->selText(), QString("ell"));
        // Ctrl+D asks before deleting.
        p.dialogs.expectQuestion(
            "You will lose the file and any unsaved information. Are you sure?", false);
        QTest::keyClick(edit, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(p.dialogs.allAnswersUsed());
        QVERIFY(QFile::exists(p.folder.file(kEntry)));
        // Ctrl+N: nothing unsaved, so no question.
        QTest::keyClick(edit, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(p.form->RichTextBox1->text(), QString());
        // With the editor closed over unsaved words, the calendar's keys
        // leave them alone.
        QTest::keyClicks(edit, "Unsaved");
        p.form->menus.close->trigger();
        p.form->setFocus();
        QTest::keyClick(p.form.get(), Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(p.form.get(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(p.form->RichTextBox1->text(), QString("Unsaved"));
        QCOMPARE(twips::width(p.form.get()), 5485.0);
        // Without them, Ctrl+Y displays the entry.
        p.form->menus.clr->trigger();
        QTest::keyClick(p.form.get(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(p.form->RichTextBox1->isVisible());
        QCOMPARE(p.form->RichTextBox1->text(), QString("Hello"));
        // The menus show the keys.
        QCOMPARE(p.form->menus.qs->shortcut(), QKeySequence("Ctrl+S"));
        QCOMPARE(p.form->menus.clr->shortcut(), QKeySequence());
    }
};

QTEST_MAIN(TestDiaryEntries)
#include "tst_diaryentries.moc"
