#pragma once

#include "pbxlink/calls/CallPorts.h"
#include "pbxlink/calls/CallState.h"
#include "pbxlink/lifecycle/LinkPartners.h"
#include "pbxlink/lifecycle/WindowState.h"
#include "pbxlink/protocol/PbxEventSink.h"
#include "settings/Clock.h"

#include <QDateTime>
#include <functional>
#include <optional>

class LinkNotices;
struct SettingsRecord;

// Follows the calls on the extension from the exchange's events: keeps the call record and the line flags, chooses
// the telephone window's state, tells of each step through the link's notices, drives the recorder, and writes one
// call-history row when a call ends.
class CallTracker final : public PbxEventSink {
public:
    struct Collaborators {
        const SettingsRecord& settings;
        CallState& state;
        LinkNotices& notices;
        LinkPartners partners; // the history, the books' names and the recorder
        const Clock& clock;
        std::function<void(const QString& digits)> dialRememberedDigits;
        std::function<void(const QString& text)> setChargeText;
        std::function<void()> processPendingEvents; // once after each event; may be empty
    };

    explicit CallTracker(Collaborators collaborators);

    void setRecordingHooks(RecordingHooks hooks) { m_hooks = std::move(hooks); }

    void handleEvent(const PbxEvent& event) override;
    bool conversationEstablished() const override;

    // Starts the recording of the call (once per call) when audio notes are on and the sound device works.
    void runStartOfCallActions();

private:
    void onDialTone();
    void onEcho(const PbxEvent& event);
    void onRinging(const PbxEvent& event);
    void onCallWaiting(const QString& caller, const QString& called, const QString& name);
    QString exchangeNameForHistory(const QString& caller, const QString& sent) const;
    void takeWaitingCall();
    void saveMissedWaitingCall();
    void onConnected(const PbxEvent& event);
    void onReleased(const PbxEvent& event);
    void onStatus(const PbxEvent& event);
    void onRecordingEnded(const PbxEvent& event);

    void openRecord(int type, const QString& number);
    bool recordingPossible() const;
    QString recordingName() const;
    void saveToHistory();
    void writeHistoryRow(CallHistoryEntry entry, const QString& callerName, const QString& calledNumber);
    void copyToLastCall();
    void endTimeByType();
    void chooseState(WindowState state) { m_chosenState = state; }

    Collaborators m_c;
    RecordingHooks m_hooks;
    std::optional<WindowState> m_chosenState;
};
