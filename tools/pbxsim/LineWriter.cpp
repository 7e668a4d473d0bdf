#include "pbxsim/LineWriter.h"

#include "pbxsim/FaultModes.h"

#include <QTcpSocket>

namespace pbxsim {

LineWriter::LineWriter(QTcpSocket* socket, const FaultModes& faults, QObject* parent)
    : QObject(parent)
    , m_socket(socket)
    , m_faults(faults)
{
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &LineWriter::writeChunk);
}

void LineWriter::write(const QByteArray& bytes)
{
    if (bytes.isEmpty()) {
        return;
    }
    if (m_queue.isEmpty() && m_faults.splitBytes <= 0) {
        m_socket->write(bytes);
        return;
    }
    m_queue.append(bytes);
    if (!m_pause.isActive()) {
        writeChunk();
    }
}

void LineWriter::writeChunk()
{
    if (m_queue.isEmpty()) {
        return;
    }
    QByteArray& line = m_queue.first();
    const qsizetype size = m_faults.splitBytes > 0 ? qMin<qsizetype>(m_faults.splitBytes, line.size()) : line.size();
    m_socket->write(line.first(size));
    m_socket->flush();
    line.remove(0, size);
    if (line.isEmpty()) {
        m_queue.removeFirst();
    }
    if (!m_queue.isEmpty()) {
        m_pause.start(qMax(0, m_faults.splitPauseMs));
    }
}

} // namespace pbxsim
