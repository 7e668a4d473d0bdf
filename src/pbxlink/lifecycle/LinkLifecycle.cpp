#include "pbxlink/lifecycle/LinkLifecycle.h"

#include "pbxlink/lifecycle/LinkDialogsPort.h"
#include "pbxlink/lifecycle/LinkNotices.h"
#include "pbxlink/lifecycle/LinkServicesPort.h"
#include "pbxlink/lifecycle/WindowState.h"
#include "pbxlink/protocol/ExtensionField.h"
#include "pbxlink/protocol/LineDispatcher.h"
#include "pbxlink/protocol/NetLog.h"
#include "pbxlink/protocol/PbxLinkLog.h"
#include "pbxlink/protocol/PbxReply.h"
#include "pbxlink/protocol/RefusalMessages.h"
#include "settings/Clock.h"
#include "settings/Const.h"
#include "settings/Lang.h"
#include "settings/SettingsError.h"
#include "settings/SettingsRecord.h"

#include <QCoreApplication>
#include <utility>

namespace {

QString networkAdvice()
{
    return QStringLiteral(" ") + Lang::_("Check TelephoneTervo network configuration for details.");
}

QString applicationTitle()
{
    return QLatin1String(Const::ApplicationTitle);
}

} // namespace

LinkLifecycle::LinkLifecycle(Collaborators collaborators)
    : m_ports(std::move(collaborators))
{
}

QString LinkLifecycle::loginCommand() const
{
    return QStringLiteral("aLOGI ") + ExtensionField::pad(m_ports.settings.Siec.TelNr) + u' ' +
           ExtensionField::pad(m_ports.settings.WorkingPin);
}

void LinkLifecycle::start()
{
    // A logout still waiting for its reply must not close the connection made now.
    m_ports.timers.stop(LinkTimer::DisconnectSleep);
    if (m_search != nullptr) {
        m_search->stop();
    }
    m_ports.socket.close();
    if (!m_ports.settings.Siec.ZapiszKlucz && !m_ports.dialogs.isLoginOrConfigurationVisible()) {
        m_ports.dialogs.showLogin();
    }
    if (m_ports.settings.Siec.Szukaj && m_search != nullptr) {
        m_search->start();
    } else {
        connectToServer();
    }
}

void LinkLifecycle::connectToServer()
{
    m_ports.timers.stop(LinkTimer::DisconnectSleep);
    m_ports.socket.close();
    m_loggedIn = false;
    showWindowState(WindowState::Connecting);
    status(Lang::_("Connecting server"));
    if (!m_ports.socket.open(m_ports.settings.Siec.Serwer, m_ports.settings.Siec.Port)) {
        onHostUnknown();
    }
}

void LinkLifecycle::onHostUnknown()
{
    m_ports.log.write(QStringLiteral("Serwer host name unknown"), ConsoleColour::Error);
    m_loginFailed = true;
    status(Lang::_("no server at:"));
    if (!m_ports.settings.Siec.PokazBladServ) {
        m_ports.dialogs.showServerConfiguration();
    }
    m_ports.socket.close();
    showWindowState(WindowState::Disconnected);
    m_ports.timers.stop(LinkTimer::Login);
    // A name is looked up after the attempt has begun, so its failure may come while the retry timer that made the
    // attempt runs: that timer keeps its pace. Only an attempt made without it gets the one quick retry.
    if (!m_ports.timers.isActive(LinkTimer::Connect)) {
        m_fastRetryUsed = true;
        m_ports.timers.start(LinkTimer::Connect, FastRetryMs);
    }
}

void LinkLifecycle::disconnect()
{
    m_ports.dispatcher.sendQueued(QStringLiteral("aLOGO ") + ExtensionField::pad(m_ports.settings.Siec.TelNr));
    m_logoutWaitedMs = 0;
    m_ports.timers.start(LinkTimer::DisconnectSleep, LogoutPollMs);
}

void LinkLifecycle::onSocketConnecting()
{
    m_ports.log.write(QStringLiteral("Connecting to ") + m_ports.settings.Siec.Serwer + u':' +
                          QString::number(m_ports.settings.Siec.Port),
                      ConsoleColour::Note);
    m_loginFailed = false;
    status(Lang::_("Connect..."));
}

void LinkLifecycle::onSocketConnected()
{
    m_ports.log.write(QStringLiteral("Connected to ") + m_ports.socket.remoteAddress(), ConsoleColour::Note);
    m_loginFailed = false;
    m_loggedIn = false;
    status(Lang::_("Login..."));
    m_ports.socket.clearIncoming();
    m_ports.dispatcher.reset();
    m_ports.dispatcher.sendQueued(loginCommand());
    m_ports.timers.start(LinkTimer::Login, LoginTimeoutMs);
    m_ports.timers.start(LinkTimer::Guard, KeepAliveMs);
    m_ports.timers.start(LinkTimer::DetectServerFull, ServerFullWindowMs);
    m_fastRetryUsed = false;
    m_ports.services.reconnectFailedBooks();
    if (m_ports.services.hasMissedCalls()) {
        showWindowState(WindowState::IdleShow);
        emit m_ports.notices.missedCalls();
    } else {
        emit m_ports.notices.idleDisplayStale();
    }
    if (m_connectedHook) {
        m_connectedHook();
    }
}

void LinkLifecycle::onSocketClosed()
{
    m_loggedIn = false;
    m_ports.timers.stop(LinkTimer::Login);
    m_ports.timers.stop(LinkTimer::Guard);
    if (m_ports.timers.isActive(LinkTimer::DetectServerFull) && !m_loginFailed) {
        // Dropped within a second of connecting: the server accepted only to turn us away.
        m_loginFailed = true;
        m_ports.log.write(QStringLiteral("Remote host has too many connections"), ConsoleColour::Note);
        status(Lang::_("Access denied: maximum call buffer is over. Contact your administrator"));
        m_fastRetryUsed = true;
        showNetworkError(Lang::_("PABX has too many connections.") + networkAdvice());
    } else {
        m_ports.log.write(QStringLiteral("Disconnected from ") + m_ports.socket.remoteAddress(), ConsoleColour::Note);
        status(Lang::_("Disconnected from server"));
    }
    if (m_shownState != WindowState::Disconnected) {
        showWindowState(WindowState::Disconnected);
        if (m_ports.services.hasMissedCalls()) {
            emit m_ports.notices.missedCalls();
        }
    }
    if (!m_fastRetryUsed) {
        m_ports.timers.start(LinkTimer::Connect, FastRetryMs);
        m_fastRetryUsed = true;
    } else {
        m_ports.timers.start(LinkTimer::Connect, slowRetryInterval());
    }
    emit m_ports.notices.unavailableTextsCleared();
}

void LinkLifecycle::onSocketError(const SocketErrors::Error& error)
{
    const bool wasConnected = m_ports.socket.isOpen();
    showNetworkError(Lang::_("Network error.") + networkAdvice());
    m_ports.log.write(SocketErrors::consoleWord(error.kind) + QStringLiteral(" error: ") + QString::number(error.code),
                      ConsoleColour::Error);
    m_loginFailed = true;
    status(SocketErrors::statusText(error));
    m_ports.socket.close();
    if (wasConnected) {
        // Closing an established link is a drop like any other, and reconnecting follows from it.
        onSocketClosed();
        return;
    }
    // A connection attempt failed: the retry timer that made it goes on at its pace; an attempt made without
    // it (the first, or one after a search) gets the slow pace.
    showWindowState(WindowState::Disconnected);
    keepRetrying();
}

void LinkLifecycle::onReply(const PbxReply& reply, const QString& command)
{
    emit m_ports.notices.unavailableTextsCleared();
    if (command.startsWith(u"aLOGI")) {
        handleLoginReply(reply);
    } else if (command.startsWith(u"aLOGO")) {
        return;
    } else if (m_serviceReplies != nullptr) {
        m_serviceReplies->handleServiceReply(reply, command);
    } else {
        presentServiceError(reply, command.section(u' ', 0, 0));
    }
}

void LinkLifecycle::handleLoginReply(const PbxReply& reply)
{
    m_ports.timers.stop(LinkTimer::Login);
    switch (reply.kind) {
    case PbxReply::Kind::Error:
        showWindowState(WindowState::Disconnected);
        m_loginFailed = true;
        status(RefusalMessages::loginError());
        m_ports.socket.close();
        m_fastRetryUsed = false;
        scheduleSlowRetry();
        return;
    case PbxReply::Kind::Refused: {
        m_loginFailed = true;
        const bool serviceMode = reply.code == RefusalMessages::ServiceMode;
        status(RefusalMessages::loginRefusal(reply.code),
               serviceMode ? StatusLine::ServiceModeTag : StatusLine::NormalTag);
        if (serviceMode) {
            emit m_ports.notices.unavailableTextsSet(Lang::_("PABX is unavailable"),
                                                     Lang::_("PABX has been in service mode. Please wait (Ctrl+K)"));
        }
        showWindowState(WindowState::Disconnected);
        m_ports.socket.close();
        scheduleSlowRetry();
        return;
    }
    case PbxReply::Kind::Ok:
        acceptLogin(reply);
        return;
    }
}

void LinkLifecycle::acceptLogin(const PbxReply& reply)
{
    m_loginFailed = false;
    status(Lang::_("Connected to server"));
    // The exchange may ask for the login again on a link that stayed up ("not logged in" to a service): the call
    // under way and the window's look stay as they are.
    if (!std::exchange(m_loggedIn, true)) {
        m_ports.timers.stop(LinkTimer::Connect);
        showWindowState(WindowState::Idle);
        if (!m_ports.settings.Ogolne.AutoBlokada && !m_ports.settings.Przeniesienie.Auto) {
            emit m_ports.notices.readyForStartupRequest();
        }
    }

    bool numeric = false;
    const int level = reply.fields.value(3).toInt(&numeric);
    const bool acceptable =
        reply.fields.value(0) == u"aOK" && !reply.fields.value(2).isEmpty() && numeric && level >= MinimumProtocolLevel;
    if (acceptable) {
        m_pbxType = reply.fields.value(1);
        m_pbxVersion = reply.fields.value(2);
        m_protocolLevel = level;
        m_loginRetriesLeft = LoginRetries;
        return;
    }
    refuseIncompatibleLogin();
}

void LinkLifecycle::refuseIncompatibleLogin()
{
    const int retriesBefore = m_loginRetriesLeft;
    if (retriesBefore > 0) {
        --m_loginRetriesLeft;
        disconnect();
        m_ports.timers.start(LinkTimer::Connect, FastRetryMs);
        return;
    }
    // The exchange keeps answering in a form this program cannot use. Tell the user once, stay logged out and
    // look again at the slow pace, in case the exchange is updated meanwhile.
    if (retriesBefore == 0) {
        --m_loginRetriesLeft;
        qCWarning(lcPbxLink) << "The exchange's protocol is too old for this program";
        m_ports.dialogs.showWarning(
            applicationTitle(),
            Lang::_("The software of the telephone exchange is too old for this program: it does not answer the "
                    "login in a form this version understands.\nAsk your administrator to update the exchange's "
                    "computer-telephony server. The program will keep trying to connect."));
    }
    status(Lang::_("The exchange's software is too old for this program"));
    disconnect();
    m_ports.timers.start(LinkTimer::Connect, slowRetryInterval());
}

void LinkLifecycle::onTimer(LinkTimer timer)
{
    switch (timer) {
    case LinkTimer::Connect: {
        const int interval = m_ports.timers.interval(LinkTimer::Connect);
        if (interval > 3000) {
            emit m_ports.notices.connectionNoteCleared();
        }
        start();
        if (interval == FastRetryMs || m_fastRetryUsed) {
            m_ports.timers.setInterval(LinkTimer::Connect, slowRetryInterval());
            m_fastRetryUsed = false;
        }
        return;
    }
    case LinkTimer::Login:
        m_ports.timers.stop(LinkTimer::Login);
        m_loginFailed = true;
        status(Lang::_("Login error: server do not respond"));
        start();
        return;
    case LinkTimer::Guard:
        m_ports.dispatcher.sendRaw(QString());
        return;
    case LinkTimer::DetectServerFull:
        m_ports.timers.stop(LinkTimer::DetectServerFull);
        return;
    case LinkTimer::DisconnectSleep:
        m_logoutWaitedMs += m_ports.timers.interval(LinkTimer::DisconnectSleep);
        // The logout is answered; an exchange that never answers does not hold the link open for ever.
        if (!m_ports.dispatcher.queues().hasOutstanding() || m_logoutWaitedMs >= LogoutGiveUpMs) {
            finishLogout();
        }
        return;
    }
}

void LinkLifecycle::finishLogout()
{
    if (m_search != nullptr) {
        m_search->stop();
    }
    m_ports.socket.close();
    m_loggedIn = false;
    m_ports.timers.stop(LinkTimer::Login);
    m_ports.timers.stop(LinkTimer::Guard);
    m_loginFailed = false;
    status(Lang::_("Disconnected from server"));
    m_ports.timers.stop(LinkTimer::DisconnectSleep);
    // The link is not given up: whoever closed it, the next attempt is already on its way.
    keepRetrying();
}

void LinkLifecycle::onSearchOpenFailed()
{
    showWindowState(WindowState::Disconnected);
    status(Lang::_("The server address has not been found"));
    m_ports.log.write(QStringLiteral("Error while opening USR..."), ConsoleColour::Error);
    keepRetrying();
}

void LinkLifecycle::onSearchStarted()
{
    status(Lang::_("Server address is searching..."));
    m_ports.log.write(QStringLiteral("Searching for server..."), ConsoleColour::Searching);
    m_ports.timers.stop(LinkTimer::Connect);
    m_ports.timers.stop(LinkTimer::Login);
    m_ports.timers.stop(LinkTimer::Guard);
}

void LinkLifecycle::onSearchFailed()
{
    showWindowState(WindowState::Disconnected);
    status(Lang::_("Searching has been finished"));
    m_ports.log.write(QStringLiteral("Error while searching for server..."), ConsoleColour::Error);
    keepRetrying();
}

void LinkLifecycle::onServerAnswer(const QString& address, int port, bool late)
{
    // An answer after the collection window is only logged: the retry armed when the window closed stays.
    if (!late) {
        m_ports.timers.stop(LinkTimer::Connect);
    }
    m_ports.log.write(QStringLiteral("Server found at ") + address + u':' + QString::number(port),
                      late ? ConsoleColour::LateAnswer : ConsoleColour::Searching);
}

void LinkLifecycle::onServerFound(const QString& address, int port)
{
    m_ports.timers.setInterval(LinkTimer::Connect, FastRetryMs);
    m_fastRetryUsed = false;
    m_ports.settings.Siec.Serwer = address;
    m_ports.settings.Siec.Port = port;
    try {
        m_ports.saveSettings();
    } catch (const SettingsError& error) {
        qCWarning(lcPbxLink) << "The server found could not be saved:" << error.message();
    }
    m_ports.timers.stop(LinkTimer::Connect);
    connectToServer();
}

void LinkLifecycle::onServerChosen(const QString& address, int port, bool fixedServer)
{
    m_ports.settings.Siec.Szukaj = !fixedServer;
    onServerFound(address, port);
}

void LinkLifecycle::onNoServerTaken()
{
    m_fastRetryUsed = false;
    scheduleSlowRetry();
    m_ports.timers.stop(LinkTimer::Login);
    m_ports.timers.stop(LinkTimer::Guard);
}

bool LinkLifecycle::presentServiceError(const PbxReply& reply, const QString& title)
{
    if (reply.kind != PbxReply::Kind::Refused) {
        return false;
    }
    if (reply.code == RefusalMessages::NotLoggedIn) {
        m_ports.dispatcher.sendQueued(loginCommand());
        return true;
    }
    const std::optional<QString> message = RefusalMessages::serviceRefusal(reply.code);
    if (!message) {
        return false;
    }
    m_ports.dialogs.showError(applicationTitle() + QStringLiteral(" - ") + title, *message);
    return true;
}

void LinkLifecycle::showWindowState(WindowState state)
{
    m_shownState = state;
    emit m_ports.notices.windowStateChosen(state);
}

void LinkLifecycle::status(const QString& text, int tag)
{
    emit m_ports.notices.statusChanged(StatusLine{text, 0x000000, tag});
}

void LinkLifecycle::showNetworkError(const QString& message)
{
    if (m_ports.settings.Siec.OknoWysBl) {
        m_ports.dialogs.showNetworkError(message);
    }
}

void LinkLifecycle::scheduleSlowRetry()
{
    m_ports.timers.start(LinkTimer::Connect, slowRetryInterval());
}

void LinkLifecycle::keepRetrying()
{
    if (!m_ports.timers.isActive(LinkTimer::Connect)) {
        scheduleSlowRetry();
    }
}

int LinkLifecycle::slowRetryInterval() const
{
    return SlowRetryMs + m_ports.clock.random(SlowRetrySpreadMs);
}
