// The clean-up of past appointments on the real database: what the question
// lists, what Yes and No leave in the table, and today's reminder list that
// the same refresh rebuilds.
#include <sqlite3.h>

#include <QFile>
#include "clock/ReminderList.h"
#include <QTest>
#include "RichTextBox.h"

#include "clock/Form1.h"
#include "scheduler/ObsoleteCleanup.h"
#include "support/FakeServices.h"
#include "support/TestFolder.h"

namespace {

const QString kAsk =
    QStringLiteral("The following schedules are obsolete! Shall I remove them? \r\n\r\n");

// Dialogs that run a step while the question is open, then answer it.
class AnsweringDialogs final : public IDialogs {
public:
    std::function<void()> whileAsked;
    bool answer = true;
    QStringList messages, questions;
    void message(const QString& text, MessageKind) override { messages << text; }
    bool question(const QString& text) override {
        questions << text;
        if (whileAsked) {
            auto step = std::move(whileAsked);
            whileAsked = nullptr;
            step();
        }
        return answer;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return QString(); }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return std::nullopt; }
};

struct Harness {
    explicit Harness(IDialogs* dialogs = nullptr) {
        QVERIFY(folder.ok());
        context = folder.openContext();
        services.clock = &clock;
        services.dialogs = dialogs ? dialogs : &fake;
        cleanup = std::make_unique<ObsoleteCleanup>(*context, services, &list);
    }
    // Appends records through a second connection, as another writer would.
    void insert(const QStringList& rows) {
        for (const QString& row : rows)
            QVERIFY(folder.exec(QStringLiteral("INSERT INTO scheduler VALUES (%1)").arg(row)));
    }
    QStringList texts() const {
        QStringList all;
        RecordSet& set = *context->scheduleRecords;
        for (bool more = set.moveFirst(); more && !set.atEnd(); set.moveNext()) all << set.text(6);
        return all;
    }
    QStringList entries() const {
        QStringList all;
        for (int i = 0; i < list.count(); ++i) all << list.text(i);
        return all;
    }
    TestFolder folder;
    std::unique_ptr<AppContext> context;
    FakeClock clock{QDateTime(QDate(2026, 3, 7), QTime(13, 30, 0))};
    FakeDialogs fake;
    Services services;
    ReminderList list;
    RichTextBox box;
    std::unique_ptr<ObsoleteCleanup> cleanup;
};

}  // namespace

class TestObsoleteCleanup : public QObject {
    Q_OBJECT
private slots:
    void emptyTableAsksNothing() {
        Harness h;
        h.list.addItems({QStringLiteral("5: 7:PM")});
        h.context->appToday = true;
        h.cleanup->refresh(ScratchBox(&h.box));
        QVERIFY(h.fake.questions.isEmpty());
        QVERIFY(h.fake.messages.isEmpty());
        QCOMPARE(h.list.count(), 0);
        QVERIFY(!h.context->appToday);
    }

    void listsInPassOrder() {
        Harness h;
        h.insert({"'6','March','2026','11',59,'PM','Yesterday evening'",
                  "'15','January','2026','09',0,'AM','Earlier month'",
                  "'24','December','2025','08',30,'AM','Christmas Eve breakfast with the family'",
                  "'7','March','2026','01',45,'PM','Later today'"});
        h.fake.expectQuestion(
            kAsk +
                QStringLiteral(" 1)  24  December 2025      8: 30 AM     Christmas Eve breakf\r\n"
                               " 2)  15  January 2026      9: 0 AM     Earlier month\r\n"
                               " 3)  6  March 2026      11: 59 PM     Yesterday evening\r\n"),
            false);
        h.cleanup->refresh(ScratchBox(&h.box));
        QVERIFY(h.fake.allAnswersUsed());
        // It comes unbidden and deletes: Return alone must not say Yes.
        QCOMPARE(h.fake.noByDefault, h.fake.questions);
        QCOMPARE(h.fake.messages, QStringList{QStringLiteral("Obsolete schedules NOT removed")});
        // No leaves every record, and the next refresh asks again.
        QCOMPARE(h.texts().size(), 4);
        h.fake.expectQuestion(h.fake.questions.first(), false);
        h.cleanup->refresh(ScratchBox(&h.box));
        QCOMPARE(h.fake.questions.size(), 2);
        QCOMPARE(h.texts().size(), 4);
        // The box holds the last one listed, its first 20 characters selected.
        QCOMPARE(h.box.text(), QStringLiteral("Yesterday evening"));
        QCOMPARE(h.box.selText(), QStringLiteral("Yesterday evening"));
    }

    void removalTheFileRefusesIsReported_data() {
        QTest::addColumn<QString>("hold");
        // Another program reads the planner and keeps reading: the removal,
        // written in one go, cannot be committed.
        QTest::newRow("a reader holds the file") << "BEGIN; SELECT count(*) FROM scheduler;";
        // Another program is writing: each deletion is refused on its own.
        QTest::newRow("a writer holds the file") << "BEGIN IMMEDIATE;";
        // The file cannot be written at all.
        QTest::newRow("read-only file") << "";
    }
    void removalTheFileRefusesIsReported() {
        QFETCH(QString, hold);
        Harness h;
        h.insert({"'7','March','2026','09',0,'AM','Morning'",
                  "'7','March','2026','05',7,'PM','Dentist'"});
        const QString path = h.folder.file("scheduler.mdb");
        if (hold.isEmpty()) {
            h.cleanup.reset();
            h.context.reset();
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
            if (QFile file(path); file.open(QIODevice::ReadWrite))
                QSKIP("this user writes read-only files");
            h.context = h.folder.openContext();
            QVERIFY(h.context);
            h.cleanup = std::make_unique<ObsoleteCleanup>(*h.context, h.services, &h.list);
        }
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
        if (!hold.isEmpty())
            QCOMPARE(sqlite3_exec(other, hold.toUtf8().constData(), nullptr, nullptr, nullptr),
                     SQLITE_OK);
        h.fake.answerAllQuestions(true);
        h.cleanup->refresh(ScratchBox(&h.box));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QCOMPARE(h.fake.messages.size(), 1);
        QVERIFY2(h.fake.messages[0].startsWith(QStringLiteral("The obsolete schedules could not be removed")),
                 qPrintable(h.fake.messages[0]));
        QCOMPARE(h.texts(), (QStringList{"Morning", "Dentist"}));
        QCOMPARE(h.folder.query(QStringLiteral("SELECT stext FROM scheduler")),
                 (QStringList{"Morning", "Dentist"}));
        // The list is built from what the table still holds.
        QCOMPARE(h.entries(), (QStringList{"9: 0:AM", "5: 7:PM"}));
    }

    void yesRemovesThePastAndKeepsToday() {
        Harness h;
        h.insert({"'7','March','2026','09',0,'AM','Morning'",
                  "'7','March','2026','01',10,'PM','Ten past one'",
                  "'7','March','2026','01',45,'PM','Quarter to two'",
                  "'7','March','2026','12',45,'PM','Lunch'",
                  "'7','April','2026','05',7,'PM','April'",
                  "'7','March','2026','05',7,'PM','Dentist'"});
        h.fake.expectQuestion(
            kAsk + QStringLiteral(" 1)  7  March 2026      9: 0 AM     Morning\r\n"
                                  " 2)  7  March 2026      1: 10 PM     Ten past one\r\n"),
            true);
        h.cleanup->refresh(ScratchBox(&h.box));
        QCOMPARE(h.fake.messages,
                 QStringList{QStringLiteral("Obsolete schedules have been removed")});
        QCOMPARE(h.texts(), (QStringList{"Quarter to two", "Lunch", "April", "Dentist"}));
        // The list built by the same refresh has today's appointments only.
        QCOMPARE(h.entries(), (QStringList{"1: 45:PM", "12: 45:PM", "5: 7:PM"}));
        QVERIFY(h.context->appToday);
    }

    void unreadableRecordsStayAndDoNotStopTheScan() {
        Harness h;
        h.insert({"NULL,'December','2020','05',7,'PM','No day'",
                  "'1','Smarch','2020','05',7,'PM','Bad month'",
                  "'1','December','last','05',7,'PM','Bad year'",
                  "'1','December','2020',NULL,7,'PM','No hour'",
                  "'1','December','2020','05',7,NULL,'No half'",
                  "'1','December','2020','05',7,'PM','Old'",
                  "'7','March','2026','ten','x','PM','Today, unreadable time'"});
        h.fake.expectQuestion(
            kAsk + QStringLiteral(" 1)  1  December 2020      5: 7 PM     Old\r\n"), true);
        h.cleanup->refresh(ScratchBox(&h.box));
        QCOMPARE(h.texts(), (QStringList{"No day", "Bad month", "Bad year", "No hour", "No half",
                                         "Today, unreadable time"}));
        // Dated today, so today holds an appointment; its time gives no entry.
        QVERIFY(h.context->appToday);
        QCOMPARE(h.list.count(), 0);
    }

    void deletesWithTheMomentItListed() {
        // The user answers two minutes later: what had not passed when the
        // question was put is not deleted.
        AnsweringDialogs dialogs;
        Harness h(&dialogs);
        h.insert({"'7','March','2026','01',10,'PM','Passed'",
                  "'7','March','2026','01',31,'PM','Coming'"});
        dialogs.whileAsked = [&] { h.clock.set(QDateTime(QDate(2026, 3, 7), QTime(13, 32, 0))); };
        h.cleanup->refresh(ScratchBox(&h.box));
        QCOMPARE(dialogs.questions.size(), 1);
        QVERIFY(!dialogs.questions.first().contains(QStringLiteral("Coming")));
        QCOMPARE(h.texts(), QStringList{QStringLiteral("Coming")});
        QCOMPARE(h.entries(), QStringList{QStringLiteral("1: 31:PM")});
    }

    void noSecondQuestionWhileOneIsOpen() {
        AnsweringDialogs dialogs;
        Harness h(&dialogs);
        h.insert({"'6','March','2026','01',10,'PM','Yesterday'",
                  "'7','March','2026','05',7,'PM','Today'"});
        // A refresh started meanwhile (a timer) does not ask again, but still
        // gives today's list.
        dialogs.whileAsked = [&] {
            h.cleanup->refresh(ScratchBox(&h.box));
            QCOMPARE(h.entries(), QStringList{QStringLiteral("5: 7:PM")});
        };
        dialogs.answer = false;
        h.cleanup->refresh(ScratchBox(&h.box));
        QCOMPARE(dialogs.questions.size(), 1);
        QCOMPARE(dialogs.messages, QStringList{QStringLiteral("Obsolete schedules NOT removed")});
        QCOMPARE(h.texts().size(), 2);
    }

    void clockWindowRunsItWithItsOwnList() {
        TestFolder folder;
        folder.touchSoundFiles();
        FakeClock clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0, 0)));
        FakeDialogs dialogs;
        FakePauser pauser;
        Services services;
        services.clock = &clock;
        services.dialogs = &dialogs;
        services.pauser = &pauser;
        AppContext context;
        context.appFolder = folder.path();
        Form1 form(context, services);
        QVERIFY(form.load());
        QVERIFY(folder.exec(
            QStringLiteral("INSERT INTO scheduler VALUES ('8','December','2026','05',7,'PM','x'),"
                           "('7','December','2026','05',7,'PM','Gone')")));
        dialogs.expectQuestion(
            kAsk + QStringLiteral(" 1)  7  December 2026      5: 7 PM     Gone\r\n"), true);
        form.dailyCheck();
        QVERIFY(dialogs.allAnswersUsed());
        QCOMPARE(form.List2->count(), 1);
        QCOMPARE(form.List2->text(0), QStringLiteral("5: 7:PM"));
        QVERIFY(context.appToday);
        dialogs.answerAllQuestions(false);
        form.close();
    }
};

QTEST_MAIN(TestObsoleteCleanup)
#include "tst_obsoletecleanup.moc"
