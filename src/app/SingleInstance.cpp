#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <unistd.h>

namespace {

// sockaddr_un holds 108 bytes with the closing zero; stay well inside it.
constexpr qsizetype LongestSocketPath = 100;
constexpr int RequestWaitMs = 2000;

const QByteArray DialWord = QByteArrayLiteral("dial ");
const QByteArray ShowWord = QByteArrayLiteral("show");

} // namespace

QString SingleInstance::instanceName(const QString& executablePath)
{
    return QStringLiteral("Norvel TelefonTervo ") + QString(executablePath).replace(u'\\', u'/');
}

QString SingleInstance::socketPath(const QString& instanceName)
{
    const QString digest =
        QString::fromLatin1(QCryptographicHash::hash(instanceName.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QFileInfo(runtime).isAbsolute() && QDir().mkpath(runtime)) {
        const QString path = QDir(runtime).filePath(QStringLiteral("tervo-") + digest);
        if (path.size() <= LongestSocketPath) {
            return path;
        }
    }
    return QDir(QDir::tempPath()).filePath(QStringLiteral("tervo-%1-%2").arg(QString::number(getuid()), digest));
}

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent)
    , m_socketPath(std::move(socketPath))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.setMaxPendingConnections(4);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

bool SingleInstance::handOver(const QString& dialTarget, int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    // One line per request: line breaks inside the target would start another.
    QString target = dialTarget;
    target.replace(u'\n', u' ').replace(u'\r', u' ');
    const QByteArray request = target.isEmpty() ? ShowWord : DialWord + target.toUtf8();
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    // The running instance closes the connection once it has read the request.
    socket.waitForDisconnected(timeoutMs);
    return true;
}

bool SingleInstance::listen()
{
    if (m_server.listen(m_socketPath)) {
        return true;
    }
    if (m_server.serverError() == QAbstractSocket::AddressInUseError) {
        // Nobody answered on it (handOver came first), so the socket is what a crashed instance left behind.
        QLocalServer::removeServer(m_socketPath);
        if (m_server.listen(m_socketPath)) {
            return true;
        }
    }
    qWarning().noquote() << "A second start cannot hand over to this one:" << m_server.errorString();
    return false;
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        QPointer<QLocalSocket> guarded(socket);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, guarded] {
            if (!guarded) {
                return;
            }
            if (!guarded->canReadLine() && guarded->bytesAvailable() <= MaximumRequestBytes) {
                return;
            }
            const QByteArray request = guarded->readLine(MaximumRequestBytes + 1);
            guarded->disconnectFromServer();
            handleRequest(request);
        });
        // A peer that never finishes its request is dropped.
        QTimer::singleShot(RequestWaitMs, socket, [guarded] {
            if (guarded) {
                guarded->abort();
            }
        });
    }
}

void SingleInstance::handleRequest(const QByteArray& request)
{
    if (request.size() > MaximumRequestBytes || !request.endsWith('\n')) {
        qWarning() << "A request from a second start was too long and is ignored.";
        return;
    }
    const QByteArray line = request.chopped(1);
    if (line == ShowWord) {
        emit showRequested();
    } else if (line.startsWith(DialWord)) {
        emit showRequested();
        emit dialRequested(QString::fromUtf8(line.mid(DialWord.size())));
    } else {
        qWarning() << "A request from a second start was not understood and is ignored.";
    }
}
