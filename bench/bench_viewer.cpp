// How long the window stops answering when the viewer shows a large
// picture stretched: the clicked entry's picture is shown, and a timer that
// should fire every 10 ms measures the longest time the event loop did not
// run, until the picture box has changed (or 60 s have passed).
//
//   bench_viewer [picture]      (default: a 6000 x 4000 JPEG made here)
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "AppContext.h"
#include "BenchSupport.h"
#include "Database.h"
#include "clock/Form1.h"
#include "clock/PictureBox.h"
#include "platform/IClock.h"
#include "platform/IDialogs.h"
#include "platform/IPauser.h"
#include "viewer/PictureViewer.h"

namespace {

class FixedClock final : public IClock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 8), QTime(17, 6, 58)); }
};

}  // namespace

int main(int argc, char* argv[]) {
    bench::OffscreenArgs args(argc, argv);
    QApplication app(args.argc(), args.argv());
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QString picture = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (picture.isEmpty()) {
        picture = folder + QStringLiteral("photo.jpg");
        QImage photo(6000, 4000, QImage::Format_RGB32);
        QPainter painter(&photo);
        painter.fillRect(photo.rect(), QLinearGradient(0, 0, 6000, 4000));
        painter.end();
        photo.save(picture, "JPEG", 90);
    }
    QString error;
    if (!Database::createFresh(folder + QStringLiteral("scheduler.mdb"), &error)) return 1;
    FixedClock clock;
    bench::SilentDialogs dialogs;
    bench::NoPause pauser;
    const Services services = bench::services(&clock, &dialogs, &pauser);
    AppContext context;
    context.appFolder = folder;
    Form1 form(context, services);
    if (!form.load()) return 1;
    form.Timer1->stop();
    form.Command3->click();
    form.List1->addItem(picture);
    QCoreApplication::processEvents();

    const qint64 before = form.Picture1->picture().cacheKey();
    QElapsedTimer sinceClick;
    QElapsedTimer gap;
    double longest = 0;
    QTimer beat;
    beat.setInterval(10);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        longest = std::max(longest, double(gap.nsecsElapsed()) / 1e6);
        gap.restart();
        if (form.Picture1->picture().cacheKey() != before || sinceClick.elapsed() > 60000) app.quit();
    });
    sinceClick.start();
    gap.start();
    beat.start();
    // The click, as the list hands it to the viewer.
    form.List1->setCurrentRow(0);
    form.pictureViewer().on_List1_click();
    longest = std::max(longest, double(gap.nsecsElapsed()) / 1e6);
    gap.restart();
    app.exec();
    const QImage shown = form.Picture1->picture();
    std::printf("picture %s: shown after %.0f ms as %dx%d; longest time the window did not answer %.0f ms\n",
                qPrintable(picture), double(sinceClick.elapsed()), shown.width(), shown.height(),
                longest);
    std::printf("result: viewer_block %.1f ms\n", longest);
    return 0;
}
