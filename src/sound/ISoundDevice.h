#pragma once

#include <QString>
#include <functional>

// The one sound device of the program. It holds at most one open sound file
// (MP3 or WAV) and plays it asynchronously: play() returns at once and the
// sound goes on while the program continues. Every command returns whether
// it succeeded; a caller that gets false stops the sequence it was sending.
class ISoundDevice {
public:
    // Raised on the user-interface thread once the sound most recently
    // started has stopped sounding: it ran to its end, or it was stopped or
    // closed. Never raised for a sound that a later start has replaced. The
    // argument is one of the Completion values.
    using CompletionHandler = std::function<void(int)>;
    enum Completion { Finished = 1, Stopped = 2 };

    virtual ~ISoundDevice() = default;

    // Ends playback and releases the open file; succeeds when nothing is open.
    virtual bool close() = 0;
    // Names the file (a full path) that the next open() uses.
    virtual bool setFile(const QString& path) = 0;
    // Opens the named file; the kind of media follows from its content.
    virtual bool open() = 0;
    // Positions at the start of the open media.
    virtual bool rewind() = 0;
    // Starts playing the open media from its start and returns at once.
    virtual bool play() = 0;
    // Stops playing; the file stays open.
    virtual bool stop() = 0;

    // When set, a bell stroke is skipped. The program sets it to no at
    // start-up and never to yes.
    virtual bool skip() const = 0;
    virtual void setSkip(bool skip) = 0;

    // One handler at a time; an empty function removes it.
    virtual void setCompletionHandler(CompletionHandler handler) = 0;
};
