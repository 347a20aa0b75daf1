// The caret stops blinking when the user has left the program alone, and
// blinks again as soon as they come back to it.
#include <QApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>

#include "CaretRest.h"

class TestCaretRest : public QObject {
    Q_OBJECT
private slots:
    void restsWhenLeftAloneAndWakesAtTheNextKeyOrClick() {
        QGuiApplication::styleHints()->setCursorFlashTime(1000);
        QLineEdit field;
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        {
            CaretRest caret(nullptr, 200);
            QTRY_VERIFY(caret.resting());
            QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 0);

            QTest::keyClick(&field, Qt::Key_A);
            QVERIFY(!caret.resting());
            QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 1000);
            QCOMPARE(field.text(), QStringLiteral("a"));  // the key itself is not taken

            QTRY_VERIFY(caret.resting());
            QTest::mouseClick(&field, Qt::LeftButton);
            QVERIFY(!caret.resting());
            QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 1000);
            QTRY_VERIFY(caret.resting());
        }
        // Gone, it leaves the desktop's blinking as it found it.
        QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 1000);
    }
};

QTEST_MAIN(TestCaretRest)
#include "tst_caretrest.moc"
