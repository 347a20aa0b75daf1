// No diary word is lost for good: entries replaced or deleted and unsaved text
// the editor lets go are kept in the history, "Earlier versions" brings them
// back, the history stays within its bounds and out of the diary's own
// listing and calendar, links are not followed, and saves killed half way
// leave neither a torn entry nor litter behind.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTextEdit>
#include <QtTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "RichTextBox.h"
#include "diary/CalendarLabel.h"
#include "diary/DayMarker.h"
#include "diary/DiaryEditor.h"
#include "diary/DiaryHistory.h"
#include "rtf/AtomicFile.h"
#include "rtf/Rtf.h"
#include "scheduler/Form2.h"
#include "support/PlannerFixture.h"

namespace {

const QString kEntry = QStringLiteral("8-December-2026.rtf");

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The versions of an entry, newest first: kind and text.
QStringList versionsOf(PlannerFixture& p, const QString& entry) {
    QStringList out;
    for (const DiaryHistory::Version& v : p.form->diaryEditor().history().versions(entry)) {
        QByteArray data;
        DiaryHistory::read(v, &data, nullptr);
        out << DiaryHistory::kindText(v.kind) + ": " + rtf::plainText(data);
    }
    return out;
}

void typeInEditor(PlannerFixture& p, const QString& text) {
    QTest::keyClicks(p.form->RichTextBox1->editor(), text);
}

void display(PlannerFixture& p) {
    p.form->menus.display->setEnabled(true);
    p.form->menus.display->trigger();
}

}  // namespace

class TestDiaryHistory : public QObject {
    Q_OBJECT
private slots:
    // An entry replaced or deleted is kept, listed by "Earlier versions" and
    // brought back into the editor, from where a save makes it the entry again.
    void replacedAndDeletedEntriesComeBack_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("kind");
        QTest::newRow("Quick Save") << "qs" << "replaced by a save";
        QTest::newRow("Save, Yes") << "Save" << "replaced by a save";
        QTest::newRow("Delete, Yes") << "Delete" << "deleted";
    }
    void replacedAndDeletedEntriesComeBack() {
        QFETCH(QString, command);
        QFETCH(QString, kind);
        PlannerFixture p;
        QVERIFY(p.load());
        p.folder.touch(kEntry, "{\\rtf1 Old words of the day}");
        display(p);
        typeInEditor(p, "New ");
        p.dialogs.answerAllQuestions(true);
        p.form->findChild<QAction*>(command)->trigger();
        QCOMPARE(versionsOf(p, kEntry), QStringList{kind + ": Old words of the day"});

        // Delete left the typed words in the closed editor: they become a
        // draft, the newest version, when the editor is opened afresh.
        p.form->menus.mark->trigger();
        const int index = command == "Delete" ? 1 : 0;
        p.dialogs.expectChoice(index);
        p.form->menus.ev->trigger();
        QVERIFY(p.dialogs.allAnswersUsed());
        QCOMPARE(p.dialogs.lists.size(), 1);
        const QStringList list = p.dialogs.lists[0];
        QCOMPARE(list.size(), index + 2);
        const QString line = list[index + 1];
        QVERIFY2(line.startsWith(QString::number(index + 1) + ")  8 December 2026 5:06:58 PM   " + kind + ", "),
                 qPrintable(line));
        QVERIFY2(line.endsWith("   Old words of the day"), qPrintable(line));
        QCOMPARE(p.form->RichTextBox1->text(), QString("Old words of the day"));
        QCOMPARE(p.form->Label50->text(), QString("Modified"));
        p.form->menus.qs->trigger();
        QCOMPARE(rtf::plainText(readFile(p.folder.file(kEntry))), QString("Old words of the day"));
    }

    // Text never saved that a command lets go is kept as a draft of the date
    // the editor was opened for, even when another day is selected by then.
    void discardedTextIsKept_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("Make a diary entry") << "mark";
        QTest::newRow("Display diary entry") << "display";
        QTest::newRow("New") << "New";
        QTest::newRow("Open") << "open";
        QTest::newRow("Clear all text") << "clr";
    }
    void discardedTextIsKept() {
        QFETCH(QString, command);
        PlannerFixture p;
        QVERIFY(p.load());
        p.folder.touch("other.txt", "Another file");
        p.form->menus.mark->trigger();
        typeInEditor(p, "Words never saved");
        p.form->Combo1->setEditText("9");
        if (command != "mark" && command != "display" && command != "clr")
            p.dialogs.expectQuestion(command == "New" ? "You will lose unsaved data. Open new file ? "
                                                      : "You will lose unsaved data. Open file ? ",
                                     true);
        if (command == "open") p.dialogs.expectOpenFile(p.folder.file("other.txt"));
        if (command == "display")
            display(p);
        else
            p.form->findChild<QAction*>(command)->trigger();
        QVERIFY(p.dialogs.allAnswersUsed());
        QCOMPARE(versionsOf(p, kEntry), QStringList{"unsaved text: Words never saved"});
        QCOMPARE(versionsOf(p, "9-December-2026.rtf"), QStringList{});
        // Nothing unsaved any more: doing it again keeps nothing new.
        p.form->menus.mark->trigger();
        QCOMPARE(versionsOf(p, kEntry).size(), 1);
    }

    // When the history cannot take a version (a file where its folder
    // should be), the user is asked, and No loses nothing.
    void historyThatCannotKeepAsks_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Quick Save, No") << "qs" << false;
        QTest::newRow("Quick Save, Yes") << "qs" << true;
        QTest::newRow("Delete, No") << "Delete" << false;
        QTest::newRow("Make a diary entry, No") << "mark" << false;
        QTest::newRow("Make a diary entry, Yes") << "mark" << true;
    }
    void historyThatCannotKeepAsks() {
        QFETCH(QString, command);
        QFETCH(bool, yes);
        PlannerFixture p;
        QVERIFY(p.load());
        p.folder.touch(kEntry, "{\\rtf1 Old}");
        p.folder.touch(DiaryHistory::folderName(), "not a folder");
        p.form->menus.mark->trigger();
        typeInEditor(p, "Typed");
        if (command == "Delete")
            p.dialogs.expectQuestion("You will lose the file and any unsaved information. Are you sure?", true);
        p.dialogs.answerAllQuestions(yes);
        p.form->findChild<QAction*>(command)->trigger();
        const QString asked = p.dialogs.questions.value(p.dialogs.questions.size() - 1);
        QVERIFY2(asked.contains("could not be kept in the diary's history"), qPrintable(asked));
        if (command == "mark") {
            QCOMPARE(p.form->RichTextBox1->text(), yes ? QString() : QString("Typed"));
            QCOMPARE(readFile(p.folder.file(kEntry)), QByteArray("{\\rtf1 Old}"));
        } else if (command == "Delete") {
            QCOMPARE(readFile(p.folder.file(kEntry)), QByteArray("{\\rtf1 Old}"));
            QCOMPARE(p.dialogs.messages, QStringList{"The file has not been deleted"});
        } else {
            QCOMPARE(rtf::plainText(readFile(p.folder.file(kEntry))), yes ? QString("Typed") : QString("Old"));
            QCOMPARE(p.form->diaryEditor().diaryModified(), !yes);
        }
    }

    // An entry keeps its newest fifty versions; older than ninety days only
    // its newest stays. The same text twice is kept once.
    void bounds() {
        QTemporaryDir dir;
        FakeClock clock(QDateTime(QDate(2026, 1, 1), QTime(9, 0)));
        DiaryHistory history(dir.path(), &clock);
        QString error;
        for (int i = 0; i < DiaryHistory::kVersionsPerEntry + 5; ++i) {
            QVERIFY2(history.keep("1-January-2026.rtf", "{\\rtf1 v" + QByteArray::number(i) + "}",
                                  DiaryHistory::Kind::Replaced, &error), qPrintable(error));
            clock.advanceMs(1000);
        }
        QVERIFY(history.keep("1-January-2026.rtf", "{\\rtf1 v54}", DiaryHistory::Kind::Draft, &error));
        std::vector<DiaryHistory::Version> versions = history.versions("1-January-2026.rtf");
        QCOMPARE(int(versions.size()), DiaryHistory::kVersionsPerEntry);
        QByteArray newest;
        QVERIFY(DiaryHistory::read(versions.front(), &newest, nullptr));
        QCOMPARE(newest, QByteArray("{\\rtf1 v54}"));
        QCOMPARE(versions.front().kind, DiaryHistory::Kind::Replaced);

        QVERIFY(history.keep("2-January-2026.rtf", "{\\rtf1 once}", DiaryHistory::Kind::Deleted, &error));
        DiaryHistory::tidy(dir.path(), clock.now().addDays(DiaryHistory::kKeptDays + 1));
        QCOMPARE(int(history.versions("1-January-2026.rtf").size()), 1);
        QCOMPARE(int(history.versions("2-January-2026.rtf").size()), 1);
    }

    // The history is no diary file: not listed, not searched, no day marked.
    void historyIsNoEntry() {
        PlannerFixture p;
        QVERIFY(p.load());
        p.folder.touch("1-December-2026.rtf", "{\\rtf1 Entry}");
        QString error;
        QVERIFY(p.form->diaryEditor().history().keep("9-December-2026.rtf", "{\\rtf1 Entry gone}",
                                                      DiaryHistory::Kind::Deleted, &error));
        p.form->menus.sld->trigger();
        QCOMPARE(p.dialogs.messages, QStringList{" 1) 1-December-2026.rtf    Entry....\r\n"});
        p.dialogs.expectInput("gone");
        p.form->menus.ftw->trigger();
        QCOMPARE(p.dialogs.messages.last(), QString("gone was not found in any file"));
        p.form->markDays();
        for (int k = 0; k < DayMarker::kCells; ++k)
            if (p.form->dayCell(k)->text() == "9") QCOMPARE(p.form->dayCell(k)->textColor(), DayMarker::kPlain);
    }

    // A symbolic link named like the entry is neither read nor written
    // through: the file it points to stays as it was.
    void linksAreNotFollowed_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("Display") << "display" << "The diary entry %1 cannot be read.";
        QTest::newRow("Quick Save") << "qs" << "The diary entry could not be saved.";
        QTest::newRow("Save") << "Save" << "The diary entry could not be saved.";
    }
    void linksAreNotFollowed() {
        QFETCH(QString, command);
        QFETCH(QString, message);
        PlannerFixture p;
        QVERIFY(p.load());
        QTemporaryDir outside;
        const QString target = outside.filePath("elsewhere.rtf");
        {
            QFile t(target);
            QVERIFY(t.open(QIODevice::WriteOnly));
            t.write("{\\rtf1 Not the diary's}");
        }
        QVERIFY(QFile::link(target, p.folder.file(kEntry)));
        p.form->menus.mark->trigger();
        typeInEditor(p, "Words");
        if (command == "display")
            display(p);
        else
            p.form->findChild<QAction*>(command)->trigger();
        QCOMPARE(p.dialogs.messages.size(), 1);
        QVERIFY2(p.dialogs.messages[0].startsWith(message.arg(p.folder.file(kEntry))), qPrintable(p.dialogs.messages[0]));
        QVERIFY2(p.dialogs.messages[0].contains("is a symbolic link"), qPrintable(p.dialogs.messages[0]));
        QVERIFY(p.dialogs.questions.isEmpty());
        QCOMPARE(readFile(target), QByteArray("{\\rtf1 Not the diary's}"));
        QVERIFY(QFileInfo(p.folder.file(kEntry)).isSymLink());
    }

    // A file that holds what the editor cannot keep says so when displayed.
    void displayTellsWhatCannotBeKept() {
        PlannerFixture p;
        QVERIFY(p.load());
        p.folder.touch(kEntry, "{\\rtf1 Text{\\object{\\*\\objdata 01}}{\\footnote A note}}");
        display(p);
        QCOMPARE(p.dialogs.messages.size(), 1);
        QCOMPARE(p.dialogs.messages[0],
                 "Some of what " + p.folder.file(kEntry) +
                     " holds cannot be kept here:\n\n- 1 embedded object (only its picture is shown, where the "
                     "file has one)\n- 1 footnote or endnote\n\nIt is not shown, and it will be missing from "
                     "what you save. The file itself has not been changed.");
        QCOMPARE(p.form->RichTextBox1->text(), QString("Text"));
        QCOMPARE(p.form->Label50->text(), QString());
    }

    // Saves killed at any moment leave the entry whole, old or new, and the
    // next start removes what they left behind.
    void killedSavesLeaveNothingBehind() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kEntry);
        const QByteArray versions[2] = {QByteArray(1 << 20, 'a'), QByteArray(1 << 20, 'b')};
        QString error;
        QVERIFY(rtf::AtomicFile::write(path, versions[0], &error));
        int leftovers = 0;
        for (int round = 0; round < 12; ++round) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                for (int i = 0;; ++i) rtf::AtomicFile::write(path, versions[i % 2], nullptr);
            }
            usleep(useconds_t(20000 + round * 7000));
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            const QByteArray now = readFile(path);
            QVERIFY(now == versions[0] || now == versions[1]);
        }
        leftovers = int(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).size()) - 1;
        qInfo("12 killed saves left %d files behind before the start", leftovers);
        // Files of the user's that only look like a save's are kept.
        const QStringList kept = {kEntry, "..1234abcd.tmp", ".notes.tmp", ".x.1234ABCD.tmp",
                                  ".x.1234abcd.tmp.bak", "x.1234abcd.tmp", ".x.123abcd.tmp"};
        for (const QString& name : kept.mid(1)) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        DiaryHistory::tidy(dir.path(), QDateTime::currentDateTime());
        QStringList left = QDir(dir.path()).entryList(QDir::Hidden | QDir::Files);
        QStringList expected = kept;
        left.sort();
        expected.sort();
        QCOMPARE(left, expected);
    }
};

QTEST_MAIN(TestDiaryHistory)
#include "tst_diaryhistory.moc"
