#pragma once

#include "pbxlink/lifecycle/LinkDialogsPort.h"
#include "pbxlink/lifecycle/LinkPorts.h"
#include "pbxlink/lifecycle/LinkServicesPort.h"
#include "pbxlink/lifecycle/TelephoneWindowPort.h"
#include "pbxlink/protocol/NetworkConsolePort.h"
#include "pbxlink/protocol/PbxEventSink.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

// Recording stand-ins for the ports of the PBX link, shared by the link's tests.

class RecordingWindow final : public TelephoneWindowPort {
public:
    // The last state the link set; none before the first.
    std::optional<WindowState> windowState() const
    {
        return states.isEmpty() ? std::nullopt : std::optional(states.last());
    }
    void setWindowState(WindowState state) override { states.append(state); }
    void setStatus(const StatusLine& status) override { statuses.append(status); }
    void setUnavailableTexts(const QString& title, const QString& detail) override { unavailable = {title, detail}; }
    void clearUnavailableTexts() override { unavailable.clear(); }
    void showMissedCallIndicator() override { ++missedIndicators; }
    void refreshIdleDisplay() override { ++idleRefreshes; }
    void clearConnectionNote() override { ++connectionNotesCleared; }
    void runPendingStartupRequest() override { ++pendingRequestsRun; }

    QString lastStatus() const { return statuses.isEmpty() ? QString() : statuses.last().text; }

    QList<WindowState> states;
    QList<StatusLine> statuses;
    QStringList unavailable;
    int missedIndicators = 0;
    int idleRefreshes = 0;
    int connectionNotesCleared = 0;
    int pendingRequestsRun = 0;
};

class RecordingServices final : public LinkServicesPort {
public:
    bool hasMissedCalls() const override { return missedCalls; }
    void reconnectFailedBooks() override { ++bookReconnects; }

    bool missedCalls = false;
    int bookReconnects = 0;
};

class RecordingDialogs final : public LinkDialogsPort {
public:
    bool isLoginOrConfigurationVisible() const override { return false; }
    void showLogin() override { ++logins; }
    void showNetworkError(const QString& message) override { networkErrors.append(message); }
    void showError(const QString& caption, const QString& text) override
    {
        errors.append(caption + u'|' + text);
        if (whileShown) {
            whileShown();
        }
    }
    void showWarning(const QString& caption, const QString& text) override { warnings.append(caption + u'|' + text); }
    void showServerConfiguration() override { ++serverConfigurations; }

    int logins = 0;
    QStringList networkErrors;
    QStringList errors;
    QStringList warnings;
    int serverConfigurations = 0;
    // Runs while an error box is open, as the user takes time to close it.
    std::function<void()> whileShown;
};

class RecordingConsole final : public NetworkConsolePort {
public:
    void write(const QString& line, ConsoleColour colour) override { lines.append({line, colour}); }

    QStringList texts() const
    {
        QStringList result;
        for (const auto& line : lines) {
            result.append(line.first);
        }
        return result;
    }

    QList<std::pair<QString, ConsoleColour>> lines;
};

class RecordingEvents final : public PbxEventSink {
public:
    void handleEvent(const PbxEvent& event) override { events.append(event); }
    bool conversationEstablished() const override { return inConversation; }

    QList<PbxEvent> events;
    bool inConversation = false;
};

// Timers whose firing the test decides.
class ManualTimers final : public LinkTimers {
public:
    void start(LinkTimer timer, int milliseconds) override { m_timers[timer] = {true, milliseconds}; }
    void stop(LinkTimer timer) override { m_timers[timer].active = false; }
    bool isActive(LinkTimer timer) const override { return m_timers.value(timer).active; }
    int interval(LinkTimer timer) const override { return m_timers.value(timer).interval; }
    void setInterval(LinkTimer timer, int milliseconds) override { m_timers[timer].interval = milliseconds; }

private:
    struct State {
        bool active = false;
        int interval = 0;
    };
    QMap<LinkTimer, State> m_timers;
};
