#include "pbxlink/discovery/DiscoveryAnswer.h"

#include "settings/CodePage.h"

#include <algorithm>

namespace {

constexpr qsizetype HeaderLength = 7; // "USR" and four characters
constexpr qsizetype KindLength = 6;   // "PHONE" and its separator
constexpr int MaxPort = 65535;

// The datagram up to its first byte below 32; the terminator and anything after it are dropped.
QByteArrayView untilTerminator(QByteArrayView datagram)
{
    for (qsizetype i = 0; i < datagram.size(); ++i) {
        if (static_cast<unsigned char>(datagram[i]) < 32) {
            return datagram.first(i);
        }
    }
    return datagram;
}

QByteArrayView trimmedSpaces(QByteArrayView text)
{
    while (!text.isEmpty() && text.front() == ' ') {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && text.back() == ' ') {
        text.chop(1);
    }
    return text;
}

// The decimal port, or 0 when the text is not a number in 1..65535.
int portNumber(QByteArrayView text)
{
    if (text.isEmpty()) {
        return 0;
    }
    int port = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return 0;
        }
        port = port * 10 + (digit - '0');
        if (port > MaxPort) {
            return 0;
        }
    }
    return port;
}

} // namespace

std::optional<DiscoveredServer> DiscoveryAnswer::parse(QByteArrayView datagram)
{
    const QByteArrayView text = untilTerminator(datagram);
    if (!text.startsWith("USR") || text.size() < HeaderLength) {
        return std::nullopt;
    }
    const QByteArrayView kind = text.sliced(HeaderLength);
    if (!kind.startsWith("PHONE")) {
        return std::nullopt;
    }
    const QByteArrayView location = kind.sliced(std::min(KindLength, kind.size()));
    const qsizetype colon = location.indexOf(':');
    if (colon < 0) {
        return std::nullopt;
    }
    const QByteArrayView address = trimmedSpaces(location.first(colon));
    const int port = portNumber(trimmedSpaces(location.sliced(colon + 1)));
    if (address.isEmpty() || port == 0) {
        return std::nullopt;
    }
    return DiscoveredServer{CodePage::fromWindows1250(address), port};
}
