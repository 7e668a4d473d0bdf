#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

class QTcpSocket;

namespace pbxsim {

struct FaultModes;

// Writes a session's outgoing lines to its socket, in order. With the split fault on, each line goes out in chunks
// of a few bytes, flushed one by one with a pause between them, so the client sees lines cut at chosen places.
class LineWriter final : public QObject {
    Q_OBJECT

public:
    LineWriter(QTcpSocket* socket, const FaultModes& faults, QObject* parent = nullptr);

    void write(const QByteArray& bytes);

private:
    void writeChunk();

    QTcpSocket* m_socket;
    const FaultModes& m_faults;
    QList<QByteArray> m_queue;
    QTimer m_pause;
};

} // namespace pbxsim
