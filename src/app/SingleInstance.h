#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// One running client per installation and user. The first start listens on a local socket named after the
// executable's path; a later start hands its "dial" request (or only a request to show the window) to the
// running one and ends.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    // Longest request accepted from another start; anything longer is refused.
    static constexpr int MaximumRequestBytes = 1024;

    // The instance's name: "Norvel TelefonTervo " and the executable's full path with "\" written as "/".
    static QString instanceName(const QString& executablePath);
    // The local socket for that name: in $XDG_RUNTIME_DIR when it is usable (private to the user), else in the
    // temporary folder under a name that includes the user's id.
    static QString socketPath(const QString& instanceName);

    explicit SingleInstance(QString socketPath, QObject* parent = nullptr);

    // Hands the request to a running instance: dialTarget, or an empty text to bring its window to the front.
    // False when no instance answers within timeoutMs.
    bool handOver(const QString& dialTarget, int timeoutMs = 2000) const;
    // Starts listening for later starts; a socket left by an instance that no longer runs is replaced. False
    // (with the reason logged) when it cannot listen: the client then runs without hand-over.
    bool listen();

signals:
    void dialRequested(const QString& target);
    void showRequested();

private:
    void acceptConnection();
    void handleRequest(const QByteArray& request);

    QString m_socketPath;
    QLocalServer m_server;
};
