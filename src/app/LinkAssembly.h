#pragma once

#include "pbxlink/discovery/ServerDiscovery.h"
#include "pbxlink/lifecycle/TToPBX.h"
#include "pbxlink/ui/ChooseServerDialog.h"
#include "pbxlink/ui/LinkDialogs.h"
#include "pbxlink/ui/NetworkConsoleWindow.h"

class BookLinkServices;
class LogindWatcher;
class RecorderPort;
class SettingsStore;

// The PBX link with its windows and its search for the server, wired together: the network console's buttons,
// the login window, the choice among several servers, and the reconnect after the computer wakes up.
class LinkAssembly final {
public:
    LinkAssembly(SettingsStore& settings, BookLinkServices& books, RecorderPort& recorder, LogindWatcher& logind);

    TToPBX& link() { return m_link; }
    NetworkConsoleWindow& console() { return m_console; }
    LinkDialogs& dialogs() { return m_dialogs; }

    // Logs out and waits (a short while at most) for the exchange to answer.
    void shutDown();

    // The broadcast addresses for the search: those in $TERVO_DISCOVERY_BROADCAST (comma separated, for tests
    // and demonstrations confined to one machine), else every adapter's.
    static QList<QHostAddress> broadcastAddresses();

private:
    LinkDialogs m_dialogs;
    NetworkConsoleWindow m_console;
    ChooseServerDialog m_chooser;
    ServerDiscovery m_discovery;
    TToPBX m_link;
};
