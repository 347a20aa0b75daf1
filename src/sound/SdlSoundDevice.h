#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <thread>

#include "sound/ISoundDevice.h"

struct _Mix_Music;

// The sound device over SDL2_mixer's music stream: one open file, played
// on SDL's own audio thread. SDL reports the end of a sound on that thread;
// the report is handed to this object's thread (the user-interface thread)
// before the completion handler runs, and no mixer call is made from SDL's
// thread. Only one device can own the mixer at a time.
//
// Without a usable audio device the object still exists and every open()
// fails, so the program runs on, silent.
//
// Opening the audio device can take a tenth of a second or more (the sound
// server is asked, then every card is probed), so it is done on a thread of
// its own from construction on, while the windows are built; the first call
// that needs the device waits for it.
class SdlSoundDevice final : public QObject, public ISoundDevice {
    Q_OBJECT
public:
    explicit SdlSoundDevice(QObject* parent = nullptr);
    ~SdlSoundDevice() override;

    // Whether the audio device could be opened.
    bool available() const;
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
    // Runs on the opening thread: starts SDL's audio and the mixer.
    void openAudio();
    // Waits for the opening thread, once.
    void waitForAudio() const;
    static void onMusicFinished();
    // On this object's thread: the sound of start `generation` has ended.
    void soundEnded(quint64 generation, int how);
    // Halts the music without the end being reported from SDL's side; the
    // device reports it itself.
    void haltQuietly();
    void postEnd(int how);
    bool fail(const QString& why);

    // Written by the opening thread only, read after waitForAudio().
    bool m_audioOpen = false;
    mutable std::thread m_opener;
    _Mix_Music* m_music = nullptr;
    QString m_file;
    QString m_error;
    double m_position = 0;    // seconds from the start where play() begins
    bool m_sounding = false;  // a start whose end has not been reported yet
    bool m_skip = false;
    // Read on SDL's audio thread by the finished hook.
    std::atomic<quint64> m_generation{0};
    std::atomic<bool> m_halting{false};
    CompletionHandler m_handler;
};
