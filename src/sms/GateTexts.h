#pragma once

#include <QAbstractSocket>
#include <QString>
#include <optional>

// The texts the gate link shares with the exchange's own link: the login refusals, the refusal messages of
// commands and the socket errors. The program supplies them; the gate link adds the few codes of its own.
class GateTexts {
public:
    virtual ~GateTexts() = default;

    virtual QString loginRefusal(int code) const = 0;
    virtual QString loginError() const = 0;
    // Nothing where the code has no text.
    virtual std::optional<QString> commandRefusal(int code) const = 0;

    struct SocketError {
        QString console; // "Connect error: 10061", untranslated
        QString status;  // translated, with the code's meaning where known
    };
    virtual SocketError socketError(QAbstractSocket::SocketError error, QAbstractSocket::SocketState state) const = 0;
};
