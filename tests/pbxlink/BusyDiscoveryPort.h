#pragma once

#include <QHostAddress>
#include <QUdpSocket>

// Binds blocker to a free port of the range the discovery socket draws its port from, so that a search given that
// draw cannot bind. The draw (0 .. 16382), or -1 when no port of the range is free.
inline int holdDiscoveryPort(QUdpSocket& blocker)
{
    constexpr int FirstDynamicPort = 49152;
    constexpr int DynamicPortCount = 16383;
    for (int draw = 0; draw < DynamicPortCount; ++draw) {
        if (blocker.bind(QHostAddress::AnyIPv4, quint16(FirstDynamicPort + draw))) {
            return draw;
        }
    }
    return -1;
}
