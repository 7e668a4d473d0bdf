#include "pbxlink/lifecycle/SocketErrors.h"

#include "settings/Lang.h"

namespace SocketErrors {

QString consoleWord(Kind kind)
{
    switch (kind) {
    case Kind::General:
        return QStringLiteral("General");
    case Kind::Send:
        return QStringLiteral("Sending");
    case Kind::Receive:
        return QStringLiteral("Receive");
    case Kind::Connect:
        return QStringLiteral("Connect");
    case Kind::Disconnect:
        return QStringLiteral("Disconnect");
    case Kind::Accept:
        return QStringLiteral("Accept");
    case Kind::Other:
        break;
    }
    return QStringLiteral("Unknown");
}

QString userWord(Kind kind)
{
    switch (kind) {
    case Kind::General:
        return Lang::_p("socket error", "General");
    case Kind::Send:
        return Lang::_p("socket error", "Send");
    case Kind::Receive:
        return Lang::_p("socket error", "receiving");
    case Kind::Connect:
        return Lang::_p("socket error", "Connections");
    case Kind::Disconnect:
        return Lang::_p("socket error", "disconnection");
    case Kind::Accept:
        return Lang::_p("socket error", "authorization");
    case Kind::Other:
        break;
    }
    return Lang::_p("socket error", "unknown");
}

std::optional<QString> codeText(int code)
{
    switch (code) {
    case NetworkDown:
        return Lang::_("Network failure");
    case NoBufferSpace:
        return Lang::_("Buffer is full");
    case TimedOut:
        return Lang::_("Server does not respond");
    case ConnectionRefused:
        return Lang::_("No server application under specified address");
    case TooManyProcesses:
        return Lang::_("To many network processes in system");
    default:
        return std::nullopt;
    }
}

QString statusText(const Error& error)
{
    QString text =
        Lang::_p("socket error", "Error ") + userWord(error.kind) + QStringLiteral(" - ") + QString::number(error.code);
    if (const std::optional<QString> meaning = codeText(error.code)) {
        text += QStringLiteral(": ") + *meaning;
    }
    return text;
}

Error fromQt(QAbstractSocket::SocketError error, QAbstractSocket::SocketState state)
{
    const Kind stepKind = state == QAbstractSocket::ConnectedState ? Kind::Receive : Kind::Connect;
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return {Kind::Connect, ConnectionRefused};
    case QAbstractSocket::SocketTimeoutError:
        return {stepKind, TimedOut};
    case QAbstractSocket::NetworkError:
        return {stepKind, NetworkDown};
    case QAbstractSocket::SocketResourceError:
        return {Kind::General, NoBufferSpace};
    case QAbstractSocket::SocketAccessError:
        return {Kind::General, 10013};
    case QAbstractSocket::AddressInUseError:
        return {Kind::Connect, 10048};
    case QAbstractSocket::SocketAddressNotAvailableError:
        return {Kind::Connect, 10049};
    case QAbstractSocket::RemoteHostClosedError:
        return {Kind::Receive, 10054};
    case QAbstractSocket::HostNotFoundError:
        return {Kind::Connect, 11001};
    default:
        return {Kind::Other, 10000 + static_cast<int>(error)};
    }
}

} // namespace SocketErrors
