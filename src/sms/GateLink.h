#pragma once

#include "sms/GateLines.h"
#include "sms/GatePorts.h"
#include "sms/GateRetryRules.h"
#include "sms/GateTexts.h"

#include <QString>
#include <QStringList>
#include <functional>

class GateLinkObserver;
struct SettingsRecord;

// The link to the PBX's GSM gate without its socket: it takes what happened (connected, a line, a timer that
// fired, a socket error) and acts through its ports, so it runs the same against a real socket and in tests.
// Commands wait in a send queue and go out one per tick of the send timer; each reply answers the oldest command
// sent. One SMS window at a time owns the link for sending and hears how each of its segments went.
class GateLink final {
public:
    struct Collaborators {
        const SettingsRecord& settings;
        GateSocket& socket;
        GateTimers& timers;
        GateLinkObserver& observer;
        const GateTexts& texts;
        std::function<int(int)> random; // 0 .. bound - 1
    };

    static constexpr int FirstAttemptMs = 30000;
    static constexpr int FastRetryMs = 500;
    static constexpr int SlowRetryMs = 25000;
    static constexpr int SlowRetrySpreadMs = 10000;
    static constexpr int LoginTimeoutMs = 31000;
    static constexpr int KeepAliveMs = 15000;
    static constexpr int LoginReplyMinimum = 10; // a longer login answer carries the gate's number

    explicit GateLink(Collaborators collaborators);

    // At start-up: the first attempt comes after half a minute (sooner where a test asks), and the send timer
    // starts ticking.
    void start(int firstAttemptMs = FirstAttemptMs);
    void connectToServer();
    // The user's "OFF", and shutdown: logs out, closes, and waits a full interval before connecting again.
    void disconnect();

    void onConnected();
    void onClosedByServer();
    void onSocketError(const GateTexts::SocketError& error);
    void onLine(const QString& line);
    void onTimer(GateTimer timer);

    // The gate's PIN, number and switch allow logging in.
    bool isUsable() const;
    // What it connects and logs in with, to tell whether new settings need a new connection.
    QStringList loginSettings() const;
    bool isLoggedIn() const { return m_loggedIn; }
    bool loginFailed() const { return m_loginFailed; }
    QString gateField() const;
    QString statusText() const { return m_status; }
    GateColour statusColour() const { return m_statusColour; }

    // Sending is for one window at a time: claim fails while another window owns the link.
    bool claim(GateSendListener* window);
    void release(GateSendListener* window);
    GateSendListener* owner() const { return m_owner; }
    // A window that closes is forgotten, whether it owned the link or not.
    void forget(GateSendListener* window);

    // Queues one segment; the owner hears how it went. wireText is already in the gate's form.
    void sendSegment(const QString& number, const QString& wireText, bool flash, int validity);

    const QStringList& sendQueue() const { return m_queue; }
    const QStringList& pending() const { return m_pending; }
    const GateRetryRules& retries() const { return m_retries; }

    // The console form of a line: a login keeps its first 10 characters and hides the PIN.
    static QString masked(const QString& line);

private:
    void status(const QString& text, GateColour colour);
    void console(const QString& line, GateColour colour);
    void queue(const QString& command);
    void sendNext();
    void handleReply(const GateLines::Reply& reply);
    void handleLoginReply(const GateLines::Reply& reply);
    void handleSendReply(const GateLines::Reply& reply, const QString& command);
    void handleOtherReply(const GateLines::Reply& reply);
    void refuseLogin(int code);
    void applyRetry(GateRetryRules::Rule rule, const QString& command);
    void handleCentreAnswer(const QString& line);
    void handleDeliveryReport(const QString& line);
    void handleIncoming(const QString& line);
    void acknowledge(const QString& id);
    void failSend(const QString& reason, bool showMessage = true);
    void lostConnection();
    void scheduleReconnect(int milliseconds);
    int slowRetryInterval() const;
    static bool isSend(const QString& command);

    Collaborators m_ports;
    GateRetryRules m_retries;
    QStringList m_queue;
    QStringList m_pending;
    bool m_loggedIn = false;
    bool m_loginFailed = false;
    bool m_fastRetryUsed = false;
    GateSendListener* m_owner = nullptr;
    // The last segment the gate took, for the centre's answer that follows.
    QString m_sentNumber;
    QString m_sentText;
    bool m_awaitingCentre = false;
    QString m_status;
    GateColour m_statusColour = GateColour::StatusBusy;
};
