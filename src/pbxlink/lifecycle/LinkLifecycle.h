#pragma once

#include "pbxlink/lifecycle/LinkPorts.h"
#include "pbxlink/lifecycle/SocketErrors.h"
#include "pbxlink/lifecycle/StatusLine.h"
#include "pbxlink/lifecycle/WindowState.h"

#include <QString>
#include <functional>
#include <optional>

class Clock;
class LineDispatcher;
class LinkDialogsPort;
class LinkNotices;
class LinkServicesPort;
class NetLog;
struct PbxReply;
struct SettingsRecord;

// Connecting, logging in, keeping alive and reconnecting the PBX link. It takes what happened (a socket event,
// a reply, a timer that fired) and acts through its ports, so it runs the same against a real socket and in tests.
class LinkLifecycle final {
public:
    struct Collaborators {
        SettingsRecord& settings;
        std::function<void()> saveSettings; // throws SettingsError on failure
        LineDispatcher& dispatcher;
        LinkSocket& socket;
        LinkTimers& timers;
        const NetLog& log;
        LinkNotices& notices;
        LinkServicesPort& services;
        LinkDialogsPort& dialogs;
        Clock& clock; // the random spread of the slow retry
    };

    static constexpr int FastRetryMs = 500;
    static constexpr int SlowRetryMs = 25000;
    static constexpr int SlowRetrySpreadMs = 10000;
    static constexpr int LoginTimeoutMs = 31000;
    static constexpr int KeepAliveMs = 15000;
    static constexpr int ServerFullWindowMs = 1000;
    static constexpr int LogoutPollMs = 10;
    static constexpr int LogoutGiveUpMs = 5000;
    static constexpr int MinimumProtocolLevel = 9;
    static constexpr int LoginRetries = 5;

    explicit LinkLifecycle(Collaborators collaborators);

    void setServerSearch(ServerSearch* search) { m_search = search; }
    void setServiceReplyHandler(ServiceReplyHandler* handler) { m_serviceReplies = handler; }
    void setConnectedHook(std::function<void()> hook) { m_connectedHook = std::move(hook); }

    // Start: shows the login window when the PIN is not kept, then searches for the server or connects.
    void start();
    void connectToServer();
    // Logs out and closes once the logout is answered.
    void disconnect();

    void onSocketConnecting();
    void onSocketConnected();
    void onSocketClosed();
    void onSocketError(const SocketErrors::Error& error);
    void onHostUnknown();
    void onReply(const PbxReply& reply, const QString& command);
    void onTimer(LinkTimer timer);

    // Server discovery's outcomes.
    void onSearchOpenFailed();
    void onSearchStarted();
    void onSearchFailed();
    void onServerAnswer(const QString& address, int port, bool late);
    void onServerFound(const QString& address, int port);
    void onServerChosen(const QString& address, int port, bool fixedServer);
    void onNoServerTaken();

    // The message box for a refused service: true when it showed one, or logged in again for code 1.
    bool presentServiceError(const PbxReply& reply, const QString& title);

    QString loginCommand() const;
    bool loginFailed() const { return m_loginFailed; }
    bool fastRetryUsed() const { return m_fastRetryUsed; }
    int protocolLevel() const { return m_protocolLevel; }
    const QString& pbxType() const { return m_pbxType; }
    const QString& pbxVersion() const { return m_pbxVersion; }

private:
    void handleLoginReply(const PbxReply& reply);
    void acceptLogin(const PbxReply& reply);
    void refuseIncompatibleLogin();
    // Every window state the lifecycle chooses goes through here, so that it knows what it last showed.
    void showWindowState(WindowState state);
    void status(const QString& text, int tag = StatusLine::NormalTag);
    void showNetworkError(const QString& message);
    void scheduleSlowRetry();
    // Arms the slow retry unless an attempt is already scheduled.
    void keepRetrying();
    int slowRetryInterval() const;
    void finishLogout();

    Collaborators m_ports;
    ServerSearch* m_search = nullptr;
    ServiceReplyHandler* m_serviceReplies = nullptr;
    std::function<void()> m_connectedHook;

    bool m_loginFailed = false;
    bool m_fastRetryUsed = false;
    bool m_loggedIn = false; // the exchange accepted the login on the connection that is open now
    int m_loginRetriesLeft = LoginRetries;
    int m_protocolLevel = 65535;
    QString m_pbxType;
    QString m_pbxVersion;
    int m_logoutWaitedMs = 0;
    // The window state the lifecycle chose last; none before the first. Call tracking chooses others only while
    // logged in, which the lifecycle has shown as Idle.
    std::optional<WindowState> m_shownState;
};
