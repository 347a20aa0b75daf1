#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

#include "sound/ISoundDevice.h"

struct _Mix_Music;
class SdlLibrary;

// The sound device over SDL2_mixer's music stream: one open file, played
// on SDL's own audio thread. SDL reports the end of a sound on that thread;
// the report is handed to this object's thread (the user-interface thread)
// before the completion handler runs, and no mixer call is made from SDL's
// thread. Only one device can own the mixer at a time.
//
// Without a usable audio device the object still exists and every start
// fails, so the program runs on, silent.
//
// The sound libraries are loaded, and SDL's audio started, when the first
// sound plays (or when available() is asked): a clock that never sounds
// never loads them. Starting can take a tenth of a second or more (the
// sound server is asked, then every card is probed), so it runs on a thread
// of its own; a file opened before it has finished is decoded when it is
// first played.
//
// Silence costs nothing: the audio device itself (and with it SDL's mixing
// thread and the sound server's stream) is open only while a sound plays,
// and is closed a moment after the last one ended or was stopped. A start
// opens it again and decodes the open file anew from where it stood.
class SdlSoundDevice final : public QObject, public ISoundDevice {
    Q_OBJECT
public:
    explicit SdlSoundDevice(QObject* parent = nullptr);
    ~SdlSoundDevice() override;

    // Whether SDL's audio could be started (a device can be opened).
    bool available() const;
    // Whether the audio device is open now (a sound plays, or has just ended).
    bool deviceOpen() const { return m_deviceOpen; }
    // How long the device stays open after the last sound, in milliseconds.
    static constexpr int kIdleCloseMs = 1000;
    // Why the last command failed (or why no audio device is available).
    QString lastError() const;
    // The file named by setFile().
    QString file() const { return m_file; }

    bool close() override;
    bool setFile(const QString& path) override;
    bool open() override;
    bool rewind() override;
    bool play() override;
    bool stop() override;
    bool skip() const override { return m_skip; }
    void setSkip(bool skip) override { m_skip = skip; }
    void setCompletionHandler(CompletionHandler handler) override {
        m_handler = std::move(handler);
    }

private:
    // Runs on the opening thread: loads the sound libraries and starts SDL's
    // audio and the mixer's decoders.
    void startAudio();
    // Starts the opening thread unless it ran already.
    void startOpener() const;
    // Waits for the opening thread if it runs.
    void joinOpener() const;
    // Starts SDL's audio if need be and waits until it has started.
    void waitForAudio() const;
    QString sdlError() const;
    // Opens the audio device if it is closed; false when it cannot be.
    bool openDevice();
    // Closes the device when nothing plays; the open file is decoded anew
    // by the next start.
    void closeDeviceIfIdle();
    // Loads the open file into the mixer when it is not loaded.
    bool loadMusic();
    void freeMusic();
    static void onMusicFinished();
    // On this object's thread: the sound of start `generation` has ended.
    void soundEnded(quint64 generation, int how);
    // Halts the music without the end being reported from SDL's side; the
    // device reports it itself.
    void haltQuietly();
    void postEnd(int how);
    bool fail(const QString& why);

    // Set by the opening thread, read after it has been joined.
    std::unique_ptr<SdlLibrary> m_lib;  // null until started, or when it cannot be
    std::atomic<bool> m_started{false};  // the opening thread has finished
    mutable std::thread m_opener;
    bool m_deviceOpen = false;
    QTimer m_idleClose;
    _Mix_Music* m_music = nullptr;  // the open file as the mixer holds it
    bool m_fileOpen = false;        // open() succeeded and no close() since
    QString m_file;
    QString m_openedFile;  // the file open() opened
    QString m_error;
    double m_position = 0;    // seconds from the start where play() begins
    bool m_sounding = false;  // a start whose end has not been reported yet
    bool m_skip = false;
    // Read on SDL's audio thread by the finished hook.
    std::atomic<quint64> m_generation{0};
    std::atomic<bool> m_halting{false};
    CompletionHandler m_handler;
};
