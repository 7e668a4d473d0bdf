#pragma once

#include "sms/SoundClip.h"

#include <QString>
#include <functional>

struct SettingsRecord;

// The sound of a new message, as the Sms keys of the settings choose it: on or off (SmsEventOn), the program's
// short or long sound (SmsEventWave) or the user's WAV file (SmsRcFile, SmsEventCustomFile), and whether it comes
// again every 10, 20, 30 or 60 seconds (SmsEventReaction) until the user looks at the message.
class SmsNotification final {
public:
    // The repeat timer; the program gives it a QTimer, tests fire it themselves.
    struct RepeatTimer {
        std::function<void(int milliseconds)> start;
        std::function<void()> stop;
    };
    using Log = std::function<void(const QString& line)>;
    // A sound as the SMS page chooses it: source 0 the program's, 1 the user's file; wave 0 short, 1 long.
    struct Choice {
        int source = 0;
        int wave = 0;
        QString file;
    };

    SmsNotification(const SettingsRecord& settings, SoundOutput& output, RepeatTimer timer, Log log = {});

    void messageArrived();
    // The user opened or dismissed the message: no more repeats.
    void userLooked();
    void repeatTimerFired();

    bool isRepeating() const { return m_repeating; }
    // The repeat interval the settings ask for, 0 for none.
    int repeatIntervalMs() const;
    // What the settings ask to be played: the user's file when it can be played, else the program's sound.
    SoundClip chosenSound();
    // Plays a choice that is not (yet) the settings' own, as the configuration's play button does.
    void playSample(const Choice& choice);

private:
    // What a choice plays; a user's file that cannot be played is logged (once until it changes) and the
    // program's sound plays instead.
    SoundClip soundOf(const Choice& choice);

    const SettingsRecord& m_settings;
    SoundOutput& m_output;
    RepeatTimer m_timer;
    Log m_log;
    bool m_repeating = false;
    QString m_badFileTold; // a file that cannot be played is told once
};
