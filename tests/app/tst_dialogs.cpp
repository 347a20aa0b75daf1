// The real message boxes: an unbidden notice or question (a reminder, the
// alarm) must not be answered by a key press meant for another window.
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/QtDialogs.h"

namespace {
// Presses a key on whatever modal box is open after `ms` milliseconds.
void pressLater(int ms, Qt::Key key) {
    QTimer::singleShot(ms, [key] {
        if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, key);
    });
}
}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void unbiddenBoxesIgnoreKeysForOneSecond_data() {
        QTest::addColumn<bool>("question");
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("notice, Return") << false << Qt::Key_Return;
        QTest::newRow("question, Return") << true << Qt::Key_Return;
        QTest::newRow("notice, Escape") << false << Qt::Key_Escape;
    }
    void unbiddenBoxesIgnoreKeysForOneSecond() {
        QFETCH(bool, question);
        QFETCH(Qt::Key, key);
        QtDialogs dialogs;
        pressLater(150, key);   // swallowed
        pressLater(1300, key);  // answers
        QElapsedTimer open;
        open.start();
        if (question)
            QVERIFY(dialogs.unbiddenQuestion(QStringLiteral("Do you wish to postpone the alarm by a minute?")));
        else
            dialogs.unbiddenMessage(QStringLiteral("Schedule Reminder"));
        QVERIFY2(open.elapsed() >= 1000, qPrintable(QString::number(open.elapsed())));
    }

    void ordinaryBoxesTakeKeysAtOnce() {
        QtDialogs dialogs;
        pressLater(150, Qt::Key_Return);
        QElapsedTimer open;
        open.start();
        dialogs.message(QStringLiteral("Schedule removed"));
        QVERIFY(open.elapsed() < 1000);
    }

    void boxesCarryTheProgramTitle() {
        QtDialogs dialogs;
        QString title;
        QTimer::singleShot(100, [&title] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                title = box->windowTitle();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        dialogs.message(QStringLiteral("File has been saved"));
        QCOMPARE(title, QStringLiteral("Tavenel V 1.0"));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
