#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The exchange's own switches for this extension, as the link last heard them.
struct ExchangeStates {
    bool forwarding = false;
    bool locked = false;
    bool doNotDisturb = false;
    bool accountCode = false;

    bool operator==(const ExchangeStates&) const = default;
};

// What the configuration dialog asks of the PBX link; src/app connects the link's services.
struct ExchangePort {
    std::function<ExchangeStates()> states;
    // The exchange forwards only calls left unanswered after two rings, for all calls.
    std::function<bool()> twoRingForwardingOnly;
    std::function<void(bool on)> setForwarding;
    std::function<void(bool lock, const QString& pin)> setLock;
    std::function<void(bool on)> setDoNotDisturb;
    std::function<void(bool on, const QString& account, const QString& pin)> setAccountCode;
    // Connect afresh with the settings as they are now.
    std::function<void()> reconnect;
};

// What the rest of the program does once new settings are in the record.
struct SettingsFollowers {
    struct Outcome {
        bool idleForwardingArmed = true; // false: forwarding after idle time was asked for and could not be armed
        bool idleDndArmed = true;        // false: the same for DND
    };
    // The hot key, the idle intervals, the desktop entries, the SMS link. claimTelLinks: the user asked for tel:
    // and callto: links to open in this program.
    std::function<Outcome(bool claimTelLinks)> apply;
};

// How the efficiency test offered when recording is switched on ended.
struct EfficiencyOutcome {
    enum class Verdict { KeptUp, TooSlow, NotRun };
    Verdict verdict = Verdict::NotRun;
    QString problem; // NotRun: why the test recording could not be made
};

// The windows and actions of other subsystems that the dialog's pages open or run.
struct ConfigActions {
    // Deletes the whole call history; false when it could not.
    std::function<bool()> deleteHistory;
    std::function<void()> openSearchOptions;
    // The GSM gates' comments and PINs.
    std::function<void()> openGateComments;
    // The sound card's levels, channels and the recording test.
    std::function<void()> openRecordingConfiguration;
    // Records for a while and tells whether the computer keeps up with compressed recording.
    std::function<EfficiencyOutcome()> runEfficiencyTest;
    // The capture devices offered (the first is the system's default) and the chosen one's index.
    std::function<QStringList()> recordingDevices;
    std::function<int()> recordingDevice;
    std::function<void(int index)> setRecordingDevice;
    // This program opens tel: and callto: links now.
    std::function<bool()> telLinksClaimed;
    // Moves the PINs and passwords into the desktop's keyring (on) or back into the settings file; done learns,
    // maybe much later, where they are afterwards.
    std::function<void(bool on, std::function<void(bool keyringHoldsSecrets)> done)> keepSecretsInKeyring;
    // Plays the SMS notification of that source (0 program sound, 1 file), built-in sound and file.
    std::function<void(int source, int wave, const QString& file)> playSmsSound;
};
