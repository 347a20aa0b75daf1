// How long a sound takes to be heard when the audio device has been closed
// for silence: from the start of the alarm (close, set file, open, rewind,
// play) to its first loud samples reaching the driver. SDL's disk driver in
// real time stands in for a sound card unless SDL_AUDIODRIVER names another
// driver (then only the start itself is timed).
//
//   bench_sound [starts] [sound file]      (default 5, data/alarm.mp3)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>

#include "BenchSupport.h"
#include "sound/SdlSoundDevice.h"

namespace {

// The first frame of the file holding a sample above about -40 dB, or -1.
qint64 firstLoudFrame(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray data = file.readAll();
    const auto* samples = reinterpret_cast<const qint16*>(data.constData());
    for (qint64 i = 0; i < data.size() / 2; ++i)
        if (std::abs(int(samples[i])) > 330) return i / 2;
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int starts = bench::dataSize(argc, argv, 5);
    QTemporaryDir dir;
    const QString raw = dir.filePath(QStringLiteral("out.raw"));
    const bool disk = qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER");
    if (disk) {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(raw));
        qunsetenv("SDL_DISKAUDIODELAY");  // real time
    }
    QCoreApplication app(argc, argv);
    const QString alarm =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(TAVENEL_SOURCE_DIR "/data/alarm.mp3");
    SdlSoundDevice device;
    // The first sound of a run also loads the sound libraries and starts SDL.
    if (disk) {
        QElapsedTimer first;
        first.start();
        const bool ok = device.close() && device.setFile(alarm) && device.open() &&
                        device.rewind() && device.play();
        while (ok && firstLoudFrame(raw) < 0 && first.elapsed() < 5000) QThread::usleep(500);
        std::printf("first sound of the run (libraries loaded, SDL started): %.1f ms\n",
                    double(first.nsecsElapsed()) / 1e6);
        device.stop();
    }
    if (!device.available()) {
        std::fprintf(stderr, "no audio: %s\n", qPrintable(device.lastError()));
        return 1;
    }
    std::vector<double> command, heard, leading;
    for (int run = 0; run < starts; ++run) {
        QElapsedTimer waiting;
        waiting.start();
        while (device.deviceOpen() && waiting.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(200);
        // The disk driver writes its file anew each time the device opens.
        QElapsedTimer timer;
        timer.start();
        const bool ok = device.close() && device.setFile(alarm) && device.open() &&
                        device.rewind() && device.play();
        command.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!ok) {
            std::fprintf(stderr, "the alarm did not start: %s\n", qPrintable(device.lastError()));
            return 1;
        }
        if (disk) {
            qint64 frame = -1;
            while ((frame = firstLoudFrame(raw)) < 0 && timer.elapsed() < 2000) QThread::usleep(500);
            heard.push_back(double(timer.nsecsElapsed()) / 1e6);
            // Quiet frames the driver wrote before them: the file's own quiet
            // start, and what the device wrote before the sound began.
            leading.push_back(double(frame) / 44.1);
        }
        QThread::msleep(300);
        device.stop();
    }
    std::printf("%d starts from a closed device; start commands median %.1f ms\n", starts,
                bench::median(command));
    if (disk) {
        std::printf("to the first loud samples at the driver (disk, real time): median %.1f ms\n"
                    "  of which quiet written before them: median %.1f ms of sound\n",
                    bench::median(heard), bench::median(leading));
        bench::result("sound_start", heard);
    } else {
        bench::result("sound_start", command);
    }
    return 0;
}
