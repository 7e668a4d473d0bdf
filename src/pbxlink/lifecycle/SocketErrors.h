#pragma once

#include <QAbstractSocket>
#include <QString>
#include <optional>

// Socket failures as the link reports them: a kind that names the failed step and a Windows Sockets style code,
// so the status texts read as users of the exchange know them.
namespace SocketErrors {

enum class Kind { General, Send, Receive, Connect, Disconnect, Accept, Other };

struct Error {
    Kind kind = Kind::Other;
    int code = 0;
};

// The codes the link names.
inline constexpr int NetworkDown = 10050;
inline constexpr int NoBufferSpace = 10055;
inline constexpr int TimedOut = 10060;
inline constexpr int ConnectionRefused = 10061;
inline constexpr int TooManyProcesses = 10067;

// The untranslated word for the console and the translated word for the status line.
QString consoleWord(Kind kind);
QString userWord(Kind kind);

// What the code means, when the link knows.
std::optional<QString> codeText(int code);

// "Error <user word> - <code>" and, for a known code, ": <text>".
QString statusText(const Error& error);

// Qt's socket error mapped onto the kind of step that failed (by the socket's state) and the code.
Error fromQt(QAbstractSocket::SocketError error, QAbstractSocket::SocketState state);

} // namespace SocketErrors
