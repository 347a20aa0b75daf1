#pragma once

#include <QString>
#include <QStringList>

#include "sound/ISoundDevice.h"

// A sound device that plays nothing. It keeps the command sequence the
// program sent ("Close", "File <name>", "Open", "Prev", "Play", "Stop"), can
// be told to fail a command, and raises the completion notification when the
// test says the sound has ended.
class FakeSoundDevice final : public ISoundDevice {
public:
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

    // The command word ("Close", "File", "Open", "Prev", "Play", "Stop")
    // that fails from now on; an empty word fails nothing.
    void failCommand(const QString& word) { m_failing = word; }
    // Only the file with this name (no folder) fails to open.
    void failOpeningFile(const QString& fileName) { m_failingFile = fileName; }
    // The sound that plays has ended: raises the completion notification.
    void finishSound(int how = ISoundDevice::Finished);
    bool hasHandler() const { return bool(m_handler); }

    // Every command in order; "File" carries the file name without its folder.
    QStringList log;
    // The file names (without folder) that started playing, in order.
    QStringList played;
    QString lastPath;  // the full path last named
    QString playing;   // the file name now playing; empty when silent
    QString openFile;  // the file name now open; empty when closed
    int stopCount() const { return log.count(QStringLiteral("Stop")); }
    void clearLog() {
        log.clear();
        played.clear();
    }

private:
    bool command(const QString& word);

    QString m_named;
    QString m_failing;
    QString m_failingFile;
    bool m_skip = false;
    CompletionHandler m_handler;
};
