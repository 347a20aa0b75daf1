// Calendar files in and out. The files imported were written by another
// program (python3-icalendar, tests/data/ical/make-samples.py); an exported
// file is read back by that program too, then imported again. Times are
// checked with the computer's clock in more than one time zone.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/ModuleLoader.h"
#include "scheduler/CalendarExport.h"
#include "scheduler/CalendarImport.h"
#include "scheduler/Form2.h"
#include "support/PlannerFixture.h"

namespace {

const QString kAll = QStringLiteral(
    "SELECT sday, smonth, syear, shour, sminute, sampm, stext FROM scheduler ORDER BY rowid");

QString sample(const QString& name) {
    return QStringLiteral(TAVENEL_SOURCE_DIR "/tests/data/ical/") + name;
}

QString rowOf(const QDateTime& at, const QString& text) {
    const int hour = at.time().hour() % 12 == 0 ? 12 : at.time().hour() % 12;
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(at.date().day())
        .arg(QLocale::c().monthName(at.date().month()))
        .arg(at.date().year())
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(at.time().minute())
        .arg(at.time().hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"), text);
}

QString skipLines(bool duplicate) {
    return (duplicate ? QStringLiteral("\r\n1 was not added: a schedule is already there at that "
                                       "time.")
                      : QString()) +
           QStringLiteral(
               "\r\n1 event was not added: it lies in the past."
               "\r\n1 all-day event was not added: an appointment needs a time of day."
               "\r\n1 event was not added: its start cannot be read."
               "\r\n1 event was not added: its time zone is neither defined in the file nor "
               "known here."
               "\r\n1 cancelled event was not added.");
}

}  // namespace

class TestCalendarFiles : public QObject {
    Q_OBJECT
private slots:
    void importsEveryZoneToTheComputersClock_data();
    void importsEveryZoneToTheComputersClock();
    void recurringEventsWithinAYearUpToTheLimit();
    void foreignOrDamagedFilesChangeNothing_data();
    void foreignOrDamagedFilesChangeNothing();
    void exportReadByAnotherProgramAndImportedAgain_data();
    void exportReadByAnotherProgramAndImportedAgain();
};

void TestCalendarFiles::importsEveryZoneToTheComputersClock_data() {
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<bool>("taken");  // a schedule at the New York call's time already
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("counts");
    QTest::newRow("Berlin, one slot taken")
        << QByteArray("Europe/Berlin") << true
        << QStringList{"9|December|2026|3|0|PM|Already here",
                       "1|July|2027|03|0|PM|New York in summer",
                       "9|December|2026|10|0|AM|Written in UTC",
                       "9|December|2026|09|30|AM|Floating time",
                       "9|December|2026|04|0|PM|Half-hour zone",
                       "10|December|2026|10|0|PM|Sydney breakfast, the evening before here",
                       "9|December|2026|11|15|AM|Zone defined in the file"}
        << "6 appointments were added." + skipLines(true);
    QTest::newRow("New York")
        << QByteArray("America/New_York") << false
        << QStringList{"9|December|2026|09|0|AM|New York call",
                       "1|July|2027|09|0|AM|New York in summer",
                       "9|December|2026|04|0|AM|Written in UTC",
                       "9|December|2026|09|30|AM|Floating time",
                       "9|December|2026|10|0|AM|Half-hour zone",
                       "10|December|2026|04|0|PM|Sydney breakfast, the evening before here",
                       "9|December|2026|05|15|AM|Zone defined in the file"}
        << "7 appointments were added." + skipLines(false);
}

void TestCalendarFiles::importsEveryZoneToTheComputersClock() {
    QFETCH(QByteArray, zone);
    QFETCH(bool, taken);
    QFETCH(QStringList, rows);
    QFETCH(QString, counts);
    PlannerFixture p;
    QVERIFY(p.load());
    if (taken) QVERIFY(p.addAppointment("9", "December", "2026", "3", 0, "PM", "Already here"));
    p.dialogs.expectOpenFile(sample("zones.ics"));
    CalendarImport(*p.app, p.services, QTimeZone(zone)).run(*p.form);
    QCOMPARE(p.folder.query(kAll), rows);
    QCOMPARE(p.dialogs.messages.last(),
             "From the calendar file " + sample("zones.ics") + ":\r\n\r\n" + counts);
}

void TestCalendarFiles::recurringEventsWithinAYearUpToTheLimit() {
    PlannerFixture p;
    QVERIFY(p.load());
    const auto result = CalendarImport(*p.app, p.services, QTimeZone("Europe/Berlin"))
                            .importFile(sample("recurring.ics"));
    QCOMPARE(result.error, QString());
    const QStringList rows = p.folder.query(kAll);
    // The weekly meeting: 14 December left out, 21 December moved, two more.
    for (const char* row :
         {"21|December|2026|10|30|AM|Team meeting (moved)", "28|December|2026|09|0|AM|Team meeting",
          "4|January|2027|09|0|AM|Team meeting"})
        QVERIFY2(rows.contains(QString::fromUtf8(row)), row);
    QCOMPARE(rows.filter("|Team meeting").size(), 3);
    // The daily walk without end: the limit, from this evening on.
    const QStringList walks = rows.filter("|Evening walk");
    QCOMPARE(walks.size(), CalendarReader::kOccurrenceLimit);
    QCOMPARE(walks.first(), "8|December|2026|07|15|PM|Evening walk");
    QCOMPARE(walks.last(), "17|March|2027|07|15|PM|Evening walk");
    // The rent until March, with one date added.
    QCOMPARE(rows.filter("|Rent"),
             (QStringList{"24|December|2026|12|0|PM|Rent", "1|January|2027|12|0|PM|Rent",
                          "1|February|2027|12|0|PM|Rent", "1|March|2027|12|0|PM|Rent"}));
    QCOMPARE(result.added, 107);
    QCOMPARE(CalendarImport::resultText("x.ics", result),
             "From the calendar file x.ics:\r\n\r\n107 appointments were added.\r\n1 recurring "
             "event occurs more than 100 times in the coming year: its first 100 were added.");
}

void TestCalendarFiles::foreignOrDamagedFilesChangeNothing_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    // Where the calendar module is looked for; empty: the build's.
    QTest::addColumn<QString>("moduleFolder");
    QFile cut(sample("truncated.ics"));
    QVERIFY(cut.open(QIODevice::ReadOnly));
    const QString notCalendar =
        "Nothing was imported from %1: it is not an iCalendar file: it does not begin with "
        "BEGIN:VCALENDAR.";
    QTest::newRow("cut short") << cut.readAll()
                               << "Nothing was imported from %1: the calendar file is damaged: "
                                  "it ends before its calendar does, as a file cut short."
                               << QString();
    QTest::newRow("a picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << notCalendar
                               << QString();
    QTest::newRow("an address card")
        << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nEND:VCARD\r\n") << notCalendar
        << QString();
    QTest::newRow("empty") << QByteArray() << notCalendar << QString();
    QTest::newRow("no events, lines of rubbish")
        << QByteArray("BEGIN:VCALENDAR\r\nnot a property\r\n\x01\x02:\x03\r\nEND:VCALENDAR\r\n")
        << "The calendar file %1 holds no events. Nothing was imported." << QString();
    QTest::newRow("the calendar module missing")
        << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:20270115T100000Z\r\n"
                      "SUMMARY:Dentist\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        << "Nothing was imported from %1: calendar files cannot be read or written here: "
           "libtavenel-calendar.so is not in /no/such/folder."
        << "/no/such/folder";
}

void TestCalendarFiles::foreignOrDamagedFilesChangeNothing() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(QString, moduleFolder);
    PlannerFixture p;
    QVERIFY(p.load());
    QVERIFY(p.addAppointment("9", "December", "2026"));
    ModuleLoader elsewhere({moduleFolder});
    if (!moduleFolder.isEmpty()) p.services.modules = &elsewhere;
    const QStringList before = p.folder.query(kAll);
    const QString path = p.folder.file("file.ics");
    p.folder.touch("file.ics", content);
    p.dialogs.expectOpenFile(path);
    CalendarImport(*p.app, p.services, QTimeZone("Europe/Berlin")).run(*p.form);
    QCOMPARE(p.dialogs.messages.last(), message.arg(path));
    QCOMPARE(p.folder.query(kAll), before);
}

void TestCalendarFiles::exportReadByAnotherProgramAndImportedAgain_data() {
    QTest::addColumn<QByteArray>("exportZone");
    QTest::addColumn<QByteArray>("importZone");
    QTest::newRow("one zone") << QByteArray("Europe/Berlin") << QByteArray("Europe/Berlin");
    QTest::newRow("exported in Berlin, imported in New York")
        << QByteArray("Europe/Berlin") << QByteArray("America/New_York");
    QTest::newRow("a zone without a city name, written as UTC")
        << QByteArray("UTC") << QByteArray("UTC");
}

void TestCalendarFiles::exportReadByAnotherProgramAndImportedAgain() {
    QFETCH(QByteArray, exportZone);
    QFETCH(QByteArray, importZone);
    PlannerFixture p;
    QVERIFY(p.load());
    struct Made {
        QDateTime at;
        QString hour;
        QString text;
    };
    const QList<Made> made = {
        {QDateTime(QDate(2027, 1, 12), QTime(17, 7)), "05", "Dentist"},
        {QDateTime(QDate(2027, 2, 1), QTime(0, 30)), "12", "Just after midnight"},
        {QDateTime(QDate(2027, 2, 1), QTime(12, 0)), "12", "Noon"},
        {QDateTime(QDate(2027, 3, 3), QTime(5, 45)), "5",
         "Line one\r\nLine two; with, commas\\ and a backslash"},
        {QDateTime(QDate(2027, 4, 4), QTime(8, 0)), "08", ""},
        {QDateTime(QDate(2027, 6, 15), QTime(21, 15)), "09",
         QString::fromUtf8("Zahnarzt – Müller ✓")},
    };
    for (const Made& m : made)
        QVERIFY(p.addAppointment(QString::number(m.at.date().day()),
                                 QLocale::c().monthName(m.at.date().month()),
                                 QString::number(m.at.date().year()), m.hour, m.at.time().minute(),
                                 m.at.time().hour() < 12 ? "AM" : "PM", m.text));
    // Left out and counted.
    QVERIFY(p.addAppointment("31", "February", "2027", "05", 0, "PM", "No such day"));
    QVERIFY(p.addAppointment("10", "March", "2027", "00", 0, "PM", "Hour never picked"));
    QVERIFY(p.addAppointment("10", "March", "2027", "05", 0, "XM", "Neither AM nor PM"));

    const QString path = p.folder.file("schedules.ics");
    p.dialogs.expectSaveFile(path);
    CalendarExport(*p.app, p.services, QTimeZone(exportZone)).run();
    QCOMPARE(p.dialogs.messages.last(),
             "6 appointments were written to " + path +
                 ".\r\n\r\n3 appointments were left out: their date or time cannot be read.");

    // What another program reads: the same moments, 15 minutes long, an
    // alarm at the start, the texts, and a UID of its own for each.
    QProcess reader;
    reader.start("/usr/bin/python3", {sample("read-export.py"), path});
    QVERIFY(reader.waitForFinished(30000));
    const QString errors = QString::fromUtf8(reader.readAllStandardError());
    if (errors.contains("No module named"))
        QSKIP("python3-icalendar is not installed: the check by another program is skipped");
    QCOMPARE(errors, QString());
    QStringList events =
        QString::fromUtf8(reader.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QStringList uids;
    for (QString& event : events) uids << event.section('\t', 0, 0), event = event.section('\t', 1);
    QCOMPARE(QSet<QString>(uids.begin(), uids.end()).size(), made.size());
    QStringList expected;
    for (const Made& m : made)
        expected << QDateTime(m.at.date(), m.at.time(), QTimeZone(exportZone))
                            .toUTC()
                            .toString("yyyy-MM-dd HH:mm") +
                        "\t15\tDISPLAY 0\t" + QString(m.text).replace("\r\n", "\\n");
    QCOMPARE(events, expected);

    // Exported again a day later: the same UIDs.
    p.clock.set(p.clock.now().addDays(1));
    p.dialogs.expectSaveFile(path);
    CalendarExport(*p.app, p.services, QTimeZone(exportZone)).run();
    reader.start("/usr/bin/python3", {sample("read-export.py"), path});
    QVERIFY(reader.waitForFinished(30000));
    QStringList again;
    for (const QString& event :
         QString::fromUtf8(reader.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        again << event.section('\t', 0, 0);
    QCOMPARE(again, uids);

    // Into an empty table, on a clock in the importing zone.
    QVERIFY(p.folder.exec("DELETE FROM scheduler"));
    const auto result = CalendarImport(*p.app, p.services, QTimeZone(importZone)).importFile(path);
    QCOMPARE(result.added, made.size());
    QStringList rows;
    for (const Made& m : made)
        rows << rowOf(QDateTime(m.at.date(), m.at.time(), QTimeZone(exportZone))
                          .toTimeZone(QTimeZone(importZone)),
                      m.text);
    QCOMPARE(p.folder.query(kAll), rows);
}

QTEST_MAIN(TestCalendarFiles)
#include "tst_calendarfiles.moc"
