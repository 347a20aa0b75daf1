#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QMenu>
#include <QTest>

#include "ViewerWindow.h"
#include "viewer/FolderTree.h"

// The image list: which files a chosen folder offers, what the question
// says, what is added, and what the remove menu takes away.
class TestImageList : public QObject {
    Q_OBJECT
private slots:
    void offersTheFoldersPictures_data();
    void offersTheFoldersPictures();
    void answerNoAddsNothing();
    void sameFolderTwiceListsTwice();
    void unreadableFolder_data();
    void unreadableFolder();
    void removeSelected_data();
    void removeSelected();
    void removeAll_data();
    void removeAll();
    void removeMenuPopsUp();
    void rightButtonKeepsTheSelection();
    void choosingADrive();
    void clickingAFolderInTheTree();
};

namespace {

// Writes each name as a small real picture (JPEG content, whatever the name).
QString makeFolder(const QString& root, const QString& name, const QStringList& files) {
    const QString path = root + name;
    QDir().mkpath(path);
    for (const QString& file : files) {
        if (file.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(path + QLatin1Char('/') + file);
            continue;
        }
        QDir().mkpath(QFileInfo(path + QLatin1Char('/') + file).path());
        testpictures::write(path + QLatin1Char('/') + file, QSize(8, 6), Qt::red, "JPEG");
    }
    return path;
}

// The question as the user reads it.
QString question(qsizetype count, const QString& folder) {
    return QStringLiteral(
               "%1  number of image files have been found at %2. Shall I add them to your view "
               "list?")
        .arg(count)
        .arg(folder);
}

QStringList entries(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
    return texts;
}

QStringList inFolder(const QString& folder, const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) paths << folder + QLatin1Char('/') + name;
    return paths;
}

}  // namespace

void TestImageList::offersTheFoldersPictures_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("added");
    QTest::newRow("mixed endings find 3")
        << QStringList{"a.JPG", "b.gif", "c.jpeg", "d.Jpg", "e.JPEG"}
        << QStringList{"a.JPG", "c.jpeg", "e.JPEG"};
    QTest::newRow("no dot needed")
        << QStringList{"notajpg", "readme.txt"} << QStringList{"notajpg"};
    QTest::newRow("every ending") << QStringList{"1.jpeg", "2.JPEG", "3.jpg", "4.JPG",
                                                 "5.JPE",  "6.bmp",  "7.BMP", "8.GIF"}
                                  << QStringList{"1.jpeg", "2.JPEG", "3.jpg", "4.JPG",
                                                 "5.JPE",  "6.bmp",  "7.BMP", "8.GIF"};
    QTest::newRow("in the order the folder lists them")
        << QStringList{"Zebra.jpg", "apple.JPG", "Mango.bmp", "banana.GIF"}
        << QStringList{"apple.JPG", "banana.GIF", "Mango.bmp", "Zebra.jpg"};
    QTest::newRow("subfolders not entered")
        << QStringList{"top.jpg", "holiday.jpg/", "deeper/inside.jpg"} << QStringList{"top.jpg"};
    QTest::newRow("no pictures, no question")
        << QStringList{"b.gif", "notes.txt", "d.Jpg"} << QStringList{};
    QTest::newRow("empty folder") << QStringList{} << QStringList{};
}

void TestImageList::offersTheFoldersPictures() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, added);
    ViewerWindow w;
    const QString folder = makeFolder(w.folder.path(), QStringLiteral("Photos"), files);
    if (!added.isEmpty()) w.dialogs.expectQuestion(question(added.size(), folder), true);
    w.form->List1->addItem(QStringLiteral("/earlier/entry.jpg"));

    w.form->Dir1->setPath(folder);

    QCOMPARE(w.dialogs.questions.size(), added.isEmpty() ? 0 : 1);
    QVERIFY(w.dialogs.allAnswersUsed());
    QCOMPARE(entries(w.form->List1), QStringList{"/earlier/entry.jpg"} + inFolder(folder, added));
    QVERIFY(w.dialogs.messages.isEmpty());
}

void TestImageList::answerNoAddsNothing() {
    ViewerWindow w;
    const QString folder =
        makeFolder(w.folder.path(), QStringLiteral("Photos"), {"a.jpg", "b.jpg"});
    w.dialogs.expectQuestion(question(2, folder), false);
    w.form->Dir1->setPath(folder);
    QVERIFY(w.dialogs.allAnswersUsed());
    QCOMPARE(w.form->List1->count(), 0);
}

void TestImageList::sameFolderTwiceListsTwice() {
    ViewerWindow w;
    const QString folder =
        makeFolder(w.folder.path(), QStringLiteral("Photos"), {"a.jpg", "b.GIF"});
    w.dialogs.expectQuestion(question(2, folder), true);
    w.dialogs.expectQuestion(question(2, folder), true);
    w.form->Dir1->setPath(folder);
    w.form->Dir1->setPath(folder);
    QVERIFY(w.dialogs.allAnswersUsed());
    QCOMPARE(entries(w.form->List1), inFolder(folder, {"a.jpg", "b.GIF", "a.jpg", "b.GIF"}));
}

void TestImageList::unreadableFolder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isFile");
    QTest::newRow("gone") << "no such folder" << false;
    QTest::newRow("a file, not a folder") << "picture.jpg" << true;
}

void TestImageList::unreadableFolder() {
    QFETCH(QString, name);
    QFETCH(bool, isFile);
    ViewerWindow w;
    const QString path = w.folder.file(name);
    if (isFile) testpictures::write(path, QSize(4, 4), Qt::blue, "JPEG");
    w.form->List1->addItems({"/kept/one.jpg", "/kept/two.jpg"});

    w.form->Dir1->setPath(path);

    QVERIFY(w.dialogs.questions.isEmpty());
    QCOMPARE(w.dialogs.messages.size(), 1);
    const QString message = w.dialogs.messages.first();
    QVERIFY2(message.contains(path), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("left as it is")), qPrintable(message));
    // The system's reason is given, not a bare "failed".
    QVERIFY2(message.contains(QLatin1Char('(')) && !message.contains(QStringLiteral("()")),
             qPrintable(message));
    QCOMPARE(entries(w.form->List1), QStringList({"/kept/one.jpg", "/kept/two.jpg"}));
}

void TestImageList::removeSelected_data() {
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("left");
    const QStringList five{"a", "b", "c", "d", "e"};
    QTest::newRow("every other") << five << QList<int>{1, 3} << QStringList{"a", "c", "e"};
    QTest::newRow("first and last") << five << QList<int>{0, 4} << QStringList{"b", "c", "d"};
    QTest::newRow("a run in the middle") << five << QList<int>{1, 2, 3} << QStringList{"a", "e"};
    QTest::newRow("all") << five << QList<int>{0, 1, 2, 3, 4} << QStringList{};
    QTest::newRow("none") << five << QList<int>{} << five;
    QTest::newRow("the same path twice, only the selected copy goes")
        << QStringList{"x", "y", "x", "y"} << QList<int>{2} << QStringList{"x", "y", "y"};
    QTest::newRow("empty list") << QStringList{} << QList<int>{} << QStringList{};
}

void TestImageList::removeSelected() {
    QFETCH(QStringList, list);
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, left);
    ViewerWindow w;
    w.form->List1->addItems(list);
    for (int row : selected) w.form->List1->item(row)->setSelected(true);

    QCOMPARE(w.form->removesel->text(), QStringLiteral("Remove Selected "));
    w.form->removesel->trigger();

    QCOMPARE(entries(w.form->List1), left);
}

void TestImageList::removeAll_data() {
    QTest::addColumn<QStringList>("list");
    QTest::newRow("three") << QStringList{"a", "b", "c"};
    QTest::newRow("empty") << QStringList{};
}

void TestImageList::removeAll() {
    QFETCH(QStringList, list);
    ViewerWindow w;
    w.form->List1->addItems(list);
    QCOMPARE(w.form->removeall->text(), QStringLiteral("Remove all"));
    w.form->removeall->trigger();
    QCOMPARE(w.form->List1->count(), 0);
}

void TestImageList::removeMenuPopsUp() {
    ViewerWindow w;
    w.form->Command3->click();
    QVERIFY(w.form->Command16->isVisible());
    w.form->Command16->click();
    QTRY_VERIFY(w.form->remove->isVisible());
    w.form->remove->hide();
}

void TestImageList::rightButtonKeepsTheSelection() {
    ViewerWindow w;
    w.form->Command3->click();
    w.form->List1->addItems({"a", "b", "c", "d"});
    w.form->List1->item(0)->setSelected(true);
    w.form->List1->item(2)->setSelected(true);
    const QRect unselected = w.form->List1->visualItemRect(w.form->List1->item(3));

    QTest::mousePress(w.form->List1->viewport(), Qt::RightButton, Qt::NoModifier,
                      unselected.center());
    QTRY_VERIFY(w.form->remove->isVisible());
    w.form->remove->hide();
    QTest::mouseRelease(w.form->List1->viewport(), Qt::RightButton, Qt::NoModifier,
                        unselected.center());

    w.form->removesel->trigger();
    QCOMPARE(entries(w.form->List1), QStringList({"b", "d"}));
}

void TestImageList::choosingADrive() {
    ViewerWindow w;
    w.form->Command3->click();  // the lists are filled when first shown
    QVERIFY(w.form->Drive1->count() >= 1);
    QCOMPARE(w.form->Drive1->itemData(0).toString(), QStringLiteral("/"));
    QVERIFY(w.dialogs.questions.isEmpty());  // opening offers nothing

    const QString stick =
        makeFolder(w.folder.path(), QStringLiteral("stick"), {"DSC1.JPG", "DSC2.JPG"});
    w.form->Drive1->addItem(stick, stick);
    w.dialogs.expectQuestion(question(2, stick), true);
    w.form->Drive1->setCurrentIndex(w.form->Drive1->count() - 1);

    QVERIFY(w.dialogs.allAnswersUsed());
    QCOMPARE(w.form->Dir1->path(), stick);
    QCOMPARE(entries(w.form->List1), inFolder(stick, {"DSC1.JPG", "DSC2.JPG"}));
}

void TestImageList::clickingAFolderInTheTree() {
    ViewerWindow w;
    w.form->Command3->click();
    const QString drive = makeFolder(w.folder.path(), QStringLiteral("drive"), {"cover.txt"});
    const QString album =
        makeFolder(drive + QLatin1Char('/'), QStringLiteral("album"), {"one.jpg"});
    w.form->Dir1->setDrive(drive);  // the drive holds no pictures: no question
    QVERIFY(w.dialogs.questions.isEmpty());

    auto* model = qobject_cast<QFileSystemModel*>(w.form->Dir1->model());
    QVERIFY(model);
    QTRY_COMPARE(model->rowCount(w.form->Dir1->rootIndex()), 1);
    const QModelIndex albumIndex = model->index(album);
    QTRY_VERIFY(w.form->Dir1->visualRect(albumIndex).isValid());

    w.dialogs.expectQuestion(question(1, album), true);
    QTest::mouseClick(w.form->Dir1->viewport(), Qt::LeftButton, Qt::NoModifier,
                      w.form->Dir1->visualRect(albumIndex).center());
    QVERIFY(w.dialogs.allAnswersUsed());
    QCOMPARE(entries(w.form->List1), inFolder(album, {"one.jpg"}));
}

QTEST_MAIN(TestImageList)
#include "tst_imagelist.moc"
