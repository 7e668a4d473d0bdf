#pragma once

#include "pbxsim/LineSplitter.h"

#include <QObject>
#include <QString>

class QTcpSocket;

namespace pbxsim {

class CommandHandler;
class LineWriter;
class TrafficLog;
struct FaultModes;

// One client connection: cuts the incoming bytes into command lines (Windows-1250), hands each to the command
// handler, and writes reply and event lines back ending in CR LF. Remembers which extension it is logged in as.
class PbxSession final : public QObject {
    Q_OBJECT

public:
    // Takes ownership of the connected socket.
    PbxSession(QTcpSocket* socket, int id, CommandHandler& handler, const FaultModes& faults, const TrafficLog& log,
               QObject* parent = nullptr);

    int id() const { return m_id; }
    bool isLoggedIn() const { return !m_extension.isEmpty(); }
    // The unpadded extension, empty when not logged in.
    QString extension() const { return m_extension; }
    void logIn(const QString& extension);
    void logOut();

    void sendLine(const QString& line);
    // Bytes as they are, for faults; described in the log.
    void sendRaw(const QByteArray& bytes, const QString& description);
    // Cuts the connection at once.
    void drop();

signals:
    void closed(pbxsim::PbxSession* session);

private:
    void readBytes();
    void onDisconnected();
    QString peerName() const;

    QTcpSocket* m_socket;
    LineWriter* m_writer;
    int m_id;
    CommandHandler& m_handler;
    const FaultModes& m_faults;
    const TrafficLog& m_log;
    LineSplitter m_splitter;
    QString m_extension;
    bool m_closed = false;
};

} // namespace pbxsim
