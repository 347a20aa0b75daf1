// The real message boxes: an unbidden notice or question (a reminder, the
// alarm) must not be answered by a key press meant for another window.
#include <QApplication>
#include <QElapsedTimer>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "platform/QtDialogs.h"

Q_DECLARE_METATYPE(DefaultAnswer)

namespace {
// The message box on the screen now, or the one that comes within five
// seconds; null when none comes.
QMessageBox* shownBox() {
    QMessageBox* box = nullptr;
    const bool shown = QTest::qWaitFor(
        [&box] {
            box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            return box && box->isVisible();
        },
        5000);
    return shown ? box : nullptr;
}

// Waits until a box seen on the screen at `shown` has been there for
// longer than its guard second.
bool pastTheGuard(const QElapsedTimer& shown) {
    return QTest::qWaitFor([&shown] { return shown.elapsed() > 1100; }, 5000);
}

// Acts on the next message box once it is on the screen, from inside the
// loop of a call that waits for its answer (message(), question()). A box
// the action leaves open is closed five seconds later and counted as missed,
// so that a key that went astray fails the test instead of hanging it.
class WhenBoxShows {
public:
    explicit WhenBoxShows(std::function<void(QMessageBox*)> act) : m_act(std::move(act)) {
        QObject::connect(&m_poll, &QTimer::timeout, [this] { step(); });
        m_poll.start(10);
        m_waited.start();
    }
    bool acted = false;
    bool missed = false;

private:
    void step() {
        if (!acted) {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->isVisible()) {
                acted = true;
                m_box = box;
                m_waited.restart();
                m_act(box);
            } else if (m_waited.elapsed() > 10000) {
                m_poll.stop();
            }
        } else if (!m_box) {
            m_poll.stop();
        } else if (m_waited.elapsed() > 5000) {
            missed = true;
            m_poll.stop();
            m_box->done(QMessageBox::Cancel);
        }
    }
    std::function<void(QMessageBox*)> m_act;
    QTimer m_poll;
    QElapsedTimer m_waited;
    QPointer<QMessageBox> m_box;
};
}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    // A case that failed with its unbidden box still open must not leave it
    // in front of the next one.
    void cleanup() {
        while (QWidget* box = QApplication::activeModalWidget()) delete box;
    }

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
        // Opened without waiting: the caller goes on at once, with the box
        // already on the screen to take a key meant for another window.
        QVERIFY(!answered);
        QMessageBox* box = shownBox();
        QVERIFY(box);
        QElapsedTimer shown;
        shown.start();
        QTest::keyClick(box, key);  // swallowed
        QVERIFY(pastTheGuard(shown));
        QVERIFY(!answered);
        QTest::keyClick(box, key);  // answers
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
        QElapsedTimer open;
        open.start();
        QMessageBox* box = shownBox();
        QVERIFY(box);
        QVERIFY(pastTheGuard(open));
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(answered, 5000);
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void ordinaryBoxesTakeKeysAtOnce() {
        // The first key answers: no guard second on a box the user asked for.
        QtDialogs dialogs;
        WhenBoxShows answer([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
        dialogs.message(QStringLiteral("Schedule removed"));
        QVERIFY(answer.acted);
        QVERIFY(!answer.missed);
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
        WhenBoxShows answer([&](QMessageBox* open) {
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
        QVERIFY(answer.acted);
        QVERIFY(!answer.missed);
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
        WhenBoxShows answer([&title](QMessageBox* box) {
            title = box->windowTitle();
            QTest::keyClick(box, Qt::Key_Return);
        });
        dialogs.message(QStringLiteral("File has been saved"));
        QVERIFY(!answer.missed);
        QCOMPARE(title, QStringLiteral("Tavenel V 1.0"));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
