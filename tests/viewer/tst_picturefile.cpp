#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "support/TestPictures.h"
#include "viewer/PictureFile.h"
#include "viewer/SlidePreparer.h"

// Reading pictures at the size they are shown at, and the slide read ahead
// while the one before is on the screen.
class TestPictureFile : public QObject {
    Q_OBJECT
private slots:
    void seenPart_data();
    void seenPart();
    void readScaled_data();
    void readScaled();
    void readCentred();
    void preparedSlide_data();
    void preparedSlide();

private:
    QTemporaryDir m_dir;
    QString picture(const QString& name, const QSize& size, const QColor& colour,
                    const char* format = "JPEG");
};

QString TestPictureFile::picture(const QString& name, const QSize& size, const QColor& colour,
                                 const char* format) {
    const QString path = m_dir.filePath(name);
    if (!QFile::exists(path)) testpictures::write(path, size, colour, format);
    return path;
}

void TestPictureFile::seenPart_data() {
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<double>("perPixel");
    QTest::addColumn<QRect>("seen");
    QTest::newRow("small picture, all of it")
        << QSize(40, 30) << QSizeF(12000, 12000) << 15.0 << QRect(0, 0, 40, 30);
    QTest::newRow("large picture, the middle")
        << QSize(3000, 2200) << QSizeF(12000, 12000) << 15.0 << QRect(1100, 700, 800, 800);
    QTest::newRow("wide and low") << QSize(2000, 100) << QSizeF(12000, 12000) << 15.0
                                  << QRect(600, 0, 800, 100);
    QTest::newRow("odd difference rounds with the box")
        << QSize(801, 3) << QSizeF(12000, 12000) << 15.0 << QRect(1, 0, 800, 3);
    QTest::newRow("full HD screen, 24 megapixels")
        << QSize(6000, 4000) << QSizeF(28800, 16200) << 15.0 << QRect(2040, 1460, 1920, 1080);
    QTest::newRow("high-density screen")
        << QSize(1000, 1000) << QSizeF(7200, 7200) << 7.5 << QRect(20, 20, 960, 960);
    QTest::newRow("no window") << QSize(100, 100) << QSizeF(0, 0) << 15.0 << QRect();
}

void TestPictureFile::seenPart() {
    QFETCH(QSize, natural);
    QFETCH(QSizeF, window);
    QFETCH(double, perPixel);
    QFETCH(QRect, seen);
    const QRect part = picturefile::seenPart(natural, window, perPixel);
    if (seen.isEmpty())
        QVERIFY(part.isEmpty());
    else
        QCOMPARE(part, seen);
}

void TestPictureFile::readScaled_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("JPEG down") << "JPEG" << QSize(1600, 1200) << QSize(369, 305);
    QTest::newRow("JPEG up and out of proportion") << "JPEG" << QSize(40, 30) << QSize(800, 100);
    QTest::newRow("BMP") << "BMP" << QSize(300, 200) << QSize(150, 150);
    QTest::newRow("GIF") << "GIF" << QSize(300, 200) << QSize(120, 80);
}

void TestPictureFile::readScaled() {
    QFETCH(QString, format);
    QFETCH(QSize, natural);
    QFETCH(QSize, shown);
    const QColor colour(30, 160, 220);
    const QString path =
        picture(QStringLiteral("scaled-%1-%2.pic").arg(format).arg(natural.width()), natural,
                colour, format.toLatin1().constData());
    const auto read = picturefile::readScaled(path, shown);
    QVERIFY(read);
    QCOMPARE(read->size(), shown);
    QVERIFY(testpictures::near(read->pixelColor(shown.width() / 2, shown.height() / 2), colour));
    QCOMPARE(picturefile::naturalSize(path), std::optional<QSize>(natural));
}

void TestPictureFile::readCentred() {
    const QString path =
        picture(QStringLiteral("centred.jpg"), QSize(2400, 1800), QColor(200, 40, 40));
    const auto read = picturefile::readCentred(path, QSizeF(12000, 12000), 15.0);
    QVERIFY(read);
    QCOMPARE(read->natural, QSize(2400, 1800));
    QCOMPARE(read->seen, QRect(800, 500, 800, 800));
    QCOMPARE(read->image.size(), QSize(800, 800));  // the screen's worth, not the picture's

    const QString empty = m_dir.filePath(QStringLiteral("empty.jpg"));
    QFile(empty).open(QIODevice::WriteOnly);
    QVERIFY(!picturefile::readCentred(empty, QSizeF(12000, 12000), 15.0));
    QVERIFY(!picturefile::readCentred(m_dir.filePath(QStringLiteral("missing.jpg")),
                                      QSizeF(12000, 12000), 15.0));
}

void TestPictureFile::preparedSlide_data() {
    QTest::addColumn<QString>("prepared");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<QSize>("expected");  // size of the part obtained; empty when none
    QTest::newRow("the prepared slide") << "big"
                                        << "big" << QSizeF(12000, 12000) << QSize(800, 800);
    QTest::newRow("another entry asked") << "big"
                                         << "small" << QSizeF(12000, 12000) << QSize(60, 40);
    QTest::newRow("the window changed meanwhile") << "big"
                                                  << "big" << QSizeF(6000, 3000) << QSize(400, 200);
    QTest::newRow("nothing prepared") << ""
                                      << "small" << QSizeF(12000, 12000) << QSize(60, 40);
    QTest::newRow("unreadable") << "missing"
                                << "missing" << QSizeF(12000, 12000) << QSize();
}

void TestPictureFile::preparedSlide() {
    QFETCH(QString, prepared);
    QFETCH(QString, asked);
    QFETCH(QSizeF, window);
    QFETCH(QSize, expected);
    const auto pathOf = [this](const QString& name) {
        if (name == QLatin1String("big"))
            return picture(QStringLiteral("big.jpg"), QSize(1800, 1600), Qt::green);
        if (name == QLatin1String("small"))
            return picture(QStringLiteral("small.jpg"), QSize(60, 40), Qt::blue);
        return m_dir.filePath(QStringLiteral("missing.jpg"));
    };
    SlidePreparer preparer;
    if (!prepared.isEmpty()) preparer.prepare(pathOf(prepared), QSizeF(12000, 12000), 15.0);
    QCOMPARE(preparer.preparing(), !prepared.isEmpty());

    const SlidePreparer::Slide slide = preparer.obtain(pathOf(asked), window, 15.0);

    QVERIFY(!preparer.preparing());
    QCOMPARE(slide.has_value(), !expected.isEmpty());
    if (slide) QCOMPARE(slide->image.size(), expected);
}

QTEST_MAIN(TestPictureFile)
#include "tst_picturefile.moc"
