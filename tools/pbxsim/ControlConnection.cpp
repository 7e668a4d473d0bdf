#include "pbxsim/ControlConnection.h"

#include "pbxsim/ControlRunner.h"

#include <QTcpSocket>

namespace pbxsim {

ControlConnection::ControlConnection(QTcpSocket* socket, ControlInterpreter& interpreter, QObject* parent)
    : QObject(parent)
    , m_socket(socket)
    , m_runner(new ControlRunner(interpreter, this))
{
    m_socket->setParent(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &ControlConnection::readLines);
    connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    connect(m_runner, &ControlRunner::answered, this, &ControlConnection::writeAnswer);
    connect(m_runner, &ControlRunner::quitRequested, this, &ControlConnection::quitRequested);
}

void ControlConnection::readLines()
{
    const QList<QByteArray> lines = m_splitter.feed(m_socket->readAll());
    for (const QByteArray& line : lines) {
        m_runner->enqueue(QString::fromUtf8(line));
    }
}

void ControlConnection::writeAnswer(int, const QString&, const QString& answer)
{
    m_socket->write(answer.toUtf8() + '\n');
    m_socket->flush();
}

} // namespace pbxsim
