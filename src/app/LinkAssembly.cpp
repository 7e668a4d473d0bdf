#include "app/LinkAssembly.h"

#include "app/BookLinkServices.h"
#include "app/LogindWatcher.h"
#include "pbxlink/discovery/BroadcastAddresses.h"
#include "settings/Conftool.h"
#include "settings/SettingsStore.h"

#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int ShutdownWaitMs = 2000;

} // namespace

LinkAssembly::LinkAssembly(SettingsStore& settings, BookLinkServices& books, RecorderPort& recorder,
                           LogindWatcher& logind)
    : m_dialogs(settings.record(), &SaveSettings)
    , m_discovery(&LinkAssembly::broadcastAddresses, Clock::system())
    , m_link(settings.record(), &SaveSettings,
             LogFile(settings.paths().logFolder() + QStringLiteral("net.log"), LogFile::Stamp::Time),
             LinkPartners{books, m_dialogs, books, books, recorder})
{
    m_link.setConsole(&m_console);
    m_console.setLogFilePath(m_link.logPath());
    m_link.setServerDiscovery(&m_discovery);

    QObject::connect(&m_console, &NetworkConsoleWindow::connectRequested, &m_link, [this] { m_link.start(); });
    QObject::connect(&m_console, &NetworkConsoleWindow::disconnectRequested, &m_link,
                     [this] { m_link.disconnectFromServer(); });
    QObject::connect(&m_dialogs, &LinkDialogs::loginEntered, &m_link, [this] { m_link.start(); });
    QObject::connect(&m_link, &TToPBX::serverChoiceNeeded, &m_chooser, [this](const QList<DiscoveredServer>& servers) {
        m_chooser.setServers(servers);
        m_chooser.show();
        m_chooser.raise();
    });
    QObject::connect(&m_chooser, &ChooseServerDialog::serverChosen, &m_link,
                     [this](const DiscoveredServer& server, bool fixed) { m_link.chooseServer(server, fixed); });
    QObject::connect(&logind, &LogindWatcher::resumed, &m_link, [this] { m_link.restart(); });
}

void LinkAssembly::shutDown()
{
    if (!m_link.isConnected()) {
        return;
    }
    m_link.disconnectFromServer();
    QEventLoop wait;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &wait, [this, &wait] {
        if (!m_link.isConnected()) {
            wait.quit();
        }
    });
    poll.start(10);
    QTimer::singleShot(ShutdownWaitMs, &wait, &QEventLoop::quit);
    wait.exec();
}

QList<QHostAddress> LinkAssembly::broadcastAddresses()
{
    const QString configured = qEnvironmentVariable("TERVO_DISCOVERY_BROADCAST");
    if (configured.isEmpty()) {
        return BroadcastAddresses::ofMachine();
    }
    QList<QHostAddress> addresses;
    for (const QString& text : configured.split(u',', Qt::SkipEmptyParts)) {
        const QHostAddress address(text.trimmed());
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            addresses.append(address);
        }
    }
    return addresses;
}
