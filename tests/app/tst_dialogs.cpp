// The real message boxes: an unbidden notice or question (a reminder, the
// alarm) must not be answered by a key press meant for another window.
#include <QApplication>
#include <QElapsedTimer>
#include <QAbstractButton>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <optional>

#include "platform/QtDialogs.h"

Q_DECLARE_METATYPE(DefaultAnswer)

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
        QTest::addColumn<DefaultAnswer>("defaultAnswer");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("answer");  // what the key gives once it is heard
        QTest::newRow("notice, Return") << false << DefaultAnswer::Yes << Qt::Key_Return << true;
        QTest::newRow("question, Return") << true << DefaultAnswer::Yes << Qt::Key_Return << true;
        QTest::newRow("notice, Escape") << false << DefaultAnswer::Yes << Qt::Key_Escape << true;
        QTest::newRow("question deleting data, Return")
            << true << DefaultAnswer::No << Qt::Key_Return << false;
    }
    void unbiddenBoxesIgnoreKeysForOneSecond() {
        QFETCH(bool, question);
        QFETCH(DefaultAnswer, defaultAnswer);
        QFETCH(Qt::Key, key);
        QFETCH(bool, answer);
        QtDialogs dialogs;
        QObject owner;
        std::optional<bool> answered;
        qint64 answeredAfter = -1;
        QElapsedTimer open;
        open.start();
        if (question)
            dialogs.openQuestion(&owner, QStringLiteral("The following schedules are obsolete!"),
                                 defaultAnswer, [&](bool yes) {
                                     answered = yes;
                                     answeredAfter = open.elapsed();
                                 });
        else
            dialogs.openMessage(&owner, QStringLiteral("Schedule Reminder"), [&] {
                answered = true;
                answeredAfter = open.elapsed();
            });
        // Opened without waiting: the caller goes on at once (the keys below
        // are sent only from here on).
        QVERIFY(!answered);
        open.restart();
        pressLater(150, key);   // swallowed
        pressLater(1300, key);  // answers
        QTRY_VERIFY_WITH_TIMEOUT(answered.has_value(), 5000);
        QCOMPARE(*answered, answer);
        QVERIFY2(answeredAfter >= 1000, qPrintable(QString::number(answeredAfter)));
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void unbiddenBoxGoesWithItsOwner() {
        QtDialogs dialogs;
        bool answered = false;
        {
            QObject owner;
            dialogs.openMessage(&owner, QStringLiteral("Schedule Reminder"),
                                [&] { answered = true; });
            QTRY_VERIFY(QApplication::activeModalWidget());
        }
        // The box closes unanswered, and nothing is called on the owner that went.
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(!answered);
    }

    void answerMayDeliverPostedEvents() {
        // A reminder's OK narrows the planner window, whose animation
        // delivers posted events: the box's own deletion must not be among
        // them while the box is still handling the key.
        QtDialogs dialogs;
        QObject owner;
        bool answered = false;
        dialogs.openMessage(&owner, QStringLiteral("Schedule Reminder"), [&] {
            QCoreApplication::sendPostedEvents();
            answered = true;
        });
        pressLater(1200, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(answered, 5000);
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void ordinaryBoxesTakeKeysAtOnce() {
        QtDialogs dialogs;
        pressLater(150, Qt::Key_Return);
        QElapsedTimer open;
        open.start();
        dialogs.message(QStringLiteral("Schedule removed"));
        QVERIFY(open.elapsed() < 1000);
    }

    // What the user sees of a box: the icon of its kind, the whole title,
    // and, for a text taller than the screen, a box on the screen with its
    // buttons on it.
    void boxesFitTheirKindAndTheScreen_data() {
        QTest::addColumn<int>("kind");  // 0 notice, 1 failure, 2 listing, 3 question
        QTest::addColumn<int>("lines");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("notice") << 0 << 1 << QMessageBox::Information;
        QTest::newRow("failure") << 1 << 1 << QMessageBox::Warning;
        QTest::newRow("listing of 300 lines") << 2 << 300 << QMessageBox::Information;
        QTest::newRow("question of 136 lines") << 3 << 136 << QMessageBox::Question;
    }
    void boxesFitTheirKindAndTheScreen() {
        QFETCH(int, kind);
        QFETCH(int, lines);
        QFETCH(QMessageBox::Icon, icon);
        const QString text =
            QStringLiteral(" 1)  8  December 2026      5: 30 PM     Dentist\r\n").repeated(lines);
        QtDialogs dialogs;
        std::optional<QMessageBox::Icon> shown;
        QRect box;
        QRect buttons;
        int titleRoom = 0;
        QTimer::singleShot(100, [&] {
            auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!open) return;
            shown = open->icon();
            box = open->frameGeometry();
            for (QAbstractButton* button : open->buttons())
                buttons |= QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
            titleRoom = QFontMetrics(open->font()).horizontalAdvance(open->windowTitle());
            QTest::keyClick(open, Qt::Key_Escape);
        });
        if (kind == 3)
            dialogs.question(text);
        else if (kind == 2)
            dialogs.longMessage(text);
        else
            dialogs.message(text, kind == 1 ? MessageKind::Failure : MessageKind::Notice);
        QVERIFY(shown.has_value());
        QCOMPARE(*shown, icon);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(box), qPrintable(QStringLiteral("box %1,%2 %3x%4")
                                                      .arg(box.x()).arg(box.y())
                                                      .arg(box.width()).arg(box.height())));
        QVERIFY(screen.contains(buttons));
        QVERIFY(box.width() > 2 * titleRoom);
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
