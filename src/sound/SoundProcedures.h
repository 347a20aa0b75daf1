#pragma once

#include <QDateTime>
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

    // The alarm sound held while the alarm's question or a reminder waits
    // for its answer: it starts again whenever it ends, for at most
    // kHoldLimitMs after the last hold, and alarmRinging stays set until
    // every hold is released (the postponed alarm's question may come while
    // a reminder waits).
    static constexpr qint64 kHoldLimitMs = 10 * 60 * 1000;
    void holdAlarm();
    // An answer has come: once no other question holds it, the sound no
    // longer starts again. The caller then sends "Stop".
    void releaseAlarm();
    bool alarmHeld() const { return m_holds > 0; }
    // Run on every clock tick: a held alarm sound that another sound took
    // the device from (a bell stroke, the hour's tune) starts again once
    // the hourly chime lets it.
    void keepRinging();

    // The tune that follows the strokes of an hour from 1 to 12.
    static QString tuneFile(int hour);

private:
    // Close, set the file, open, rewind, play: the first failing command
    // ends the sequence.
    bool start(const QString& fileName);
    void onCompletion(int how);
    bool withinHold() const;

    Form1& m_form;
    ISoundDevice* m_device;
    bool m_alarmSounding = false;  // the alarm sound is what the device plays
    int m_holds = 0;               // questions and reminders holding the alarm sound
    QDateTime m_heldSince;         // when the last of them came
};
