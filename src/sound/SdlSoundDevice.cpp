#include "sound/SdlSoundDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <QFile>
#include <QMetaObject>

namespace {

// SDL's finished hook takes no argument, so the device that owns the mixer
// is found here. Set while that device exists, cleared before it goes.
std::atomic<SdlSoundDevice*> g_mixerOwner{nullptr};

QString sdlError() {
    return QString::fromUtf8(SDL_GetError());
}

}  // namespace

SdlSoundDevice::SdlSoundDevice(QObject* parent) : QObject(parent) {
    SdlSoundDevice* expected = nullptr;
    if (!g_mixerOwner.compare_exchange_strong(expected, this)) {
        m_error = QStringLiteral("another sound device owns the mixer");
        return;
    }
    // The window system, not SDL, handles the process's signals.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_opener = std::thread([this] { openAudio(); });
}

void SdlSoundDevice::openAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_error = sdlError();
        return;
    }
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) != 0) {
        m_error = sdlError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    m_audioOpen = true;
    Mix_HookMusicFinished(&SdlSoundDevice::onMusicFinished);
}

void SdlSoundDevice::waitForAudio() const {
    if (m_opener.joinable()) m_opener.join();
}

bool SdlSoundDevice::available() const {
    waitForAudio();
    return m_audioOpen;
}

QString SdlSoundDevice::lastError() const {
    waitForAudio();
    return m_error;
}

SdlSoundDevice::~SdlSoundDevice() {
    waitForAudio();
    if (!m_audioOpen) {
        // This device owned the mixer but could not open it.
        if (g_mixerOwner == this) g_mixerOwner = nullptr;
        return;
    }
    // Once the hook is unset it cannot be running: SDL sets it under the
    // audio lock that the hook runs under.
    Mix_HookMusicFinished(nullptr);
    Mix_HaltMusic();
    if (m_music) Mix_FreeMusic(m_music);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_mixerOwner = nullptr;
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
    Mix_HaltMusic();
    m_halting = false;
}

bool SdlSoundDevice::fail(const QString& why) {
    waitForAudio();  // the opening thread may still be writing its own error
    m_error = why;
    return false;
}

bool SdlSoundDevice::close() {
    if (!m_music) return true;
    haltQuietly();
    postEnd(Stopped);
    Mix_FreeMusic(m_music);
    m_music = nullptr;
    m_position = 0;
    return true;
}

bool SdlSoundDevice::setFile(const QString& path) {
    m_file = path;
    return true;
}

bool SdlSoundDevice::open() {
    waitForAudio();
    if (!m_audioOpen) return fail(QStringLiteral("no audio device: ") + m_error);
    close();
    if (m_file.isEmpty()) return fail(QStringLiteral("no file named"));
    m_music = Mix_LoadMUS(QFile::encodeName(m_file).constData());
    if (!m_music) return fail(m_file + QStringLiteral(": ") + sdlError());
    m_position = 0;
    return true;
}

bool SdlSoundDevice::rewind() {
    if (!m_music) return fail(QStringLiteral("nothing open"));
    m_position = 0;
    if (Mix_PlayingMusic()) Mix_RewindMusic();
    return true;
}

bool SdlSoundDevice::play() {
    if (!m_music) return fail(QStringLiteral("nothing open"));
    // The new start is counted before it begins, so that even a sound that
    // ends at once is reported as this start's end. Starting over what still
    // plays halts it first; that end is not reported.
    ++m_generation;
    m_halting = true;
    const int started = Mix_PlayMusic(m_music, 0);
    m_halting = false;
    if (started != 0) {
        if (!Mix_PlayingMusic()) postEnd(Stopped);
        return fail(sdlError());
    }
    if (m_position > 0) Mix_SetMusicPosition(m_position);
    m_sounding = true;
    return true;
}

bool SdlSoundDevice::stop() {
    if (!m_music) return fail(QStringLiteral("nothing open"));
    if (Mix_PlayingMusic()) {
        const double at = Mix_GetMusicPosition(m_music);
        m_position = at > 0 ? at : 0;
    }
    haltQuietly();
    postEnd(Stopped);
    return true;
}
