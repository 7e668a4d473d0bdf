#include "pbxlink/discovery/BroadcastAddresses.h"

#include <QNetworkInterface>

namespace BroadcastAddresses {

QList<QHostAddress> fromAdapters(const QList<AdapterAddress>& adapters)
{
    QList<QHostAddress> broadcasts;
    for (const AdapterAddress& adapter : adapters) {
        if (!adapter.up || adapter.loopback || adapter.ip.protocol() != QAbstractSocket::IPv4Protocol ||
            adapter.netmask.protocol() != QAbstractSocket::IPv4Protocol || adapter.ip.toIPv4Address() == 0) {
            continue;
        }
        const QHostAddress broadcast(adapter.ip.toIPv4Address() | ~adapter.netmask.toIPv4Address());
        if (!broadcasts.contains(broadcast)) {
            broadcasts.append(broadcast);
        }
    }
    return broadcasts;
}

QList<AdapterAddress> machineAdapters()
{
    QList<AdapterAddress> adapters;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& networkInterface : interfaces) {
        const QNetworkInterface::InterfaceFlags flags = networkInterface.flags();
        const QList<QNetworkAddressEntry> entries = networkInterface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            adapters.append({entry.ip(), entry.netmask(), flags.testFlag(QNetworkInterface::IsUp),
                             flags.testFlag(QNetworkInterface::IsLoopBack)});
        }
    }
    return adapters;
}

QList<QHostAddress> ofMachine()
{
    const QList<AdapterAddress> adapters = machineAdapters();
    if (adapters.isEmpty()) {
        return {QHostAddress(QHostAddress::Broadcast)};
    }
    return fromAdapters(adapters);
}

} // namespace BroadcastAddresses
