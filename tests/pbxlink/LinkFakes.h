#pragma once

#include "pbxlink/lifecycle/LinkDialogsPort.h"
#include "pbxlink/lifecycle/LinkNotices.h"
#include "pbxlink/lifecycle/LinkPorts.h"
#include "pbxlink/lifecycle/LinkServicesPort.h"
#include "pbxlink/protocol/NetworkConsolePort.h"
#include "pbxlink/protocol/PbxEventSink.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

// Recording stand-ins for the ports of the PBX link, shared by the link's tests.

// Records what the link tells the telephone window.
class RecordingWindow final {
public:
    explicit RecordingWindow(const LinkNotices& notices)
    {
        using N = LinkNotices;
        const QObject* const c = &m_context;
        QObject::connect(&notices, &N::windowStateChosen, c, [this](WindowState state) { states.append(state); });
        QObject::connect(&notices, &N::statusChanged, c, [this](const StatusLine& status) { statuses.append(status); });
        QObject::connect(&notices, &N::unavailableTextsSet, c, [this](const QString& title, const QString& detail) {
            unavailable = {title, detail};
        });
        QObject::connect(&notices, &N::unavailableTextsCleared, c, [this] { unavailable.clear(); });
        QObject::connect(&notices, &N::missedCalls, c, [this] { ++missedIndicators; });
        QObject::connect(&notices, &N::idleDisplayStale, c, [this] { ++idleRefreshes; });
        QObject::connect(&notices, &N::connectionNoteCleared, c, [this] { ++connectionNotesCleared; });
        QObject::connect(&notices, &N::readyForStartupRequest, c, [this] { ++pendingRequestsRun; });
        QObject::connect(&notices, &N::handsetChanged, c, [this](bool lifted) { handset.append(lifted); });
        QObject::connect(&notices, &N::partyConnected, c,
                         [this](const QString& number) { connectedNumbers.append(number); });
        QObject::connect(&notices, &N::digitsDialled, c,
                         [this](const QString& digits, const QString& /*name*/) { dialled.append(digits); });
        QObject::connect(&notices, &N::incomingCall, c,
                         [this](const QString& caller, const QString& calledNumber, const QString& callerName) {
                             incoming.append(caller + u'|' + calledNumber + u'|' + callerName);
                         });
        QObject::connect(&notices, &N::waitingCall, c, [this](const QString& caller, const QString& callerName) {
            waiting.append(caller + u'|' + callerName);
        });
        QObject::connect(&notices, &N::featureStatusChanged, c,
                         [this](const FeatureStatus& status) { features.append(status); });
        QObject::connect(&notices, &N::recordingStarted, c, [this] { ++recordingIndicators; });
        QObject::connect(&notices, &N::recordingFinished, c, [this] { ++recordingMessages; });
        QObject::connect(&notices, &N::dialRefused, c, [this] { ++cancelledCalls; });
        QObject::connect(&notices, &N::dialledNumberConnected, c,
                         [this](const QString& number) { redialNumbers.append(number); });
    }

    // The last state the link set; none before the first.
    std::optional<WindowState> windowState() const
    {
        return states.isEmpty() ? std::nullopt : std::optional(states.last());
    }
    QString lastStatus() const { return statuses.isEmpty() ? QString() : statuses.last().text; }

    QList<WindowState> states;
    QList<StatusLine> statuses;
    QStringList unavailable;
    int missedIndicators = 0;
    int idleRefreshes = 0;
    int connectionNotesCleared = 0;
    int pendingRequestsRun = 0;

    QList<bool> handset;
    QStringList connectedNumbers;
    QStringList dialled;
    QStringList incoming;
    QStringList waiting;
    QList<FeatureStatus> features;
    int recordingIndicators = 0;
    int recordingMessages = 0;
    int cancelledCalls = 0;
    QStringList redialNumbers;

private:
    QObject m_context; // last: the connections end before the records
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
