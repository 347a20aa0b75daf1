// Starting with the desktop: the autostart entry as the desktop reads it
// (checked by desktop-file-validate and started by gio, the desktop's own
// launcher), the switch in the clock's settings with its failure, and the
// offer made once when the first appointment is made.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "RichTextBox.h"
#include "StartWithDesktop.h"
#include "platform/XdgAutostart.h"
#include "scheduler/AppointmentPanel.h"
#include "scheduler/Form2.h"
#include "support/ClockWindowFixture.h"

namespace {

const QString kOffer = QStringLiteral(
    "Reminders come only while Tavenel is running.\r\n\r\nStart Tavenel with the desktop from "
    "now on? You can change this at any time with \"Start with the desktop\" in the clock's "
    "settings.");

// Makes an appointment in the planner the clock window opened, as a user
// does: today, at hh:mm PM, with a text.
void makeAppointment(Form1& clock, const QString& hour, const QString& minute) {
    Form2* planner = clock.planner();
    planner->panel().openForMaking();
    planner->Label53->setText(hour);
    planner->Label55->setText(minute);
    planner->RichTextBox2->setText(QStringLiteral("Dentist"));
    planner->Command1->click();
}

}  // namespace

class TestStartWithDesktop : public QObject {
    Q_OBJECT
private slots:
    void entryStartsTheLauncherOnTheFolder_data();
    void entryStartsTheLauncherOnTheFolder();
    void entryThatCannotBeWrittenIsReported();
    void offeredOnceWithTheFirstAppointment_data();
    void offeredOnceWithTheFirstAppointment();
};

void TestStartWithDesktop::entryStartsTheLauncherOnTheFolder_data() {
    QTest::addColumn<QString>("folderName");
    QTest::newRow("plain") << "Tavenel";
    QTest::newRow("blanks") << "My planner data";
    QTest::newRow("characters a shell or the format reserves")
        << "a \"quoted\" $HOME `date` 100% back\\slash;&|*'";
    QTest::newRow("not ASCII") << QString::fromUtf8("Pläne für 2027 – 予定");
}

void TestStartWithDesktop::entryStartsTheLauncherOnTheFolder() {
    QFETCH(QString, folderName);
    const QString validate =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (validate.isEmpty() || gio.isEmpty())
        QSKIP("desktop-file-validate (desktop-file-utils) or gio (libglib2.0-bin) is missing");

    QTemporaryDir work;
    QVERIFY(work.isValid());
    // A launcher that writes down the arguments it was started with.
    const QString launcher = work.filePath(QStringLiteral("bin/tavenel-launch"));
    const QString record = work.filePath(QStringLiteral("arguments"));
    QVERIFY(QDir().mkpath(work.filePath(QStringLiteral("bin"))));
    QFile script(launcher);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                 record.toUtf8() + "'\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    QCOMPARE(XdgAutostart::launcherBeside(work.filePath(QStringLiteral("bin"))), launcher);

    const QString dataFolder = work.filePath(folderName) + QLatin1Char('/');
    XdgAutostart autostart(work.filePath(QStringLiteral("config")), launcher, dataFolder);
    QVERIFY(!autostart.isOn());
    QString why;
    QVERIFY2(autostart.setOn(true, &why), qPrintable(why));
    QVERIFY(autostart.isOn());
    QCOMPARE(autostart.entryPath(),
             work.filePath(QStringLiteral("config/autostart/tavenel.desktop")));

    QProcess check;
    check.start(validate, {autostart.entryPath()});
    QVERIFY(check.waitForFinished(10000));
    QCOMPARE(QString::fromUtf8(check.readAllStandardOutput() + check.readAllStandardError()),
             QString());
    QCOMPARE(check.exitCode(), 0);

    QProcess launch;
    launch.start(gio, {QStringLiteral("launch"), autostart.entryPath()});
    QVERIFY(launch.waitForFinished(10000));
    QTRY_VERIFY(QFileInfo(record).size() > 0);
    QFile started(record);
    QVERIFY(started.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(started.readAll()), work.filePath(folderName) + QLatin1Char('\n'));

    QVERIFY(autostart.setOn(false, &why));
    QVERIFY(!autostart.isOn());
    QVERIFY(!QFileInfo::exists(autostart.entryPath()));
}

void TestStartWithDesktop::entryThatCannotBeWrittenIsReported() {
    QTemporaryDir config;
    QVERIFY(config.isValid());
    // A file where the autostart folder should be (also refused to root).
    QFile blocker(config.filePath(QStringLiteral("autostart")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    XdgAutostart real(config.path(), QStringLiteral("/usr/bin/tavenel-launch"),
                      QStringLiteral("/home/user/Tavenel/"));

    ClockWindowFixture f;
    f.services.autostart = &real;
    f.form = std::make_unique<Form1>(f.app, f.services);
    QVERIFY(f.load());
    f.form->Command1->click();
    QVERIFY(f.form->Check4->isVisible());
    QVERIFY(!f.form->Check4->isChecked());
    f.form->Check4->click();
    QCOMPARE(f.dialogs.messages.last(),
             QStringLiteral("Tavenel could not be set to start with the desktop: the folder %1 "
                            "could not be made.")
                 .arg(config.filePath(QStringLiteral("autostart"))));
    QVERIFY(!f.form->Check4->isChecked());
    QVERIFY(!real.isOn());
}

void TestStartWithDesktop::offeredOnceWithTheFirstAppointment_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestStartWithDesktop::offeredOnceWithTheFirstAppointment() {
    QFETCH(bool, yes);
    ClockWindowFixture f;
    QVERIFY(f.folder.exec(QStringLiteral("UPDATE signal SET f6 = 'U'")));
    QVERIFY(f.load());
    f.form->openPlanner();
    QVERIFY(f.form->planner() && f.form->planner()->isLoaded());

    f.dialogs.expectQuestion(kOffer, yes);
    makeAppointment(*f.form, QStringLiteral("08"), QStringLiteral("30"));
    QVERIFY(f.dialogs.allAnswersUsed());
    QCOMPARE(f.autostart.on, yes);
    QCOMPARE(f.form->Check4->isChecked(), yes);
    QVERIFY(QFileInfo::exists(f.folder.file(StartWithDesktop::offeredFileName())));

    // Not again, whatever the answer was, nor after a restart.
    makeAppointment(*f.form, QStringLiteral("09"), QStringLiteral("30"));
    auto next = f.restart();
    QVERIFY(next->load());
    next->openPlanner();
    makeAppointment(*next, QStringLiteral("10"), QStringLiteral("30"));
    QCOMPARE(f.dialogs.questions.count(kOffer), 1);
    QCOMPARE(f.folder.query(QStringLiteral("SELECT count(*) FROM scheduler")), QStringList{"3"});
}

QTEST_MAIN(TestStartWithDesktop)
#include "tst_startwithdesktop.moc"
