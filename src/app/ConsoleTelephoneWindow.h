#pragma once

#include "pbxlink/CallPorts.h"
#include "pbxlink/TelephoneWindowPort.h"

// Until the telephone window is built, what the link would show there is printed on standard output: the state
// number, each status line and the calls.
class ConsoleTelephoneWindow final : public TelephoneWindowPort, public CallWindowPort {
public:
    int windowState() const override { return m_state; }
    void setWindowState(int state) override;
    void setStatus(const StatusLine& status) override;
    void resetLinkIndicators() override {}
    void markLinkError() override {}
    void showLinkDisconnected() override {}
    void setUnavailableTexts(const QString& title, const QString& detail) override;
    void clearUnavailableTexts() override {}
    void showMissedCallIndicator() override {}
    void refreshIdleDisplay() override {}
    void clearConnectionNote() override {}
    void runPendingStartupRequest() override {}

    void setHandsetLifted(bool lifted) override;
    void showConnectedNumber(const QString& number) override;
    void showDialledDigits(const QString& digits, const QString& name) override;
    bool showIncomingCall(const QString& caller, const QString& calledNumber, const QString& callerName) override;
    void resetCallDisplay() override {}
    void showFeatureStatus(const FeatureStatus& status) override;
    void showRecordingIndicator() override {}
    void showRecordingMessage() override {}
    void cancelCall() override;

private:
    int m_state = -1;
};
