// The clock window's start-up and shut-down: the messages for missing and
// unusable files, the settings applied at start and stored at exit, and the
// help question.
#include <QCheckBox>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "SettingsStore.h"
#include "Twips.h"
#include "clock/Form1.h"
#include "clock/PictureBox.h"
#include "support/ClockWindowFixture.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void firstRunWithEmptySettings() {
        ClockWindowFixture h;
        TestFolder& folder = h.folder;
        QVERIFY(h.form->load());
        QVERIFY(h.dialogs.messages.isEmpty());
        QCOMPARE(twips::width(h.form.get()), 5580.0);
        QCOMPARE(twips::height(h.form.get()), 2050.0);
        QVERIFY(!h.form->Check2->isChecked());
        QVERIFY(!h.form->chimeOn);
        QVERIFY(h.form->helpOn);
        QVERIFY(h.form->centredLayout);
        QVERIFY(!h.form->startingUp);
        // The time was drawn once, in the clock face's font.
        QCOMPARE(h.form->Picture1->font().pointSize(), 30);
        QCOMPARE(h.form->Picture1->printed().size(), std::size_t(1));
        QVERIFY(h.form->windowTitle().isEmpty());

        h.dialogs.expectQuestion(
            QStringLiteral("Do you wish to receive help messages the next time you run this software?"), true);
        h.form->close();
        auto ctx = folder.openContext();
        const settings::Saved saved = settings::read(*ctx->clockiniRecords);
        QCOMPARE(saved.size, QStringLiteral("normal"));
        QCOMPARE(saved.chimeMode, QStringLiteral("None"));
        QVERIFY(saved.left);
        QCOMPARE(*settings::readHelpFlag(*ctx->signalRecords), true);
    }

    void savedChimeMode_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("chimeOn");
        QTest::addColumn<bool>("music");
        QTest::addColumn<QString>("storedAtExit");
        QTest::newRow("None") << "None" << false << false << false << "None";
        QTest::newRow("Chime") << "Chime" << true << true << false << "Chime";
        QTest::newRow("Both") << "Both" << true << true << true << "Both";
        QTest::newRow("empty") << "" << true << false << true << "";
        QTest::newRow("lower-case none") << "none" << true << false << true << "";
    }
    void savedChimeMode() {
        QFETCH(QString, mode);
        QFETCH(bool, ticked);
        QFETCH(bool, chimeOn);
        QFETCH(bool, music);
        QFETCH(QString, storedAtExit);
        ClockWindowFixture h;
        TestFolder& folder = h.folder;
        QVERIFY(folder.exec(QStringLiteral("UPDATE signal SET f6 = 'U'; "
                                           "INSERT INTO clockini VALUES (600, 450, 'normal', '%1')")
                                .arg(mode)));
        QVERIFY(h.form->load());
        QCOMPARE(h.form->Check2->isChecked(), ticked);
        QCOMPARE(h.form->chimeOn, chimeOn);
        QCOMPARE(h.form->music, music);
        QCOMPARE(twips::left(h.form.get()), 600.0);
        QCOMPARE(twips::top(h.form.get()), 450.0);
        h.form->close();  // help is off: no question
        QVERIFY(h.dialogs.questions.isEmpty());
        auto ctx = folder.openContext();
        QCOMPARE(settings::read(*ctx->clockiniRecords).chimeMode, storedAtExit);
        QCOMPARE(*settings::readHelpFlag(*ctx->signalRecords), false);
    }

    void leftEdgeBeyondSixteenBitsIsClamped() {
        ClockWindowFixture h;
        TestFolder& folder = h.folder;
        QVERIFY(folder.exec(QStringLiteral("UPDATE signal SET f6 = 'U'")));
        QVERIFY(h.form->load());
        twips::move(h.form.get(), 40500, 300);
        h.form->close();
        auto ctx = folder.openContext();
        QCOMPARE(*settings::read(*ctx->clockiniRecords).left, 32767);
    }

    void positionOffEveryScreenIsBroughtBack() {
        ClockWindowFixture h;
        TestFolder& folder = h.folder;
        QVERIFY(folder.exec(QStringLiteral("UPDATE signal SET f6 = 'U'; "
                                           "INSERT INTO clockini VALUES (30000, 30000, 'normal', 'None')")));
        QVERIFY(h.form->load());
        const QRect frame(h.form->pos(), h.form->QWidget::size());
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().intersects(frame));
        h.form->close();
    }

    void helpQuestionAtExit_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("stored");
        QTest::newRow("yes keeps help") << true << "F";
        QTest::newRow("no turns it off") << false << "U";
    }
    void helpQuestionAtExit() {
        QFETCH(bool, answer);
        QFETCH(QString, stored);
        ClockWindowFixture h;
        TestFolder& folder = h.folder;
        QVERIFY(h.form->load());
        h.dialogs.expectQuestion(
            QStringLiteral("Do you wish to receive help messages the next time you run this software?"), answer);
        h.form->close();
        QVERIFY(h.dialogs.allAnswersUsed());
        auto ctx = folder.openContext();
        QVERIFY(ctx->signalRecords->moveFirst());
        QCOMPARE(ctx->signalRecords->text(6), stored);
    }

    void missingSoundFilesAreListed() {
        ClockWindowFixture h;
        TestFolder& folder = h.folder;
        QVERIFY(QFile::remove(folder.file(QStringLiteral("bell.mp3"))));
        QVERIFY(folder.exec(QStringLiteral("UPDATE signal SET f6 = 'U'")));
        QVERIFY(h.form->load());
        QCOMPARE(h.dialogs.messages,
                 (QStringList{QStringLiteral("Some files are missing. Some features may not work as expected!"),
                              QStringLiteral("Missing files :\r\n\r\n") + folder.file(QStringLiteral("bell.mp3")) +
                                  QStringLiteral("\r\n")}));
    }

    void missingDatabaseEndsTheRun() {
        ClockWindowFixture h;
        TestFolder& folder = h.folder;
        QVERIFY(QFile::remove(folder.file(QStringLiteral("scheduler.mdb"))));
        QVERIFY(!h.form->load());
        QCOMPARE(h.dialogs.messages, QStringList{QStringLiteral("I am missing a 'scheduler.mdb' at ") +
                                                 folder.path() + QStringLiteral(". Try re-installing.")});
        QVERIFY(!QFile::exists(folder.file(QStringLiteral("scheduler.mdb"))));
        QVERIFY(!h.form->Timer1->isActive());
    }

    void unusableDatabaseEndsTheRunAndIsLeftAlone() {
        ClockWindowFixture h;
        TestFolder& folder = h.folder;
        const QString path = folder.file(QStringLiteral("scheduler.mdb"));
        QByteArray junk(4096, '\0');
        for (int i = 0; i < junk.size(); ++i) junk[i] = char((i * 31 + 7) % 256);
        QFile::remove(path);
        folder.touch(QStringLiteral("scheduler.mdb"), junk);
        QVERIFY(!h.form->load());
        QCOMPARE(h.dialogs.messages.size(), 1);
        const QString message = h.dialogs.messages.first();
        QVERIFY2(message.contains(path), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("not a database")), qPrintable(message));
        QVERIFY(h.dialogs.questions.isEmpty());
        QCOMPARE(readAll(path), junk);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
