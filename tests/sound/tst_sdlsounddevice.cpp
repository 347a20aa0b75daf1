// The real sound path: SDL2_mixer with SDL's disk audio driver, which writes
// the mixed samples to a file, so the tests can tell what was really heard.
#include <SDL_mixer.h>

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "clock/Form1.h"
#include "sound/SdlSoundDevice.h"
#include "support/FakeServices.h"
#include "support/TestFolder.h"

namespace {

QString shippedSound(const QString& name) {
    return QStringLiteral(TAVENEL_SOURCE_DIR "/data/") + name;
}

// Where SDL's disk driver writes and how fast (no delay given: in real
// time); read when a device is made.
class DiskAudio {
public:
    explicit DiskAudio(const QByteArray& delayMs = "0") {
        qputenv("SDL_AUDIODRIVER", "disk");
        if (delayMs.isEmpty())
            qunsetenv("SDL_DISKAUDIODELAY");
        else
            qputenv("SDL_DISKAUDIODELAY", delayMs);
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path()));
    }
    ~DiskAudio() { qputenv("SDL_DISKAUDIODELAY", "0"); }
    QString path() const { return m_dir.filePath(QStringLiteral("out.raw")); }

private:
    QTemporaryDir m_dir;
};

// What the disk driver wrote: 16-bit stereo frames at 44100 Hz.
struct Heard {
    qint64 frames = 0;
    qint64 firstLoud = -1;  // frame
    qint64 lastLoud = -1;
    double peak = 0;
    double loudSeconds() const {
        return firstLoud < 0 ? 0 : double(lastLoud - firstLoud) / 44100.0;
    }
};

Heard listen(const QString& path) {
    Heard heard;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return heard;
    // Anything above about -40 dB counts as sound.
    constexpr int kLoud = 330;
    qint64 frame = 0;
    while (!file.atEnd()) {
        const QByteArray block = file.read(1 << 20);
        const auto* samples = reinterpret_cast<const qint16*>(block.constData());
        const qint64 count = block.size() / qint64(sizeof(qint16));
        for (qint64 i = 0; i < count; ++i) {
            const int value = std::abs(int(samples[i]));
            heard.peak = std::max(heard.peak, double(value) / 32768.0);
            const qint64 at = frame + i / 2;
            if (value > kLoud) {
                if (heard.firstLoud < 0) heard.firstLoud = at;
                heard.lastLoud = at;
            }
        }
        frame += count / 2;
    }
    heard.frames = frame;
    return heard;
}

// The device's completion notifications as they arrived.
struct Completions {
    QList<int> how;
    bool allOnUiThread = true;
    void attach(ISoundDevice& device) {
        device.setCompletionHandler([this](int code) {
            how << code;
            if (QThread::currentThread() != qApp->thread()) allOnUiThread = false;
        });
    }
};

bool startSound(ISoundDevice& device, const QString& path) {
    return device.close() && device.setFile(path) && device.open() && device.rewind() &&
           device.play();
}

}  // namespace

class SdlSoundDeviceTest : public QObject {
    Q_OBJECT
private slots:
    void alarmIsHeardToItsEnd();
    void bellCutsTheAlarmOff();
    void stopReportsTheEndOnce();
    void silenceClosesTheDevice();
    void filesThatCannotPlay_data();
    void filesThatCannotPlay();
    void commandsWithNothingOpen();
    void noAudioDeviceStaysSilent();
    void clockWindowRingsAndHearsTheEnd();
    void clockWindowWithoutAudioRunsOn();
};

void SdlSoundDeviceTest::alarmIsHeardToItsEnd() {
    DiskAudio disk;
    Completions completions;
    {
        SdlSoundDevice device;
        QVERIFY2(device.available(), qPrintable(device.lastError()));
        completions.attach(device);
        QVERIFY2(startSound(device, shippedSound(QStringLiteral("alarm.mp3"))),
                 qPrintable(device.lastError()));
        int frequency = 0, channels = 0;
        Uint16 format = 0;
        QVERIFY(Mix_QuerySpec(&frequency, &format, &channels) != 0);
        QCOMPARE(frequency, 44100);
        QCOMPARE(format, Uint16(AUDIO_S16SYS));
        QCOMPARE(channels, 2);
        // Played asynchronously: the start returns before the sound is over,
        // and the end is never reported from inside a command.
        QVERIFY(completions.how.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(completions.how.size(), 1, 10000);
        QCOMPARE(completions.how.first(), int(ISoundDevice::Finished));
        QVERIFY(completions.allOnUiThread);
    }
    const Heard heard = listen(disk.path());
    // The alarm lasts 15 seconds and is loud throughout.
    QVERIFY2(heard.loudSeconds() > 14.0 && heard.loudSeconds() < 15.5,
             qPrintable(QString::number(heard.loudSeconds())));
    QVERIFY(heard.peak > 0.5);
}

void SdlSoundDeviceTest::bellCutsTheAlarmOff() {
    // Rendered at about four times real time, so the alarm is still playing
    // when the bell starts.
    DiskAudio disk("10");
    Completions completions;
    qint64 switchFrame = 0;
    {
        SdlSoundDevice device;
        QVERIFY2(device.available(), qPrintable(device.lastError()));
        completions.attach(device);
        QVERIFY(startSound(device, shippedSound(QStringLiteral("alarm.mp3"))));
        QTest::qWait(150);
        QVERIFY(completions.how.isEmpty());
        // What the driver has written so far: up to here the alarm sounded.
        switchFrame = QFileInfo(disk.path()).size() / 4;
        QVERIFY(startSound(device, shippedSound(QStringLiteral("bell.mp3"))));
        QTRY_COMPARE_WITH_TIMEOUT(completions.how.size(), 1, 10000);
        // Only the bell's end is reported: the alarm was replaced.
        QCOMPARE(completions.how, QList<int>{ISoundDevice::Finished});
        QTest::qWait(100);
        QCOMPARE(completions.how.size(), 1);
    }
    const Heard heard = listen(disk.path());
    // The alarm was heard before the bell started, and after the switch
    // there is no more than the bell's own 1.9 seconds: the rest of the
    // 15-second alarm was cut off.
    QVERIFY(heard.firstLoud >= 0 && heard.firstLoud < switchFrame);
    const double afterSwitch = double(heard.lastLoud - switchFrame) / 44100.0;
    QVERIFY2(afterSwitch > 0.3 && afterSwitch < 2.5, qPrintable(QString::number(afterSwitch)));
}

void SdlSoundDeviceTest::stopReportsTheEndOnce() {
    DiskAudio disk("10");
    SdlSoundDevice device;
    QVERIFY(device.available());
    Completions completions;
    completions.attach(device);
    QVERIFY(startSound(device, shippedSound(QStringLiteral("alarm.mp3"))));
    QVERIFY(device.stop());
    QTRY_COMPARE(completions.how.size(), 1);
    QCOMPARE(completions.how.first(), int(ISoundDevice::Stopped));
    // A second stop and a close of a stopped sound report nothing more.
    QVERIFY(device.stop());
    QVERIFY(device.close());
    QTest::qWait(100);
    QCOMPARE(completions.how.size(), 1);
}

void SdlSoundDeviceTest::silenceClosesTheDevice() {
    // In real time, as a sound card takes the samples.
    DiskAudio disk("");
    SdlSoundDevice device;
    QVERIFY(device.available());
    Completions completions;
    completions.attach(device);
    // Nothing has played yet: no stream is open and nothing is written.
    QVERIFY(!device.deviceOpen());
    QVERIFY(startSound(device, shippedSound(QStringLiteral("bell.mp3"))));
    QVERIFY(device.deviceOpen());
    QTRY_COMPARE_WITH_TIMEOUT(completions.how.size(), 1, 10000);
    // A moment after the bell has ended the device is closed, and the
    // driver writes nothing more, silence included.
    QTRY_VERIFY_WITH_TIMEOUT(!device.deviceOpen(), 3 * SdlSoundDevice::kIdleCloseMs);
    const qint64 written = QFileInfo(disk.path()).size();
    QTest::qWait(300);
    QCOMPARE(QFileInfo(disk.path()).size(), written);
    // A stop leaves the file open: the next play opens the device again and
    // sounds from the start.
    QVERIFY(device.rewind());
    QVERIFY(device.play());
    QVERIFY(device.deviceOpen());
    QTRY_COMPARE_WITH_TIMEOUT(completions.how.size(), 2, 10000);
    QCOMPARE(completions.how, (QList<int>{ISoundDevice::Finished, ISoundDevice::Finished}));
    // The driver writes its file anew when the device opens: it holds the
    // second bell.
    QVERIFY2(listen(disk.path()).loudSeconds() > 0.3,
             qPrintable(QString::number(listen(disk.path()).loudSeconds())));
}

void SdlSoundDeviceTest::filesThatCannotPlay_data() {
    QTest::addColumn<QByteArray>("content");  // empty: no file at all
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << QByteArray() << QStringLiteral("intro5.mp3");
    QTest::newRow("empty") << QByteArray("") << QStringLiteral("alarm.mp3");
    QTest::newRow("text named mp3")
        << QByteArray("not a sound at all\n") << QStringLiteral("bell.mp3");
    QTest::newRow("noise named wav") << QByteArray(4096, '\x5a') << QStringLiteral("bell.wav");
}

void SdlSoundDeviceTest::filesThatCannotPlay() {
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    DiskAudio disk;
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    SdlSoundDevice device;
    QVERIFY(device.available());
    Completions completions;
    completions.attach(device);
    QVERIFY(device.close());
    QVERIFY(device.setFile(path));
    // The open fails with a reason; what follows fails too, and nothing crashes.
    QVERIFY(!device.open());
    QVERIFY(!device.lastError().isEmpty());
    QVERIFY(!device.rewind());
    QVERIFY(!device.play());
    QTest::qWait(50);
    QVERIFY(completions.how.isEmpty());
}

void SdlSoundDeviceTest::commandsWithNothingOpen() {
    DiskAudio disk;
    {
        SdlSoundDevice device;
        QVERIFY(device.available());
        QVERIFY(device.close());  // harmless when nothing is open
        QVERIFY(!device.rewind());
        QVERIFY(!device.play());
        QVERIFY(!device.stop());
        QVERIFY(!device.open());  // no file named
        // Start-up's preparation: opened and rewound, not played.
        QVERIFY(device.setFile(shippedSound(QStringLiteral("bell.wav"))));
        QVERIFY(device.open());
        QVERIFY(device.rewind());
        QVERIFY(device.stop());  // nothing plays: no effect
        QTest::qWait(50);
    }
    const Heard heard = listen(disk.path());
    QVERIFY(heard.frames > 0);
    QCOMPARE(heard.firstLoud, qint64(-1));
}

void SdlSoundDeviceTest::noAudioDeviceStaysSilent() {
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SdlSoundDevice device;
    qputenv("SDL_AUDIODRIVER", "disk");
    QVERIFY(!device.available());
    QVERIFY(!device.lastError().isEmpty());
    QVERIFY(device.close());
    QVERIFY(device.setFile(shippedSound(QStringLiteral("alarm.mp3"))));
    QVERIFY(!device.open());
    QVERIFY(!device.play());
    QVERIFY(!device.stop());
}

namespace {
// A clock window on a data folder holding the shipped sounds.
struct RealClockWindow {
    TestFolder folder;
    FakeClock clock{QDateTime(QDate(2026, 12, 8), QTime(7, 0, 0))};
    FakeDialogs dialogs;
    FakePauser pauser;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<Form1> form;

    explicit RealClockWindow(ISoundDevice* device) {
        for (const QString& name :
             {QStringLiteral("alarm.mp3"), QStringLiteral("bell.mp3"), QStringLiteral("bell.wav")})
            QFile::copy(shippedSound(name), folder.file(name));
        for (int hour = 1; hour <= 12; ++hour) {
            const QString name = QStringLiteral("intro%1.mp3").arg(hour);
            QFile::copy(shippedSound(name), folder.file(name));
        }
        context = folder.openContext();
        Services services;
        services.clock = &clock;
        services.dialogs = &dialogs;
        services.pauser = &pauser;
        services.sound = device;
        form = std::make_unique<Form1>(*context, services);
        form->load();
        form->Timer1->stop();
    }
    // The alarm armed for 7:00 AM.
    void armAt7() {
        form->Label2->setText(QStringLiteral("07"));
        form->Label3->setText(QStringLiteral("00"));
        form->Label5->setText(QStringLiteral("AM"));
        form->Check2->setChecked(false);  // the chime would own minute 00
        form->Check1->setChecked(true);
    }
};
}  // namespace

void SdlSoundDeviceTest::clockWindowRingsAndHearsTheEnd() {
    DiskAudio disk;
    {
        SdlSoundDevice device;
        QVERIFY(device.available());
        RealClockWindow window(&device);
        QVERIFY(window.dialogs.messages.isEmpty());
        // Load step 16 left bell.wav open.
        QVERIFY(device.file().endsWith(QLatin1String("/bell.wav")));

        window.form->alarm();
        QVERIFY(window.form->alarmRinging);
        // The alarm ends on SDL's thread; the window hears of it on its own.
        QTRY_VERIFY_WITH_TIMEOUT(!window.form->alarmRinging, 10000);
    }
    QVERIFY(listen(disk.path()).loudSeconds() > 14.0);
}

void SdlSoundDeviceTest::clockWindowWithoutAudioRunsOn() {
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SdlSoundDevice device;
    qputenv("SDL_AUDIODRIVER", "disk");
    QVERIFY(!device.available());
    RealClockWindow window(&device);
    window.armAt7();
    // No sound: no postpone question (an unexpected one fails the test), the
    // alarm stays armed and is tried again on the next tick.
    for (int tick = 0; tick < 3; ++tick) {
        window.form->alarmStep(texts::timeParts(window.clock.now().time()));
        window.clock.advanceMs(900);
    }
    QVERIFY(window.dialogs.questions.isEmpty());
    QVERIFY(!window.form->alarmRinging);
    QVERIFY(window.form->Check1->isChecked());
    // A bell stroke still counts as struck, so the chime runs on, silently.
    QVERIFY(window.form->chimey());
    window.form->ringdude();
}

QTEST_MAIN(SdlSoundDeviceTest)
#include "tst_sdlsounddevice.moc"
