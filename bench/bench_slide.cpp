// Time and peak memory to show one slide of a large JPEG on a 1920 x 1080
// screen: decoded straight to the screen's size (as the viewer does), against
// decoding the whole picture and then scaling it; also the natural-size slide
// of the slide show, read cold and read ahead during the interval before.
// Each way runs in a process of its own so that its peak memory is its own.
// Times are wall-clock (what the user waits) and processor time (what the
// work costs when the machine is busy with other things).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "viewer/PictureFile.h"
#include "viewer/SlidePreparer.h"

namespace {

const QSize kScreen(1920, 1080);
constexpr int kRuns = 5;

// A picture with the detail of a photograph (smooth areas, edges, grain), so
// the JPEG is as costly to decode as a camera's.
bool writePhoto(const QString& path, const QSize& size) {
    QImage photo(size, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(40, 90, 180));
    sky.setColorAt(0.6, QColor(220, 200, 160));
    sky.setColorAt(1, QColor(60, 80, 40));
    painter.fillRect(photo.rect(), sky);
    QRandomGenerator random(42);
    for (int i = 0; i < 4000; ++i) {
        painter.setBrush(
            QColor(random.bounded(256), random.bounded(256), random.bounded(256), 160));
        painter.setPen(Qt::NoPen);
        const int r = random.bounded(size.width() / 80) + 4;
        painter.drawEllipse(QPoint(random.bounded(size.width()), random.bounded(size.height())), r,
                            r);
    }
    painter.end();
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int grain = int(random.bounded(24)) - 12;
            const QRgb p = line[x];
            line[x] =
                qRgb(std::clamp(qRed(p) + grain, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                     std::clamp(qBlue(p) + grain, 0, 255));
        }
    }
    QImageWriter writer(path, "JPEG");
    writer.setQuality(90);
    return writer.write(photo);
}

long statusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    return -1;
}

// Lets the kernel start counting the peak resident size afresh.
void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

// One slide as the screen gets it: the picture drawn over the whole screen.
QImage screenOf(const QImage& picture, const QPoint& at = QPoint(), bool stretch = true) {
    QImage screen(kScreen, QImage::Format_RGB32);
    QPainter painter(&screen);
    painter.fillRect(screen.rect(), Qt::black);
    if (stretch)
        painter.drawImage(screen.rect(), picture);
    else
        painter.drawImage(at, picture);
    return screen;
}

double processorMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int measure(const QString& way, const QString& path) {
    // The screen in twips at 96 dpi, as the slide show places its pictures.
    const QSizeF screenTwips(kScreen.width() * 15.0, kScreen.height() * 15.0);
    std::vector<double> wall, processor;
    const long before = statusKb("VmRSS:");
    resetPeak();
    bool ok = true;
    for (int run = 0; run < kRuns; ++run) {
        SlidePreparer preparer;
        if (way == QLatin1String("prepared")) {
            // Read ahead while the slide before is on the screen.
            preparer.prepare(path, screenTwips, 15.0);
            QThread::msleep(1000);
        }
        QElapsedTimer clock;
        clock.start();
        const double startedAt = processorMs();
        QImage shown;
        if (way == QLatin1String("scaled")) {
            const auto picture = picturefile::readScaled(path, kScreen);
            ok = ok && picture.has_value();
            if (picture) shown = screenOf(*picture);
        } else if (way == QLatin1String("part") || way == QLatin1String("prepared")) {
            const SlidePreparer::Slide slide = preparer.obtain(path, screenTwips, 15.0);
            ok = ok && slide.has_value();
            if (slide) shown = screenOf(slide->image, QPoint(), false);
        } else {
            QImageReader reader(path);
            reader.setAllocationLimit(0);
            QImage whole;
            ok = ok && reader.read(&whole);
            shown =
                screenOf(whole.scaled(kScreen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        }
        processor.push_back(processorMs() - startedAt);
        wall.push_back(double(clock.nsecsElapsed()) / 1e6);
        ok = ok && shown.size() == kScreen;
    }
    const long peak = statusKb("VmHWM:");
    std::printf("%s %.1f %.1f %ld %ld %d\n", qPrintable(way), median(wall), median(processor),
                peak / 1024, (peak - before) / 1024, ok ? 1 : 0);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && qstrcmp(argv[1], "--measure") == 0) {
        QCoreApplication app(argc, argv);
        return measure(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    struct Picture {
        const char* name;
        QSize size;
    };
    const Picture pictures[] = {{"24 MP, 6000 x 4000", QSize(6000, 4000)},
                                {"108 MP, 12000 x 9000", QSize(12000, 9000)}};
    std::printf("One slide on a %d x %d screen, median of %d runs; times in ms, memory in MB\n",
                kScreen.width(), kScreen.height(), kRuns);
    std::printf("%-22s %-46s %8s %10s %9s %12s\n", "picture", "way", "wall", "processor",
                "peak RSS", "peak growth");
    for (const Picture& picture : pictures) {
        const QString path = folder.filePath(QStringLiteral("photo.jpg"));
        if (!writePhoto(path, picture.size)) {
            std::fprintf(stderr, "could not write the test picture\n");
            return 1;
        }
        const struct {
            const char* way;
            const char* label;
        } ways[] = {{"scaled", "decoded to the screen (stretched slide)"},
                    {"whole", "decoded whole, then scaled"},
                    {"part", "natural-size slide, read when due"},
                    {"prepared", "natural-size slide, read ahead"}};
        for (const auto& way : ways) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--measure"), QString::fromLatin1(way.way), path});
            if (!child.waitForFinished(600000)) {
                std::fprintf(stderr, "measurement did not finish\n");
                return 1;
            }
            const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
            if (f.size() != 6 || f[5] != "1") {
                std::printf("%-22s %-46s failed: %s\n", picture.name, way.label,
                            child.readAllStandardError().constData());
                continue;
            }
            std::printf("%-22s %-46s %8s %10s %9s %12s\n", picture.name, way.label,
                        f[1].constData(), f[2].constData(), f[3].constData(), f[4].constData());
        }
        std::printf("%-22s file size %.1f MB\n", picture.name, double(QFile(path).size()) / 1e6);
    }
    return 0;
}
