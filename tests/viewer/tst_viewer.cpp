#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

#include "ViewerWindow.h"
#include "viewer/FolderTree.h"

// The viewer layout inside the clock window: its animations and final
// sizes, what it hides and brings back, the clicked entry's picture, and
// pictures that cannot be read.
class TestViewer : public QObject {
    Q_OBJECT
private slots:
    void animations_data();
    void animations();
    void viewerLayout();
    void backToTheClock_data();
    void backToTheClock();
    void closeViewer();
    void timeInTheCaption();
    void clickedEntryStretched_data();
    void clickedEntryStretched();
    void keyboardInTheList();
    void ignoredClick();
    void unreadablePicture_data();
    void unreadablePicture();
    void tooLargePictureSaysSo();
    void clickOnThePictureInTheViewer();
};

namespace {

// Notes the window's size (twips) at every animation pause.
class RecordingPauser final : public IPauser {
public:
    explicit RecordingPauser(QWidget*& window) : m_window(window) {}
    void pause(int) override { sizes << QSizeF(twips::width(m_window), twips::height(m_window)); }
    QList<QSizeF> sizes;

private:
    QWidget*& m_window;
};

struct Steps {
    double first = 0, last = 0;
    int count = 0;
};

// The values one side of the window took while it animated, starting from
// its size before.
Steps stepsOf(const QSizeF& before, const QList<QSizeF>& sizes, bool width) {
    Steps steps;
    double previous = width ? before.width() : before.height();
    for (const QSizeF& size : sizes) {
        const double value = width ? size.width() : size.height();
        if (value == previous) continue;
        if (steps.count == 0) steps.first = value;
        steps.last = value;
        ++steps.count;
        previous = value;
    }
    return steps;
}

// The settings panel as the user leaves it to open the viewer.
void openSettingsPanel(Form1& f, bool timeSetting) {
    twips::resize(&f, 5580, 4850);
    for (QWidget* c : std::initializer_list<QWidget*>{
             f.HScroll1, f.HScroll2, f.HScroll3, f.Check1, f.Check2, f.Command5, f.Command3,
             f.Command6, f.Command13, f.Label1, f.Label2, f.Label3, f.Label4, f.Label5, f.Label6,
             f.Label7, f.Label8, f.Command2})
        c->show();
    f.Command1->hide();
    if (timeSetting) {
        for (QWidget* c :
             std::initializer_list<QWidget*>{f.Label6, f.Label7, f.Check1, f.Check2, f.Command6})
            c->hide();
        for (QWidget* c : std::initializer_list<QWidget*>{f.Slider1, f.Slider2, f.Slider3,
                                                          f.Command9, f.Command10})
            c->show();
    }
}

QStringList shownOf(const Form1& f, const QList<QWidget*>& controls) {
    QStringList shown;
    for (const QWidget* c : controls)
        if (c->isVisibleTo(&f)) shown << c->objectName();
    return shown;
}

QList<QWidget*> clockControls(const Form1& f) {
    return {f.Command1,  f.Command2, f.Label1,  f.Label2,   f.Label3,   f.Label4,
            f.Label5,    f.Label6,   f.Label7,  f.Label8,   f.HScroll1, f.HScroll2,
            f.HScroll3,  f.Check1,   f.Check2,  f.Command5, f.Command6, f.Command9,
            f.Command10, f.Slider1,  f.Slider2, f.Slider3};
}

QList<QWidget*> viewerControls(const Form1& f) {
    return {f.Drive1, f.Dir1,    f.List1,   f.Command16, f.Check3,
            f.Label9, f.Option1, f.Option2, f.Option3};
}

}  // namespace

void TestViewer::animations_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<double>("widthFirst");
    QTest::addColumn<double>("widthLast");
    QTest::addColumn<int>("widthSteps");
    QTest::addColumn<double>("heightFirst");
    QTest::addColumn<double>("heightLast");
    QTest::addColumn<int>("heightSteps");
    QTest::addColumn<QSizeF>("final");
    // Command3 widens 5580 .. 9180 in steps of 200 (5580 is where it stands
    // already), then Command11 grows the height 4932 .. 5432 in steps of 100.
    QTest::newRow("open the viewer") << QStringList{"Command3"} << 5780.0 << 9180.0 << 18 << 4932.0
                                     << 5432.0 << 6 << QSizeF(9180, 5432);
    QTest::newRow("back to the clock") << QStringList{"Command3", "Command12"} << 9288.0 << 5588.0
                                       << 38 << 5500.0 << 5000.0 << 6 << QSizeF(5588, 5000);
    QTest::newRow("close the viewer") << QStringList{"Command3", "Command8"} << 9288.0 << 5588.0
                                      << 38 << 0.0 << 0.0 << 0 << QSizeF(5588, 5432);
    QTest::newRow("viewer layout from the panel") << QStringList{"Command11"} << 0.0 << 0.0 << 0
                                                  << 4932.0 << 5432.0 << 6 << QSizeF(5580, 5432);
}

void TestViewer::animations() {
    QFETCH(QStringList, clicks);
    QFETCH(double, widthFirst);
    QFETCH(double, widthLast);
    QFETCH(int, widthSteps);
    QFETCH(double, heightFirst);
    QFETCH(double, heightLast);
    QFETCH(int, heightSteps);
    QFETCH(QSizeF, final);
    ViewerWindow w;
    QWidget* window = w.form.get();
    RecordingPauser recorder(window);
    Form1 form(*w.app, [&] {
        Services s = w.services;
        s.pauser = &recorder;
        return s;
    }());
    window = &form;
    twips::resize(&form, 5580, 2050);
    form.show();
    openSettingsPanel(form, false);
    for (int i = 0; i + 1 < clicks.size(); ++i) form.findChild<QPushButton*>(clicks[i])->click();
    recorder.sizes.clear();
    const QSizeF before(twips::width(&form), twips::height(&form));

    form.findChild<QPushButton*>(clicks.last())->click();

    const Steps widths = stepsOf(before, recorder.sizes, true);
    const Steps heights = stepsOf(before, recorder.sizes, false);
    QCOMPARE(widths.first, widthFirst);
    QCOMPARE(widths.last, widthLast);
    QCOMPARE(widths.count, widthSteps);
    QCOMPARE(heights.first, heightFirst);
    QCOMPARE(heights.last, heightLast);
    QCOMPARE(heights.count, heightSteps);
    QCOMPARE(QSizeF(twips::width(&form), twips::height(&form)), final);
}

void TestViewer::viewerLayout() {
    ViewerWindow w(false);
    Form1& f = *w.form;
    openSettingsPanel(f, false);
    QVERIFY(!f.viewerControlsMade());
    f.Command3->click();

    QVERIFY(f.viewerOpen);
    QVERIFY(f.doipt);
    QCOMPARE(shownOf(f, clockControls(f)), QStringList{});
    for (const FrameLine* line : {&f.Line1, &f.Line2, &f.Line3, &f.Line4}) QVERIFY(!line->Visible);
    QCOMPARE(shownOf(f, {f.Command3, f.Command8, f.Command11, f.Command12, f.Command13}),
             QStringList{"Command12"});
    QCOMPARE(shownOf(f, viewerControls(f)).size(), viewerControls(f).size());
    // Made on the way, with their names and their place in the Tab order.
    QCOMPARE(f.List1->accessibleName(), QStringLiteral("Pictures"));
    QCOMPARE(f.Command10->nextInFocusChain(), f.Drive1);
    QCOMPARE(twips::rect(f.Picture1), QRectF(0, 0, 5532, 4582));
    // No strip of the clock face's background left above the pictures.
    QVERIFY(f.Picture1->picture().isNull());
    // Centred on the screen.
    const QSizeF screen = w.screenTwips();
    QCOMPARE(twips::left(&f), (screen.width() - 9180) / 2);
    QCOMPARE(twips::top(&f), (screen.height() - 5432) / 2);
    // Every viewer control lies inside the window and off the picture.
    const QRectF window(0, 0, twips::width(&f), twips::height(&f));
    for (QWidget* c : viewerControls(f)) {
        const QRectF r = twips::rect(c);
        QVERIFY2(window.contains(r), qPrintable(c->objectName()));
        QVERIFY2(!r.intersects(twips::rect(f.Picture1)), qPrintable(c->objectName()));
    }
}

void TestViewer::backToTheClock_data() {
    QTest::addColumn<bool>("timeSetting");
    QTest::newRow("from the settings panel") << false;
    QTest::newRow("from the time-setting mode") << true;
}

void TestViewer::backToTheClock() {
    QFETCH(bool, timeSetting);
    ViewerWindow w;
    Form1& f = *w.form;
    openSettingsPanel(f, timeSetting);
    const QStringList before = shownOf(f, clockControls(f));
    f.Command3->click();
    w.addPictures({QSize(30, 20)});
    w.clickEntry(0);

    f.Command12->click();

    QVERIFY(!f.viewerOpen);
    QVERIFY(!f.doipt);
    QCOMPARE(shownOf(f, clockControls(f)), before);
    for (const FrameLine* line : {&f.Line1, &f.Line2, &f.Line3, &f.Line4}) QVERIFY(line->Visible);
    QCOMPARE(shownOf(f, {f.Command3, f.Command8, f.Command11, f.Command12, f.Command13}),
             QStringList({"Command3", "Command11", "Command13"}));
    QCOMPARE(shownOf(f, viewerControls(f)), QStringList{});
    QCOMPARE(twips::height(f.Picture1), 1692.0);
    QCOMPARE(w.pictureCentre(), ViewerWindow::kFace);
    QVERIFY(!f.Picture1->stretch());
}

void TestViewer::closeViewer() {
    ViewerWindow w;
    Form1& f = *w.form;
    f.Command3->click();
    w.addPictures({QSize(30, 20)});
    w.clickEntry(0);
    f.Command8->show();  // as Command3 leaves it before the layout switch

    f.Command8->click();

    QCOMPARE(w.pictureCentre(), ViewerWindow::kFace);
    QVERIFY(!f.Command8->isVisibleTo(&f));
    QVERIFY(f.Command3->isVisibleTo(&f));
    QVERIFY(f.viewerOpen);  // left as it was
    QVERIFY(f.doipt);
}

void TestViewer::timeInTheCaption() {
    ViewerWindow w;
    Form1& f = *w.form;
    const QString date = QStringLiteral(" 8 December, 2026");
    const QString time = Form1::timeOfDayText(QTime(17, 6, 59));
    f.setWindowTitle(date);
    f.Command3->click();
    QCOMPARE(f.windowTitle(), time + QStringLiteral("   ") + date);

    w.clock.advanceMs(2000);
    f.setWindowTitle(date);  // what the tick writes
    QMetaObject::invokeMethod(f.Timer1, "timeout");
    QCOMPARE(f.windowTitle(), Form1::timeOfDayText(QTime(17, 7, 1)) + QStringLiteral("   ") + date);

    f.Command12->click();
    QCOMPARE(f.windowTitle(), date);
}

void TestViewer::clickedEntryStretched_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QSize>("size");
    QTest::newRow("small JPEG") << "JPEG" << QSize(40, 30);
    QTest::newRow("BMP") << "BMP" << QSize(33, 77);
    QTest::newRow("GIF") << "GIF" << QSize(64, 48);
    QTest::newRow("JPEG larger than the box") << "JPEG" << QSize(2400, 1800);
}

void TestViewer::clickedEntryStretched() {
    QFETCH(QString, format);
    QFETCH(QSize, size);
    ViewerWindow w;
    Form1& f = *w.form;
    f.Command3->click();
    w.addPictures({QSize(10, 10), size}, format.toLatin1().constData());

    w.clickEntry(1);

    const QSize box(twips::toPixels(5532), twips::toPixels(4582));
    QCOMPARE(f.Picture1->picture().size(), box);  // decoded to the box, not the file's size
    QVERIFY(f.Picture1->stretch());
    QVERIFY2(testpictures::near(w.pictureCentre(), ViewerWindow::colourOf(1)),
             qPrintable(w.pictureCentre().name()));
    QCOMPARE(twips::rect(f.Picture1), QRectF(0, 0, 5532, 4582));
}

void TestViewer::keyboardInTheList() {
    ViewerWindow w;
    Form1& f = *w.form;
    f.Command3->click();
    w.addPictures({QSize(10, 10), QSize(12, 12), QSize(14, 14)});
    w.clickEntry(0);
    f.List1->setFocus();
    QTest::keyClick(f.List1, Qt::Key_Down);
    QCOMPARE(f.List1->currentRow(), 1);
    QVERIFY(testpictures::near(w.pictureCentre(), ViewerWindow::colourOf(1)));
}

void TestViewer::ignoredClick() {
    ViewerWindow w;
    Form1& f = *w.form;
    f.Command3->click();
    w.addPictures({QSize(10, 10), QSize(12, 12)});
    f.ignoreListClick = true;
    const auto before = w.pictureCentre();
    w.clickEntry(1);
    QVERIFY(!f.ignoreListClick);
    QCOMPARE(w.pictureCentre(), before);  // that click only cleared the flag
    w.clickEntry(1);
    QVERIFY(testpictures::near(w.pictureCentre(), ViewerWindow::colourOf(1)));
}

void TestViewer::unreadablePicture_data() {
    QTest::addColumn<QByteArray>("damage");
    QTest::newRow("zero bytes") << QByteArray("empty");
    QTest::newRow("JPEG cut inside its header") << QByteArray("header");
    QTest::newRow("gone from the disk") << QByteArray("gone");
    QTest::newRow("text under a picture name") << QByteArray("text");
}

void TestViewer::unreadablePicture() {
    QFETCH(QByteArray, damage);
    ViewerWindow w;
    Form1& f = *w.form;
    f.Command3->click();
    const QStringList paths = w.addPictures({QSize(50, 40), QSize(50, 40)});
    w.clickEntry(0);
    const QImage shown = f.Picture1->picture();
    const QRectF box = twips::rect(f.Picture1);
    const QString bad = paths[1];
    if (damage == "empty") testpictures::truncate(bad, 0);
    if (damage == "header") testpictures::truncate(bad, 60);
    if (damage == "gone") QFile::remove(bad);
    if (damage == "text") {
        QFile text(bad);
        QVERIFY(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
        text.write("these are the minutes of the meeting\n");
    }

    w.clickEntry(1);

    QCOMPARE(f.Picture1->picture(), shown);
    QCOMPARE(twips::rect(f.Picture1), box);
    QVERIFY(w.dialogs.messages.isEmpty());
    w.clickEntry(0);  // and the viewer goes on
    QVERIFY(testpictures::near(w.pictureCentre(), ViewerWindow::colourOf(0)));
}

void TestViewer::clickOnThePictureInTheViewer() {
    ViewerWindow w;
    Form1& f = *w.form;
    openSettingsPanel(f, false);
    f.Command3->click();
    w.addPictures({QSize(30, 20)});
    w.clickEntry(0);

    w.clickPicture();

    // The normal clock.
    QCOMPARE(QSizeF(twips::width(&f), twips::height(&f)), QSizeF(5580, 2050));
    QCOMPARE(QSizeF(twips::width(f.Picture1), twips::height(f.Picture1)), QSizeF(5528, 1692));
    QVERIFY(!f.doipt);
    QVERIFY(!f.viewerOpen);
    QVERIFY(f.centredLayout);
    QVERIFY(!f.compactLayout);
    for (const FrameLine* line : {&f.Line1, &f.Line2, &f.Line3, &f.Line4}) QVERIFY(line->Visible);
    QCOMPARE(shownOf(f, {f.Command1, f.Command2, f.Command3, f.Command8}),
             QStringList({"Command1", "Command3"}));
    QCOMPARE(shownOf(f, viewerControls(f)), QStringList{});
    QCOMPARE(w.pictureCentre(), ViewerWindow::kFace);
    QVERIFY(!f.Check3->isChecked());
}

void TestViewer::tooLargePictureSaysSo() {
    // A PNG must be decoded whole to show a part of it at its natural size;
    // one that would take more memory than the reader allows cannot be shown
    // so. (The reader's limit is lowered so that a small file stands for a
    // huge one.) Shown stretched, it is read smaller as it is decoded.
    ViewerWindow w;
    Form1& f = *w.form;
    f.Command3->click();
    const QString huge = w.folder.file(QStringLiteral("huge.png"));
    QVERIFY(testpictures::write(huge, QSize(1200, 1000), QColor(40, 200, 40), "PNG"));
    f.List1->addItem(huge);
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    w.clickEntry(0);
    QVERIFY(testpictures::near(w.pictureCentre(), QColor(40, 200, 40)));
    QVERIFY(w.viewer().showNaturalCentred(huge));
    w.settle();
    QImageReader::setAllocationLimit(limit);

    // Instead of the picture, or of nothing, a notice saying so.
    const QImage shown = f.Picture1->picture();
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::black));
    bool lettered = false;
    for (int y = 0; y < shown.height() && !lettered; ++y)
        for (int x = 0; x < shown.width() && !lettered; ++x) lettered = qGray(shown.pixel(x, y)) > 200;
    QVERIFY(lettered);
    QVERIFY(w.dialogs.messages.isEmpty());
}

QTEST_MAIN(TestViewer)
#include "tst_viewer.moc"
