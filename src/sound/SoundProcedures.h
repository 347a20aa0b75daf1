#pragma once

#include <QString>

class Form1;
class ISoundDevice;

// The clock window's three procedures that start sounds, the start-up
// preparation of the sound device, and the handler of its completion
// notification. All of them go through the one device in the window's
// services; without a device every command counts as failed and the
// program stays silent.
class SoundProcedures {
public:
    explicit SoundProcedures(Form1& form);
    ~SoundProcedures();
    SoundProcedures(const SoundProcedures&) = delete;
    SoundProcedures& operator=(const SoundProcedures&) = delete;

    // Starts the alarm sound unless the hourly chime owns the current
    // minute; sets alarmRinging once the sound plays.
    void alarm();
    // One bell stroke; returns chimeStruck.
    bool chimey();
    // Ends an hourly chime: closes the device (cutting the last stroke off)
    // and, when music is chosen, plays the hour's tune.
    void ringdude();
    // Start-up: the device made ready with bell.wav, not played.
    void prepare();
    // Sends "Stop" to the device; false when there is none or it failed.
    bool stop();

    // The tune that follows the strokes of an hour from 1 to 12.
    static QString tuneFile(int hour);

private:
    // Close, set the file, open, rewind, play: the first failing command
    // ends the sequence.
    bool start(const QString& fileName);
    void onCompletion(int how);

    Form1& m_form;
    ISoundDevice* m_device;
};
