#pragma once

#include "pbxlink/TelephoneWindowPort.h"

// Until the telephone window is built, what the link would show there is printed on standard output: the state
// number and each status line.
class ConsoleTelephoneWindow final : public TelephoneWindowPort {
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

private:
    int m_state = -1;
};
