#include "app/SmsGateTexts.h"

#include "pbxlink/lifecycle/SocketErrors.h"
#include "pbxlink/protocol/RefusalMessages.h"

QString SmsGateTexts::loginRefusal(int code) const
{
    return RefusalMessages::loginRefusal(code);
}

QString SmsGateTexts::loginError() const
{
    return RefusalMessages::loginError();
}

std::optional<QString> SmsGateTexts::commandRefusal(int code) const
{
    return RefusalMessages::serviceRefusal(code);
}

GateTexts::SocketError SmsGateTexts::socketError(QAbstractSocket::SocketError error,
                                                 QAbstractSocket::SocketState state) const
{
    const SocketErrors::Error mapped = SocketErrors::fromQt(error, state);
    return {SocketErrors::consoleWord(mapped.kind) + QStringLiteral(" error: ") + QString::number(mapped.code),
            SocketErrors::statusText(mapped)};
}
