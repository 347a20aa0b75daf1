// The list of every appointment and the search through their texts: the
// lines exactly as the user reads them, which texts a search finds, and the
// messages for nothing made and nothing found.
#include <QTest>
#include "RichTextBox.h"

#include "platform/FittedMessageBox.h"
#include "scheduler/ListingRules.h"
#include "scheduler/ScheduleListing.h"
#include "support/WindowRig.h"

namespace {

struct Harness : WindowRig {
    Harness() {
        QVERIFY(folder.ok());
        context = folder.openContext();
        listing = std::make_unique<ScheduleListing>(*context, services, ScratchBox(&box));
    }
    void insert(const QStringList& rows) {
        for (const QString& row : rows)
            QVERIFY(folder.exec(QStringLiteral("INSERT INTO scheduler VALUES (%1)").arg(row)));
    }
    std::unique_ptr<AppContext> context;
    RichTextBox box;
    std::unique_ptr<ScheduleListing> listing;
};

}  // namespace

class TestScheduleListing : public QObject {
    Q_OBJECT
private slots:
    void lines_data() {
        QTest::addColumn<QVariantList>("stored");
        QTest::addColumn<QString>("line");
        QTest::newRow("8 December 2026 at 05:07 PM")
            << QVariantList{"8",
                            "December",
                            "2026",
                            "05",
                            7,
                            "PM",
                            "Dentist, bring the X-ray pictures"}
            << QStringLiteral("1) 8 December, 2026    5 : 7 PM    Dentist, bring the X....\r\n");
        QTest::newRow("short text")
            << QVariantList{"8", "December", "2026", "12", 30, "AM", "Call"}
            << QStringLiteral("1) 8 December, 2026    12 : 30 AM    Call....\r\n");
        QTest::newRow("empty text")
            << QVariantList{"8", "December", "2026", "12", 30, "AM", ""}
            << QStringLiteral("1) 8 December, 2026    12 : 30 AM    ....\r\n");
        QTest::newRow("blanks trimmed, hour 00")
            << QVariantList{" 08 ", " May ", "2027", "00", 0, " PM ", "x"}
            << QStringLiteral("1) 8 May, 2027    0 : 0 PM    x....\r\n");
        QTest::newRow("line break inside the excerpt")
            << QVariantList{"1", "May", "2027", "1", 5, "PM", "Buy\r\nmilk and bread and jam"}
            << QStringLiteral("1) 1 May, 2027    1 : 5 PM    Buy\nmilk and bread a....\r\n");
    }
    void lines() {
        QFETCH(QVariantList, stored);
        QFETCH(QString, line);
        QCOMPARE(listing::line(1, StoredRecord(stored), ScratchBox::excerpt(stored[6].toString())), line);
    }

    void found_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("found");
        QTest::newRow("same case") << "Go to the dentist"
                                   << "dentist" << true;
        QTest::newRow("first occurrence capitalised") << "Dentist at noon"
                                                      << "dentist" << false;
        QTest::newRow("first occurrence decides") << "Dentist, then the dentist again"
                                                  << "dentist" << false;
        QTest::newRow("search capitalised, text not") << "the dentist"
                                                      << "Dentist" << false;
        QTest::newRow("blanks round the word") << "See the dentist today"
                                               << " dentist " << true;
        QTest::newRow("blanks round, text begins with it") << "dentist today"
                                                           << " dentist " << false;
        QTest::newRow("spaces find a text without them") << "Call"
                                                         << "   " << true;
        QTest::newRow("spaces find a text with them") << "a   b"
                                                      << "   " << true;
        QTest::newRow("spaces find an empty text") << ""
                                                   << "  " << true;
        QTest::newRow("no occurrence") << "Call mum"
                                       << "xyz" << false;
        QTest::newRow("empty text, real search") << ""
                                                 << "dentist" << false;
    }
    void found() {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(bool, found);
        QCOMPARE(listing::found(text, search), found);
    }

    void listsEveryAppointmentInStoredOrder() {
        Harness h;
        h.insert({"'9','December','2026','01',0,'PM','Second by date, first stored'",
                  "'8','December','2026','05',7,'PM','Call'",
                  "'1','January','2020','10',15,'AM',''"});
        h.box.setText(QStringLiteral("left over"));
        h.listing->listAll();
        QCOMPARE(h.dialogs.messages,
                 QStringList{QStringLiteral(
                     "1) 9 December, 2026    1 : 0 PM    Second by date, firs....\r\n"
                     "2) 8 December, 2026    5 : 7 PM    Call....\r\n"
                     "3) 1 January, 2020    10 : 15 AM    ....\r\n")});
        QCOMPARE(h.dialogs.longMessages, 1);
        QVERIFY(h.box.text().isEmpty());
    }

    void emptyTable() {
        Harness h;
        h.listing->listAll();
        h.dialogs.expectInput(QStringLiteral("dentist"));
        h.listing->findText();
        QCOMPARE(h.dialogs.messages,
                 (QStringList{QStringLiteral("No schedules have been made"),
                              QStringLiteral("dentist was not found in any schedule")}));
    }

    void search_data() {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("cancelled or empty") << QString() << QStringList();
        QTest::newRow("lower case")
            << QStringLiteral("dentist")
            << QStringList{QStringLiteral("1) 2 May, 2027    3 : 0 PM    the dentist....\r\n")};
        QTest::newRow("blanks round it")
            << QStringLiteral(" Dentist ")
            << QStringList{
                   QStringLiteral("1) 3 May, 2027    4 : 0 PM    Ask the Dentist why....\r\n")};
        QTest::newRow("spaces only")
            << QStringLiteral("  ")
            << QStringList{QStringLiteral("1) 1 May, 2027    9 : 0 AM    Dentist....\r\n"
                                          "2) 2 May, 2027    3 : 0 PM    the dentist....\r\n"
                                          "3) 3 May, 2027    4 : 0 PM    Ask the Dentist "
                                          "why....\r\n")};
        QTest::newRow("nothing found")
            << QStringLiteral("xyz")
            << QStringList{QStringLiteral("xyz was not found in any schedule")};
    }
    void search() {
        QFETCH(QString, search);
        QFETCH(QStringList, messages);
        Harness h;
        h.insert({"'1','May','2027','09',0,'AM','Dentist'",
                  "'2','May','2027','03',0,'PM','the dentist'",
                  "'3','May','2027','04',0,'PM','Ask the Dentist why'"});
        h.dialogs.expectInput(search);
        h.listing->findText();
        QCOMPARE(h.dialogs.prompts,
                 QStringList{
                     QStringLiteral("Please enter text to search withing all the schedules : ")});
        QCOMPARE(h.dialogs.messages, messages);
    }

    void longListsScroll_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("fits");
        QTest::newRow("three lines") << 3 << 60 << true;
        QTest::newRow("two hundred lines") << 200 << 60 << false;
        QTest::newRow("one very wide line") << 1 << 2000 << false;
    }
    void longListsScroll() {
        QFETCH(int, lines);
        QFETCH(int, width);
        QFETCH(bool, fits);
        const QString text =
            (QString(width, QLatin1Char('x')) + QStringLiteral("\r\n")).repeated(lines);
        QCOMPARE(FittedMessageBox::fitsOnScreen(text, QFont(), QSize(800, 800), TextLayout::Listing),
                 fits);
    }
};

QTEST_MAIN(TestScheduleListing)
#include "tst_schedulelisting.moc"
