#include "pbxsim/PbxSession.h"

#include "pbxsim/CommandHandler.h"
#include "pbxsim/FaultModes.h"
#include "pbxsim/LineWriter.h"
#include "pbxsim/TrafficLog.h"
#include "settings/CodePage.h"

#include <QTcpSocket>

namespace pbxsim {

PbxSession::PbxSession(QTcpSocket* socket, int id, CommandHandler& handler, const FaultModes& faults,
                       const TrafficLog& log, QObject* parent)
    : QObject(parent)
    , m_socket(socket)
    , m_writer(new LineWriter(socket, faults, this))
    , m_id(id)
    , m_handler(handler)
    , m_faults(faults)
    , m_log(log)
{
    m_socket->setParent(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &PbxSession::readBytes);
    connect(m_socket, &QTcpSocket::disconnected, this, &PbxSession::onDisconnected);
}

void PbxSession::logIn(const QString& extension)
{
    m_extension = extension;
}

void PbxSession::logOut()
{
    m_extension.clear();
}

void PbxSession::sendLine(const QString& line)
{
    if (m_closed) {
        return;
    }
    if (m_faults.mute) {
        m_log.sent(peerName() + QStringLiteral(" (muted, not sent)"), line);
        return;
    }
    m_log.sent(peerName(), line);
    m_writer->write(CodePage::toWindows1250(line) + QByteArrayLiteral("\r\n"));
}

void PbxSession::sendRaw(const QByteArray& bytes, const QString& description)
{
    if (m_closed) {
        return;
    }
    m_log.detail(peerName() + QStringLiteral(" -> ") + description + QStringLiteral(": ") +
                 QString::fromLatin1(bytes.toHex(' ')));
    m_writer->write(bytes);
}

void PbxSession::drop()
{
    m_log.detail(peerName() + QStringLiteral(" dropped"));
    m_socket->abort();
    onDisconnected();
}

void PbxSession::readBytes()
{
    const QList<QByteArray> lines = m_splitter.feed(m_socket->readAll());
    for (const QByteArray& bytes : lines) {
        const QString line = CodePage::fromWindows1250(bytes);
        if (m_faults.mute) {
            m_log.received(peerName() + QStringLiteral(" (muted, ignored)"), line);
            continue;
        }
        m_log.received(peerName(), line);
        m_handler.handle(*this, line);
        if (m_closed) {
            return;
        }
    }
}

void PbxSession::onDisconnected()
{
    if (m_closed) {
        return;
    }
    m_closed = true;
    m_log.detail(peerName() + QStringLiteral(" closed"));
    emit closed(this);
    deleteLater();
}

QString PbxSession::peerName() const
{
    QString name = QStringLiteral("#") + QString::number(m_id);
    if (isLoggedIn()) {
        name += QLatin1Char('/') + m_extension;
    }
    return name;
}

} // namespace pbxsim
