#pragma once

#include "sms/GateTexts.h"

// The gate link's texts taken from the exchange link's tables, so both links say the same thing the same way.
class SmsGateTexts final : public GateTexts {
public:
    QString loginRefusal(int code) const override;
    QString loginError() const override;
    std::optional<QString> commandRefusal(int code) const override;
    SocketError socketError(QAbstractSocket::SocketError error, QAbstractSocket::SocketState state) const override;
};
