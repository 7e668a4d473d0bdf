#pragma once

#include <QHostAddress>
#include <QList>

// The directed broadcast addresses of the machine's IPv4 adapters, where the discovery question is sent.
namespace BroadcastAddresses {

// One IPv4 address of an adapter with its netmask, and whether the adapter can carry the question at all.
struct AdapterAddress {
    QHostAddress ip;
    QHostAddress netmask;
    bool up = true;
    bool loopback = false;
};

// ip | ~netmask for every IPv4 entry with a netmask, each broadcast address once; 0.0.0.0 and the addresses of
// adapters that are down or loopback are skipped.
QList<QHostAddress> fromAdapters(const QList<AdapterAddress>& adapters);

// The IPv4 addresses of every adapter of the machine; nothing when they cannot be read.
QList<AdapterAddress> machineAdapters();

// fromAdapters(machineAdapters()), or the limited broadcast 255.255.255.255 when the adapters cannot be read.
QList<QHostAddress> ofMachine();

} // namespace BroadcastAddresses
