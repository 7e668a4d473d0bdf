#pragma once

#include "pbxlink/discovery/DiscoveryAnswer.h"
#include "settings/Clock.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

class QUdpSocket;

// Looks for the PBX's server on the local network: sends the question "WHO PHONE" over UDP to every broadcast
// address, collects the answers during a short window and then reports one, several or no servers. Answers that
// arrive after the window are still reported, marked late, but not collected.
class ServerDiscovery final : public QObject {
    Q_OBJECT

public:
    using AddressSource = std::function<QList<QHostAddress>()>;

    static constexpr quint16 QuestionPort = 5523;
    static constexpr std::chrono::milliseconds CollectionWindow{1500};

    ServerDiscovery(AddressSource broadcastAddresses, Clock& clock, quint16 questionPort = QuestionPort,
                    std::chrono::milliseconds window = CollectionWindow, QObject* parent = nullptr);

    // Binds the socket if needed, forgets earlier answers, asks every broadcast address and opens the window.
    void start();
    // Closes the socket and the window without reporting.
    void stop();

    bool isWindowClosed() const { return m_windowClosed; }
    QList<DiscoveredServer> servers() const { return m_servers; }

signals:
    void openFailed();
    void searchFailed();
    void searchStarted();
    void answerReceived(const DiscoveredServer& server, bool late);
    void serverFound(const DiscoveredServer& server);
    void severalServersFound(const QList<DiscoveredServer>& servers);
    void noServerFound();

private:
    bool bindSocket();
    bool askAll();
    void readAnswers();
    void closeWindow();

    AddressSource m_broadcastAddresses;
    Clock& m_clock; // draws the socket's port
    quint16 m_questionPort;
    QUdpSocket* m_socket;
    QTimer m_window;
    bool m_windowClosed = false;
    QList<DiscoveredServer> m_servers;
};
