#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// A PBX server that answered the discovery question: where its computer-telephony link listens.
struct DiscoveredServer {
    QString address;
    int port = 0;

    bool operator==(const DiscoveredServer&) const = default;
};

// Reads one answer to the discovery question. An answer is Windows-1250 text up to its first control byte:
// "USR", four characters that are not interpreted, "PHONE", one more character, then "address:port".
class DiscoveryAnswer final {
public:
    // The server named by the datagram, or nothing when it is not a well-formed answer (no address, or a port
    // outside 1..65535).
    static std::optional<DiscoveredServer> parse(QByteArrayView datagram);
};
