// Which stored appointments count as past at a given moment, how each is
// written in the removal question, and which make today's reminder list.
#include <QTest>

#include "scheduler/ObsoleteRules.h"
#include "scheduler/ScratchBox.h"

namespace {
QVariantList record(const QVariant& day, const QVariant& month, const QVariant& year,
                    const QVariant& hour, const QVariant& minute, const QVariant& ampm,
                    const QString& text = QString()) {
    return {day, month, year, hour, minute, ampm, text};
}
QDateTime at(int y, int m, int d, int h, int min) {
    return QDateTime(QDate(y, m, d), QTime(h, min));
}
}  // namespace

class TestObsoleteRules : public QObject {
    Q_OBJECT
private slots:
    void passes_data() {
        QTest::addColumn<QVariantList>("stored");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("pass");
        const QDateTime halfPastOne = at(2026, 3, 7, 13, 30);
        const QDateTime afterMidnight = at(2026, 3, 7, 0, 30);
        const QString mar = QStringLiteral("March");
        QTest::newRow("last December")
            << record("20", "December", "2025", "09", 0, "AM") << halfPastOne << 1;
        QTest::newRow("earlier month")
            << record("28", "February", "2026", "09", 0, "AM") << halfPastOne << 2;
        QTest::newRow("yesterday") << record("6", mar, "2026", "11", 59, "PM") << halfPastOne << 3;
        QTest::newRow("later day of an earlier-numbered month next year")
            << record("1", "January", "2027", "01", 0, "AM") << halfPastOne << 0;
        QTest::newRow("earlier day of a later month")
            << record("1", "April", "2026", "01", 0, "AM") << halfPastOne << 0;
        QTest::newRow("tomorrow") << record("8", mar, "2026", "01", 0, "AM") << halfPastOne << 0;
        QTest::newRow("9:00 AM at 1:30 PM")
            << record("7", mar, "2026", "09", 0, "AM") << halfPastOne << 4;
        QTest::newRow("1:10 PM at 1:30 PM")
            << record("7", mar, "2026", "01", 10, "PM") << halfPastOne << 6;
        QTest::newRow("1:30 PM at 1:30 PM")
            << record("7", mar, "2026", "01", 30, "PM") << halfPastOne << 0;
        QTest::newRow("1:45 PM at 1:30 PM")
            << record("7", mar, "2026", "01", 45, "PM") << halfPastOne << 0;
        QTest::newRow("12:45 PM at 1:30 PM shares the hour key")
            << record("7", mar, "2026", "12", 45, "PM") << halfPastOne << 0;
        QTest::newRow("12:45 PM at 2:00 PM")
            << record("7", mar, "2026", "12", 45, "PM") << at(2026, 3, 7, 14, 0) << 5;
        QTest::newRow("11:00 AM at 12:05 PM")
            << record("7", mar, "2026", "11", 0, "AM") << at(2026, 3, 7, 12, 5) << 4;
        QTest::newRow("12:10 AM at 12:30 AM")
            << record("7", mar, "2026", "12", 10, "AM") << afterMidnight << 6;
        QTest::newRow("12:10 AM at 2:00 AM")
            << record("7", mar, "2026", "12", 10, "AM") << at(2026, 3, 7, 2, 0) << 5;
        QTest::newRow("1:15 AM at 12:30 AM")
            << record("7", mar, "2026", "01", 15, "AM") << afterMidnight << 0;
        QTest::newRow("9:00 AM at 12:30 AM")
            << record("7", mar, "2026", "09", 0, "AM") << afterMidnight << 0;
        QTest::newRow("PM appointment in the morning")
            << record("7", mar, "2026", "01", 0, "PM") << afterMidnight << 0;
        QTest::newRow("hours and days compare as numbers")
            << record("07", mar, "2026", "05", 7, "PM") << at(2026, 3, 7, 17, 8) << 6;
        QTest::newRow("AM/PM trimmed")
            << record("7", mar, "2026", "09", 0, " AM ") << halfPastOne << 4;
        QTest::newRow("lower-case am is not the morning")
            << record("7", mar, "2026", "09", 0, "am") << at(2026, 3, 7, 21, 0) << 0;
        QTest::newRow("hour 00 of today's morning")
            << record("7", mar, "2026", "00", 0, "AM") << afterMidnight << 5;
        QTest::newRow("numbers stored as numbers")
            << record(6, mar, 2026, 5, 7, "PM") << halfPastOne << 3;
        // Records whose columns cannot be read or compared are never listed.
        QTest::newRow("no day") << record(QVariant(), "December", "2020", "05", 7, "PM")
                                << halfPastOne << 0;
        QTest::newRow("year in words")
            << record("1", "December", "last", "05", 7, "PM") << halfPastOne << 0;
        QTest::newRow("unknown month")
            << record("1", "Smarch", "2020", "05", 7, "PM") << halfPastOne << 0;
        QTest::newRow("month in lower case")
            << record("1", "december", "2020", "05", 7, "PM") << halfPastOne << 0;
        QTest::newRow("no month") << record("1", QVariant(), "2020", "05", 7, "PM") << halfPastOne
                                  << 0;
        QTest::newRow("hour in words")
            << record("1", "December", "2020", "five", 7, "PM") << halfPastOne << 0;
        QTest::newRow("no minute")
            << record("1", "December", "2020", "05", QVariant(), "PM") << halfPastOne << 0;
        QTest::newRow("no AM/PM") << record("1", "December", "2020", "05", 7, QVariant())
                                  << halfPastOne << 0;
        QTest::newRow("fraction of a day")
            << record("6.5", mar, "2026", "05", 7, "PM") << halfPastOne << 0;
        QTest::newRow("short record") << QVariantList{"1", "December"} << halfPastOne << 0;
    }
    void passes() {
        QFETCH(QVariantList, stored);
        QFETCH(QDateTime, now);
        QFETCH(int, pass);
        QCOMPARE(obsolete::passOf(StoredRecord(stored), obsolete::momentOf(now)), pass);
    }

    void listingLine_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QVariantList>("stored");
        QTest::addColumn<QString>("line");
        const QString longText = QStringLiteral("Call the dentist about the crown, again");
        QTest::newRow("long text cut to 20")
            << 1 << record("8", "December", "2026", "05", 7, "PM", longText)
            << QStringLiteral(" 1)  8  December 2026      5: 7 PM     Call the dentist abo\r\n");
        QTest::newRow("short text whole")
            << 12 << record("28", " February ", "2025", "12", 45, " AM ", QStringLiteral("Call"))
            << QStringLiteral(" 12)  28  February 2025      12: 45 AM     Call\r\n");
        QTest::newRow("empty text") << 3 << record("1", "January", "2026", "00", 0, "AM", QString())
                                    << QStringLiteral(" 3)  1  January 2026      0: 0 AM     \r\n");
    }
    void listingLine() {
        QFETCH(int, n);
        QFETCH(QVariantList, stored);
        QFETCH(QString, line);
        QCOMPARE(obsolete::listingLine(n, StoredRecord(stored), ScratchBox::excerpt(stored[6].toString())), line);
    }

    void question() {
        QCOMPARE(
            obsolete::questionText(QStringLiteral(" 1) x\r\n")),
            QStringLiteral(
                "The following schedules are obsolete! Shall I remove them? \r\n\r\n 1) x\r\n"));
    }

    void reminderEntry_data() {
        QTest::addColumn<QVariantList>("stored");
        QTest::addColumn<QString>("entry");
        QTest::newRow("leading zero dropped")
            << record("7", "March", "2026", "05", 7, "PM") << "5: 7:PM";
        QTest::newRow("two-digit hour and minute")
            << record("7", "March", "2026", "12", 45, " AM ") << "12: 45:AM";
        QTest::newRow("hour 00") << record("7", "March", "2026", "00", 0, "PM") << "0: 0:PM";
        QTest::newRow("no hour") << record("7", "March", "2026", QVariant(), 0, "PM") << "";
        QTest::newRow("minute in words") << record("7", "March", "2026", "5", "ten", "PM") << "";
    }
    void reminderEntry() {
        QFETCH(QVariantList, stored);
        QFETCH(QString, entry);
        QCOMPARE(obsolete::reminderEntry(StoredRecord(stored)), entry);
    }

    void today_data() {
        QTest::addColumn<QVariantList>("stored");
        QTest::addColumn<bool>("today");
        QTest::newRow("7 March") << record("7", "March", "2026", "5", 7, "PM") << true;
        QTest::newRow("07 March") << record("07", "March", "2026", "5", 7, "PM") << true;
        QTest::newRow("7 April") << record("7", "April", "2026", "5", 7, "PM") << false;
        QTest::newRow("7 March last year") << record("7", "March", "2025", "5", 7, "PM") << false;
        QTest::newRow("8 March") << record("8", "March", "2026", "5", 7, "PM") << false;
        QTest::newRow("month with a blank") << record("7", " March", "2026", "5", 7, "PM") << false;
        QTest::newRow("no day") << record(QVariant(), "March", "2026", "5", 7, "PM") << false;
    }
    void today() {
        QFETCH(QVariantList, stored);
        QFETCH(bool, today);
        QCOMPARE(obsolete::isToday(StoredRecord(stored), texts::DateParts{3, 7, 2026}), today);
    }

    void excerpt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("excerpt");
        QTest::newRow("35 characters") << QStringLiteral("12345678901234567890123456789012345")
                                       << QStringLiteral("12345678901234567890");
        QTest::newRow("5 characters") << QStringLiteral("Hello") << QStringLiteral("Hello");
        QTest::newRow("line breaks count once") << QStringLiteral("Line one\r\nLine two is long")
                                                << QStringLiteral("Line one\nLine two is");
        QTest::newRow("lone carriage return") << QStringLiteral("a\rb") << QStringLiteral("a\nb");
    }
    void excerpt() {
        QFETCH(QString, text);
        QFETCH(QString, excerpt);
        QCOMPARE(ScratchBox::excerpt(text), excerpt);
    }
};

QTEST_MAIN(TestObsoleteRules)
#include "tst_obsoleterules.moc"
