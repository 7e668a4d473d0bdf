// Feeds arbitrary datagrams to the discovery answer parser. A server it accepts must have an address and a port
// in 1..65535.
#include "pbxlink/discovery/DiscoveryAnswer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView datagram(reinterpret_cast<const char*>(data), data == nullptr ? 0 : qsizetype(size));
    const std::optional<DiscoveredServer> server = DiscoveryAnswer::parse(datagram);
    if (server && (server->address.isEmpty() || server->port < 1 || server->port > 65535)) {
        std::abort();
    }
    return 0;
}
