// Help for first-time users: the help window beside the clock, the pages it
// shows while help is on, "Close" and "Disable help", the question at exit,
// and the seven pages shipped in the data folder.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include "DataFolder.h"
#include "HelpWindow.h"
#include "RichTextBox.h"
#include "rtf/Rtf.h"
#include "SettingsStore.h"
#include "Twips.h"
#include "clock/Form1.h"
#include "support/ClockWindowFixture.h"
#include "support/FakeServices.h"
#include "support/TestFolder.h"

namespace {

const QString kHelpQuestion =
    QStringLiteral("Do you wish to receive help messages the next time you run this software?");
const QString kShippedData = QStringLiteral(TAVENEL_SOURCE_DIR "/data");

// A data folder as set-up makes it: the database, and the sounds and help
// pages copied from the shipped data.
struct PreparedFolder : TestFolder {
    PreparedFolder() {
        QString error;
        prepared = datafolder::prepare(path(), kShippedData, nullptr, &error);
        touchSoundFiles();
    }
    bool prepared = false;
};

struct Harness {
    explicit Harness(const TestFolder& folder) {
        services.clock = &clock;
        services.dialogs = &dialogs;
        services.pauser = &pauser;
        context.appFolder = folder.path();
        form = std::make_unique<Form1>(context, services);
    }
    bool load() { return loadClockWindow(*form); }
    HelpWindow* help() const { return form->Form3.get(); }
    bool helpShown() const { return help() && help()->isLoaded() && help()->isVisible(); }
    QString pageText() const { return help() ? help()->RichTextBox1->text() : QString(); }

    FakeClock clock;
    FakeDialogs dialogs;
    FakePauser pauser;
    Services services;
    AppContext context;
    std::unique_ptr<Form1> form;
};

// Where the help window belongs: against the clock window's right side,
// past the frame drawn round the clock.
QPointF besideClock(const QWidget* clock) {
    const double frame = twips::fromPixels(clock->frameGeometry().width() - clock->width());
    return {twips::left(clock) + twips::width(clock) + frame, twips::top(clock)};
}
QPointF placeOf(const QWidget* window) {
    return {twips::left(window), twips::top(window)};
}

// Records whether the clock window was enabled at the moment the help
// window was shown.
class ShowWatcher : public QObject {
public:
    explicit ShowWatcher(const QWidget* clock) : m_clock(clock) { qApp->installEventFilter(this); }
    ~ShowWatcher() override { qApp->removeEventFilter(this); }
    QList<bool> clockEnabledAtShow;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("Form3"))
            clockEnabledAtShow << m_clock->isEnabled();
        return false;
    }

private:
    const QWidget* m_clock;
};

}  // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QFileInfo::exists(kShippedData + QStringLiteral("/intro.rtf"))); }

    // Start-up with help on shows the introduction beside the clock, the
    // clock disabled while the window loads and enabled afterwards.
    void introductionAtStartUp_data() {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("shown");
        QTest::newRow("help on") << "F" << true;
        QTest::newRow("help off") << "U" << false;
        QTest::newRow("lower-case f is off") << "f" << false;
    }
    void introductionAtStartUp() {
        QFETCH(QString, flag);
        QFETCH(bool, shown);
        PreparedFolder folder;
        QVERIFY(folder.prepared);
        QVERIFY(
            folder.exec(QStringLiteral("UPDATE signal SET f6 = '%1'; "
                                       "INSERT INTO clockini VALUES (300, 450, 'normal', 'None')")
                            .arg(flag)));
        Harness h(folder);
        ShowWatcher watcher(h.form.get());
        QVERIFY(h.load());
        QCOMPARE(h.helpShown(), shown);
        QVERIFY(h.form->isEnabled());
        if (!shown) {
            QVERIFY(watcher.clockEnabledAtShow.isEmpty());
            return;
        }
        QCOMPARE(watcher.clockEnabledAtShow, QList<bool>{false});
        QCOMPARE(h.help()->windowTitle(), QStringLiteral("Tavenel : Support for first time users"));
        QCOMPARE(placeOf(h.help()), besideClock(h.form.get()));
        QCOMPARE(placeOf(h.help()).y(), 450.0);
        QVERIFY(placeOf(h.help()).x() >= 300 + 5580);
        QVERIFY(h.pageText().contains(QStringLiteral("Welcome to Tavenel")));
        QVERIFY(!h.help()->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        h.form->Timer1->stop();
        // The help window has the keyboard, in its page.
        QVERIFY(QTest::qWaitForWindowActive(h.help()));
        QCOMPARE(QApplication::focusWidget(), h.help()->RichTextBox1->editor());
    }

    // Each feature's page opens only while help is on.
    void pageOnlyWhileHelpIsOn_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("helpOn");
        QTest::addColumn<QString>("words");
        QTest::newRow("alarm, help on") << "alarmenable.rtf" << true << "The alarm";
        QTest::newRow("alarm, help off") << "alarmenable.rtf" << false << "";
        QTest::newRow("size, help on") << "switchsize.rtf" << true << "Clock sizes";
        QTest::newRow("viewer, help off") << "pictureviewer.rtf" << false << "";
        QTest::newRow("scheduler, help on") << "scheduler.rtf" << true << "Scheduler and diary";
    }
    void pageOnlyWhileHelpIsOn() {
        QFETCH(QString, page);
        QFETCH(bool, helpOn);
        QFETCH(QString, words);
        PreparedFolder folder;
        QVERIFY(folder.exec(QStringLiteral("UPDATE signal SET f6 = 'U'")));
        Harness h(folder);
        QVERIFY(h.load());
        QVERIFY(!h.help());
        h.form->helpOn = helpOn;
        h.form->showHelpPage(page);
        QCOMPARE(h.helpShown(), helpOn);
        if (!helpOn) return;
        QCOMPARE(placeOf(h.help()), besideClock(h.form.get()));
        QVERIFY2(h.pageText().startsWith(words), qPrintable(h.pageText().left(80)));
    }

    // An open window takes the new page where it stands; once closed, by
    // "Close" or by its close box, the next page opens it beside the clock.
    void openWindowKeepsItsPlace_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Close button") << false;
        QTest::newRow("close box") << true;
    }
    void openWindowKeepsItsPlace() {
        QFETCH(bool, closeBox);
        PreparedFolder folder;
        QVERIFY(folder.exec(QStringLiteral("UPDATE signal SET f6 = 'U'")));
        Harness h(folder);
        QVERIFY(h.load());
        h.form->Timer1->stop();
        h.form->helpOn = true;
        h.form->showHelpPage(QStringLiteral("alarmenable.rtf"));
        QVERIFY(h.pageText().startsWith(QStringLiteral("The alarm")));

        // The user moves both windows; the help stays where the user put it.
        twips::move(h.help(), 7000, 3000);
        twips::move(h.form.get(), 300, 1500);
        const QPointF besideMovedClock = besideClock(h.form.get());
        h.form->showHelpPage(QStringLiteral("switchsize.rtf"));
        QVERIFY(h.helpShown());
        QVERIFY(h.pageText().startsWith(QStringLiteral("Clock sizes")));
        QVERIFY(!h.pageText().contains(QStringLiteral("postpone")));
        QCOMPARE(placeOf(h.help()), QPointF(7000, 3000));

        if (closeBox)
            QVERIFY(h.help()->close());
        else
            QTest::mouseClick(h.help()->Command1, Qt::LeftButton);
        QVERIFY(!h.helpShown());
        h.form->showHelpPage(QStringLiteral("chimeenable.rtf"));
        QVERIFY(h.helpShown());
        QCOMPARE(placeOf(h.help()), besideMovedClock);
        QVERIFY(besideMovedClock.x() >= 300 + 5580);
        QVERIFY(h.pageText().startsWith(QStringLiteral("The hourly chime")));
    }

    // A page file that cannot be read leaves the box as it was (empty in a
    // fresh window) and the window opens all the same.
    void missingPageLeavesTheBox_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("closeFirst");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fresh window") << "" << false << "";
        QTest::newRow("window showing the alarm") << "alarmenable.rtf" << false << "The alarm";
        QTest::newRow("window closed after the alarm") << "alarmenable.rtf" << true << "";
    }
    void missingPageLeavesTheBox() {
        QFETCH(QString, before);
        QFETCH(bool, closeFirst);
        QFETCH(QString, expected);
        PreparedFolder folder;
        QVERIFY(folder.exec(QStringLiteral("UPDATE signal SET f6 = 'U'")));
        Harness h(folder);
        QVERIFY(h.load());
        h.form->Timer1->stop();
        h.form->helpOn = true;
        if (!before.isEmpty()) h.form->showHelpPage(before);
        if (closeFirst) QTest::mouseClick(h.help()->Command1, Qt::LeftButton);
        h.form->showHelpPage(QStringLiteral("nosuchpage.rtf"));
        QVERIFY(h.helpShown());
        QCOMPARE(h.pageText().left(expected.size()), expected);
        if (expected.isEmpty()) QVERIFY(h.pageText().isEmpty());
        QCOMPARE(placeOf(h.help()), besideClock(h.form.get()));
    }

    // "Disable help" stores "U" through a record set of its own and closes
    // the window; once the clock has read the flag again no page opens.
    void disableHelp() {
        PreparedFolder folder;
        Harness h(folder);
        QVERIFY(h.load());
        h.form->Timer1->stop();
        QVERIFY(h.helpShown());
        QTest::mouseClick(h.help()->Command2, Qt::LeftButton);
        QVERIFY(!h.helpShown());

        auto ctx = folder.openContext();
        QVERIFY(ctx->signalRecords->moveFirst());
        QCOMPARE(ctx->signalRecords->text(6), QStringLiteral("U"));
        // The clock's own record set sees the change at its next read.
        const auto flag = settings::readHelpFlag(*h.context.signalRecords);
        QVERIFY(flag);
        QVERIFY(!*flag);
        h.form->helpOn = *flag;
        h.form->showHelpPage(QStringLiteral("pictureviewer.rtf"));
        QVERIFY(!h.helpShown());

        // Help is off now: closing asks nothing.
        h.form->close();
        QVERIFY(h.dialogs.questions.isEmpty());
    }

    // With no flags record "Disable help" has nothing to change and only
    // closes the window.
    void disableHelpWithoutFlagsRecord() {
        PreparedFolder folder;
        QVERIFY(folder.exec(QStringLiteral("DELETE FROM signal")));
        Harness h(folder);
        QVERIFY(h.load());
        h.form->Timer1->stop();
        QVERIFY(!h.help());  // an empty table leaves help off at start-up
        h.form->helpOn = true;
        h.form->showHelpPage(QStringLiteral("clocksettings.rtf"));
        QTest::mouseClick(h.help()->Command2, Qt::LeftButton);
        QVERIFY(!h.helpShown());
        auto ctx = folder.openContext();
        QVERIFY(!ctx->signalRecords->moveFirst());
    }

    // The question at exit decides whether the next run shows help; the
    // help window closes with the clock window either way.
    void answerAtExitDecidesNextRun_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes keeps help") << true;
        QTest::newRow("no turns it off") << false;
    }
    void answerAtExitDecidesNextRun() {
        QFETCH(bool, answer);
        PreparedFolder folder;
        {
            Harness first(folder);
            QVERIFY(first.load());
            QVERIFY(first.helpShown());
            first.dialogs.expectQuestion(kHelpQuestion, answer);
            first.form->close();
            QVERIFY(first.dialogs.allAnswersUsed());
            QVERIFY(!first.helpShown());
        }
        Harness next(folder);
        QVERIFY(next.load());
        next.form->Timer1->stop();
        QCOMPARE(next.form->helpOn, answer);
        QCOMPARE(next.helpShown(), answer);
        next.form->showHelpPage(QStringLiteral("alarmenable.rtf"));
        QCOMPARE(next.helpShown(), answer);
        if (answer) next.dialogs.expectQuestion(kHelpQuestion, true);
        next.form->close();
        QVERIFY(next.dialogs.allAnswersUsed());
    }

    // Where the help goes beside a window (pixels, on a 1280 x 800 screen):
    // right of it, else left of it, else narrowed into the wider room, else
    // the nearest place on the screen, which covers the window.
    void placeBeside_data() {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<bool>("clear");
        QTest::newRow("room on the right") << QRect(200, 150, 374, 162) << QRect(574, 150, 386, 533) << true;
        QTest::newRow("at the top of the screen") << QRect(200, 0, 374, 162) << QRect(574, 0, 386, 533) << true;
        QTest::newRow("at the right edge: on the left")
            << QRect(906, 150, 374, 162) << QRect(520, 150, 386, 533) << true;
        QTest::newRow("low on the screen: raised to fit")
            << QRect(200, 700, 374, 90) << QRect(574, 267, 386, 533) << true;
        QTest::newRow("wide window: narrowed into the wider room")
            << QRect(330, 219, 614, 387) << QRect(944, 219, 336, 533) << true;
        QTest::newRow("wide window, more room on the left")
            << QRect(340, 219, 614, 387) << QRect(0, 219, 340, 533) << true;
        QTest::newRow("no room beside: nearest place, covering")
            << QRect(100, 100, 1000, 300) << QRect(894, 100, 386, 533) << false;
    }
    void placeBeside() {
        QFETCH(QRect, anchor);
        QFETCH(QRect, expected);
        QFETCH(bool, clear);
        const HelpWindow::Place place =
            HelpWindow::placeBeside(anchor, QSize(386, 533), 250, QRect(0, 0, 1280, 800));
        QCOMPARE(place.frame, expected);
        QCOMPARE(place.clear, clear);
    }

    // Every shipped page reads into the help window and speaks of what a
    // user would look for on it.
    void shippedPages_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("intro") << "intro.rtf"
                               << QStringList{"Welcome",      "Settings",  "alarm",
                                              "chime",        "scheduler", "diary",
                                              "Disable help", "Close",     "next time you run"};
        QTest::newRow("alarm") << "alarmenable.rtf"
                               << QStringList{"alarm", "postpone",    "Enable",        "minute 00",
                                              "chime", "appointment", "not remembered"};
        QTest::newRow("chime")
            << "chimeenable.rtf"
            << QStringList{"chime",   "Bell sound alone", "Bell sound accompanied by music",
                           "strokes", "minute 00",        "saved"};
        QTest::newRow("scheduler") << "scheduler.rtf"
                                   << QStringList{"appointment",
                                                  "reminder",
                                                  "diary",
                                                  "calendar",
                                                  "Make schedule",
                                                  "View/Remove schedule",
                                                  "already past is never reminded",
                                                  "Quick Save"};
        QTest::newRow("viewer")
            << "pictureviewer.rtf"
            << QStringList{"picture", "view list",  "slide show",         "Enable Full Screen Mode",
                           "Remove",  "arrow keys", "No picture selected"};
        QTest::newRow("sizes") << "switchsize.rtf"
                               << QStringList{"Small", "Compact", "normal", "Click the clock face",
                                              "next time"};
        QTest::newRow("clock settings")
            << "clocksettings.rtf" << QStringList{"S E T",
                                                  "time",
                                                  "colour",
                                                  "red",
                                                  "green",
                                                  "blue",
                                                  "Close clock Settings",
                                                  "not remembered"};
    }
    void shippedPages() {
        QFETCH(QString, page);
        QFETCH(QStringList, words);
        PreparedFolder folder;
        QVERIFY(QFileInfo::exists(folder.file(page)));  // set-up copied it
        AppContext context;
        context.appFolder = folder.path();
        HelpWindow help(context);
        QVERIFY(help.loadPage(folder.file(page)));
        const QString text = help.RichTextBox1->text();
        for (const QString& word : words)
            QVERIFY2(text.contains(word, Qt::CaseInsensitive),
                     qPrintable(page + QStringLiteral(": ") + word));
        // No markup may show through as text.
        QVERIFY2(!text.contains(QLatin1Char('\\')) && !text.contains(QLatin1Char('{')),
                 qPrintable(text.left(200)));
        // The page is rich text, read as such: its title and its headings
        // are set wholly in bold, and the paragraphs keep their spacing.
        QFile file(folder.file(page));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(rtf::isRtf(file.readAll()));
        int headings = 0;
        bool spaced = false;
        const QTextDocument* document = help.RichTextBox1->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            bool wholeBold = !block.text().trimmed().isEmpty();
            for (auto it = block.begin(); wholeBold && !it.atEnd(); ++it)
                wholeBold = it.fragment().charFormat().fontWeight() >= QFont::Bold;
            if (block.blockNumber() == 0) QVERIFY2(wholeBold, qPrintable(block.text()));
            if (wholeBold) ++headings;
            spaced = spaced || block.blockFormat().bottomMargin() > 0;
        }
        QVERIFY2(headings >= 3, qPrintable(QString::number(headings)));
        QVERIFY(spaced);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
