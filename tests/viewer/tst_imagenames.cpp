#include <QTest>

#include "viewer/DriveList.h"
#include "viewer/ImageNames.h"

// The rules of the image list that need no window.
class TestImageNames : public QObject {
    Q_OBJECT
private slots:
    void isImageName_data();
    void isImageName();
    void countQuestion_data();
    void countQuestion();
    void drives_data();
    void drives();
    void driveOf_data();
    void driveOf();
};

void TestImageNames::isImageName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("image");
    QTest::newRow("a.JPG") << "a.JPG" << true;
    QTest::newRow("b.gif, lower case GIF") << "b.gif" << false;
    QTest::newRow("c.jpeg") << "c.jpeg" << true;
    QTest::newRow("d.Jpg, mixed case") << "d.Jpg" << false;
    QTest::newRow("e.JPEG") << "e.JPEG" << true;
    QTest::newRow("photo.jpg") << "photo.jpg" << true;
    QTest::newRow("scan.JPE") << "scan.JPE" << true;
    QTest::newRow("scan.jpe, lower case JPE") << "scan.jpe" << false;
    QTest::newRow("icon.bmp") << "icon.bmp" << true;
    QTest::newRow("icon.BMP") << "icon.BMP" << true;
    QTest::newRow("icon.Bmp") << "icon.Bmp" << false;
    QTest::newRow("anim.GIF") << "anim.GIF" << true;
    QTest::newRow("photo.Jpeg") << "photo.Jpeg" << false;
    QTest::newRow("notajpg, no dot") << "notajpg" << true;
    QTest::newRow("jpg alone") << "jpg" << true;
    QTest::newRow("GIF alone") << "GIF" << true;
    QTest::newRow("too short") << "pg" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("ending not last") << "holiday.jpg.txt" << false;
    QTest::newRow("backup copy") << "holiday.jpeg~" << false;
    QTest::newRow("png") << "diagram.png" << false;
    QTest::newRow("tiff") << "scan.tiff" << false;
}

void TestImageNames::isImageName() {
    QFETCH(QString, name);
    QFETCH(bool, image);
    QCOMPARE(imagenames::isImageName(name), image);
}

void TestImageNames::countQuestion_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("question");
    QTest::newRow("four")
        << 4 << "/home/ann/Photos"
        << "4  number of image files have been found at /home/ann/Photos. Shall I add them "
           "to your view list?";
    QTest::newRow("one, root")
        << 1 << "/"
        << "1  number of image files have been found at /. Shall I add them to your "
           "view list?";
    QTest::newRow("many, blanks in path")
        << 1234 << "/media/usb stick/DCIM"
        << "1234  number of image files have been found at /media/usb "
           "stick/DCIM. Shall I add them to your view list?";
}

void TestImageNames::countQuestion() {
    QFETCH(int, count);
    QFETCH(QString, folder);
    QFETCH(QString, question);
    QCOMPARE(imagenames::countQuestion(count, folder), question);
}

void TestImageNames::drives_data() {
    QTest::addColumn<QString>("home");
    QTest::addColumn<QStringList>("mounts");
    QTest::addColumn<QStringList>("drives");
    QTest::newRow("root and home")
        << "/home/ann" << QStringList{"/"} << QStringList{"/", "/home/ann"};
    QTest::newRow("system mounts left out")
        << "/home/ann" << QStringList{"/",         "/proc",        "/sys/fs/cgroup",
                                      "/dev/shm",  "/run",         "/run/user/1000",
                                      "/boot/efi", "/snap/core/1", "/tmp"}
        << QStringList{"/", "/home/ann"};
    QTest::newRow("removable media kept")
        << "/home/ann" << QStringList{"/", "/media/ann/USB", "/run/media/ann/CARD", "/mnt/photos"}
        << QStringList{"/", "/home/ann", "/media/ann/USB", "/run/media/ann/CARD", "/mnt/photos"};
    QTest::newRow("home on its own partition listed once")
        << "/home/ann/" << QStringList{"/", "/home", "/home/ann"}
        << QStringList{"/", "/home/ann", "/home"};
    QTest::newRow("home is the root") << "/" << QStringList{"/"} << QStringList{"/"};
    QTest::newRow("odd entries ignored")
        << "/root" << QStringList{"", "none", "/data"} << QStringList{"/", "/root", "/data"};
}

void TestImageNames::drives() {
    QFETCH(QString, home);
    QFETCH(QStringList, mounts);
    QFETCH(QStringList, drives);
    QCOMPARE(drivelist::arrange(home, mounts), drives);
}

void TestImageNames::driveOf_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("drive");
    QTest::newRow("in the home") << "/home/ann/tavenel/" << 1;
    QTest::newRow("on a stick") << "/media/ann/USB/DCIM" << 2;
    QTest::newRow("the stick itself") << "/media/ann/USB" << 2;
    QTest::newRow("a name that only starts like the stick") << "/media/ann/USB2" << 0;
    QTest::newRow("elsewhere") << "/opt/tavenel" << 0;
    QTest::newRow("relative") << "tavenel" << -1;
}

void TestImageNames::driveOf() {
    QFETCH(QString, path);
    QFETCH(int, drive);
    const QStringList drives{"/", "/home/ann", "/media/ann/USB"};
    QCOMPARE(drivelist::driveOf(drives, path), drive);
}

QTEST_MAIN(TestImageNames)
#include "tst_imagenames.moc"
