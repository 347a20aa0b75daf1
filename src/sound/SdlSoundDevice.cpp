#include "sound/SdlSoundDevice.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

#include "sound/SdlLibrary.h"

namespace {

// SDL's finished hook takes no argument, so the device that owns the mixer
// is found here. Set while that device exists, cleared before it goes.
std::atomic<SdlSoundDevice*> g_mixerOwner{nullptr};

constexpr int kRate = 44100;
constexpr int kChannels = 2;
// 23 ms of sound a buffer: a start is heard within about that once the
// device is open (the device runs only while something plays).
constexpr int kChunk = 1024;

}  // namespace

SdlSoundDevice::SdlSoundDevice(QObject* parent) : QObject(parent) {
    m_idleClose.setSingleShot(true);
    m_idleClose.setInterval(kIdleCloseMs);
    connect(&m_idleClose, &QTimer::timeout, this, &SdlSoundDevice::closeDeviceIfIdle);
    SdlSoundDevice* expected = nullptr;
    if (!g_mixerOwner.compare_exchange_strong(expected, this)) {
        m_error = QStringLiteral("another sound device owns the mixer");
        m_started = true;
    }
}

void SdlSoundDevice::startAudio() {
    QString error;
    std::unique_ptr<SdlLibrary> lib = SdlLibrary::load(&error);
    if (!lib) {
        m_error = error;
        m_started = true;
        return;
    }
    // The window system, not SDL, handles the process's signals.
    lib->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (lib->InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_error = QString::fromUtf8(lib->GetError());
        m_started = true;
        return;
    }
    lib->Init(MIX_INIT_MP3);
    // Opened once to learn that a device can be opened at all, then closed
    // until a sound needs it.
    if (lib->OpenAudio(kRate, AUDIO_S16SYS, kChannels, kChunk) != 0) {
        m_error = QString::fromUtf8(lib->GetError());
        lib->Quit();
        lib->QuitSubSystem(SDL_INIT_AUDIO);
        m_started = true;
        return;
    }
    lib->CloseAudio();
    m_lib = std::move(lib);
    m_started = true;
}

void SdlSoundDevice::startOpener() const {
    if (m_started || m_opener.joinable()) return;
    auto* self = const_cast<SdlSoundDevice*>(this);
    m_opener = std::thread([self] { self->startAudio(); });
}

void SdlSoundDevice::joinOpener() const {
    if (m_opener.joinable()) m_opener.join();
}

void SdlSoundDevice::waitForAudio() const {
    startOpener();
    joinOpener();
}

QString SdlSoundDevice::sdlError() const {
    return m_lib ? QString::fromUtf8(m_lib->GetError()) : m_error;
}

bool SdlSoundDevice::openDevice() {
    if (m_deviceOpen) return true;
    if (m_lib->OpenAudio(kRate, AUDIO_S16SYS, kChannels, kChunk) != 0) return false;
    m_lib->HookMusicFinished(&SdlSoundDevice::onMusicFinished);
    m_deviceOpen = true;
    return true;
}

void SdlSoundDevice::closeDeviceIfIdle() {
    if (!m_deviceOpen || m_lib->PlayingMusic()) return;
    freeMusic();
    m_lib->HookMusicFinished(nullptr);
    m_lib->CloseAudio();
    m_deviceOpen = false;
}

bool SdlSoundDevice::loadMusic() {
    if (m_music) return true;
    waitForAudio();
    if (!m_lib) return fail(QStringLiteral("no audio device: ") + m_error);
    if (!openDevice()) return fail(QStringLiteral("the audio device cannot be opened: ") + sdlError());
    m_music = m_lib->LoadMUS(QFile::encodeName(m_openedFile).constData());
    if (!m_music) return fail(m_openedFile + QStringLiteral(": ") + sdlError());
    return true;
}

void SdlSoundDevice::freeMusic() {
    if (!m_music) return;
    haltQuietly();
    m_lib->FreeMusic(m_music);
    m_music = nullptr;
}

bool SdlSoundDevice::available() const {
    waitForAudio();
    return m_lib != nullptr;
}

QString SdlSoundDevice::lastError() const {
    waitForAudio();
    return m_error;
}

SdlSoundDevice::~SdlSoundDevice() {
    joinOpener();
    if (m_lib) {
        if (m_deviceOpen) {
            // Once the hook is unset it cannot be running: SDL sets it under
            // the audio lock that the hook runs under.
            m_lib->HookMusicFinished(nullptr);
            m_lib->HaltMusic();
            if (m_music) m_lib->FreeMusic(m_music);
            m_lib->CloseAudio();
        }
        m_lib->Quit();
        m_lib->QuitSubSystem(SDL_INIT_AUDIO);
    }
    SdlSoundDevice* self = this;
    g_mixerOwner.compare_exchange_strong(self, nullptr);
}

void SdlSoundDevice::onMusicFinished() {
    // SDL's audio thread (natural end) or the thread halting the music. Only
    // atomics are read here; the rest happens on the device's own thread.
    SdlSoundDevice* self = g_mixerOwner.load();
    if (!self || self->m_halting.load()) return;
    const quint64 generation = self->m_generation.load();
    QMetaObject::invokeMethod(
        self, [self, generation] { self->soundEnded(generation, Finished); }, Qt::QueuedConnection);
}

void SdlSoundDevice::soundEnded(quint64 generation, int how) {
    // A later start replaced that sound, or its end was reported already.
    if (generation != m_generation.load() || !m_sounding) return;
    m_sounding = false;
    if (how == Finished) m_position = 0;
    if (m_deviceOpen) m_idleClose.start();
    if (m_handler) m_handler(how);
}

void SdlSoundDevice::postEnd(int how) {
    if (!m_sounding) return;
    const quint64 generation = m_generation.load();
    QMetaObject::invokeMethod(
        this, [this, generation, how] { soundEnded(generation, how); }, Qt::QueuedConnection);
}

void SdlSoundDevice::haltQuietly() {
    m_halting = true;
    m_lib->HaltMusic();
    m_halting = false;
}

bool SdlSoundDevice::fail(const QString& why) {
    joinOpener();  // the opening thread may still be writing its own error
    m_error = why;
    return false;
}

bool SdlSoundDevice::close() {
    if (!m_fileOpen) return true;
    postEnd(Stopped);
    freeMusic();
    m_fileOpen = false;
    m_position = 0;
    if (m_deviceOpen) m_idleClose.start();
    return true;
}

bool SdlSoundDevice::setFile(const QString& path) {
    m_file = path;
    return true;
}

bool SdlSoundDevice::open() {
    close();
    if (m_file.isEmpty()) return fail(QStringLiteral("no file named"));
    m_openedFile = m_file;
    if (!m_started) {
        // SDL is not running yet (the program is starting, or has not
        // sounded so far): the file is noted and decoded when it is first
        // played, so that neither the window nor a clock that never sounds
        // waits for the sound libraries and the sound server.
        if (!QFileInfo(m_openedFile).isReadable())
            return fail(m_openedFile + QStringLiteral(": the file cannot be read"));
        m_fileOpen = true;
        m_position = 0;
        return true;
    }
    // Decoded now, so that a file that cannot play fails here; a device that
    // nothing plays on is closed again shortly.
    const bool loaded = loadMusic();
    if (m_deviceOpen) m_idleClose.start();
    if (!loaded) return false;
    m_fileOpen = true;
    m_position = 0;
    return true;
}

bool SdlSoundDevice::rewind() {
    if (!m_fileOpen) return fail(QStringLiteral("nothing open"));
    m_position = 0;
    if (m_music && m_lib->PlayingMusic()) m_lib->RewindMusic();
    return true;
}

bool SdlSoundDevice::play() {
    if (!m_fileOpen) return fail(QStringLiteral("nothing open"));
    m_idleClose.stop();
    if (!loadMusic()) {
        if (m_deviceOpen) m_idleClose.start();
        return false;
    }
    // The new start is counted before it begins, so that even a sound that
    // ends at once is reported as this start's end. Starting over what still
    // plays halts it first; that end is not reported.
    ++m_generation;
    m_halting = true;
    const int started = m_lib->PlayMusic(m_music, 0);
    m_halting = false;
    if (started != 0) {
        if (!m_lib->PlayingMusic()) postEnd(Stopped);
        m_idleClose.start();
        return fail(sdlError());
    }
    if (m_position > 0) m_lib->SetMusicPosition(m_position);
    m_sounding = true;
    return true;
}

bool SdlSoundDevice::stop() {
    if (!m_fileOpen) return fail(QStringLiteral("nothing open"));
    if (m_music && m_lib->PlayingMusic()) {
        const double at = m_lib->GetMusicPosition(m_music);
        m_position = at > 0 ? at : 0;
    }
    if (m_music) haltQuietly();
    postEnd(Stopped);
    if (m_deviceOpen) m_idleClose.start();
    return true;
}
