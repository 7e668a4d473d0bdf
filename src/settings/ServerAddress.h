#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The server address of the configuration dialog, edited as the four parts of an IPv4 address. A host name in the
// settings has no parts; it stays as it is until the user fills the parts in.
class ServerAddress final {
public:
    using Parts = std::array<QString, 4>;

    // The four parts of a dotted address; nothing for a host name or anything else.
    static std::optional<Parts> split(const QString& address);

    // The address the parts give, or the host name kept when all four parts are empty. Nothing when the parts do
    // not make an address; invalidText() then says why.
    static std::optional<QString> join(const Parts& parts, const QString& hostName);

    // "IP number (%s) is invalid." with the parts as typed.
    static QString invalidText(const Parts& parts);
};
