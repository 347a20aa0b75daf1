// The progress dialog of long commands: absent for short work, shown when the
// work goes on past half a second, gone when it ends.
#include <QApplication>
#include <QProgressDialog>
#include <QTest>
#include <QThread>

#include "platform/QtProgress.h"

namespace {
QProgressDialog* shownDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QProgressDialog*>(w); d && d->isVisible()) return d;
    return nullptr;
}
}  // namespace

class TestProgress : public QObject {
    Q_OBJECT
private slots:
    void shownOnlyForLongWork_data() {
        QTest::addColumn<int>("msPerStep");
        QTest::addColumn<bool>("shown");
        QTest::newRow("quick") << 0 << false;
        QTest::newRow("slow") << 80 << true;
    }
    void shownOnlyForLongWork() {
        QFETCH(int, msPerStep);
        QFETCH(bool, shown);
        QWidget owner;
        owner.show();
        QtProgress progress(&owner);
        progress.start(QStringLiteral("Listing the diary entries..."), 20);
        bool seen = false;
        QString title;
        for (int i = 1; i <= 20; ++i) {
            QThread::msleep(msPerStep);
            progress.advance(i);
            if (QProgressDialog* d = shownDialog()) {
                seen = true;
                title = d->windowTitle();
            }
        }
        progress.finish();
        QCOMPARE(seen, shown);
        if (shown) QCOMPARE(title, QStringLiteral("Tavenel V 1.0"));
        QVERIFY(!shownDialog());
    }
};

QTEST_MAIN(TestProgress)
#include "tst_progress.moc"
