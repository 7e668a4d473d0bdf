#include "sms/GateLink.h"

#include "settings/Lang.h"
#include "settings/SettingsRecord.h"
#include "sms/GateLinkObserver.h"
#include "sms/GateTexts.h"

#include <algorithm>

namespace {

constexpr int NotLoggedCode = 1;
constexpr int BusyCode = 4;
constexpr int CardBusyCode = 21;
constexpr int TooLongCode = 22;
constexpr int ModuleStartingCode = 23;
constexpr int InvalidModuleCode = 7;
constexpr int MaskedLoginLength = 10;

QString notConnectedReason()
{
    return Lang::_("The SMS was not sent: not connected to the SMS gate.");
}

} // namespace

GateLink::GateLink(Collaborators collaborators)
    : m_ports(std::move(collaborators))
    , m_retries(m_ports.random)
{
}

void GateLink::start(int firstAttemptMs)
{
    m_ports.timers.start(GateTimer::Connect, std::clamp(firstAttemptMs, 0, FirstAttemptMs));
    m_ports.timers.start(GateTimer::SendCommand, GateRetryRules::NormalIntervalMs);
}

bool GateLink::isUsable() const
{
    const auto& sms = m_ports.settings.Sms;
    return sms.SmsOn && !sms.Klucz.isEmpty() && !sms.Translacja.isEmpty();
}

QStringList GateLink::loginSettings() const
{
    const auto& settings = m_ports.settings;
    return {settings.Siec.Serwer.trimmed(), QString::number(settings.Siec.Port), settings.Sms.Klucz,
            settings.Sms.Translacja.trimmed(), QString::number(int(settings.Sms.SmsOn))};
}

QString GateLink::gateField() const
{
    return QStringLiteral("G") + m_ports.settings.Sms.Translacja.trimmed().rightJustified(3, u'0');
}

QString GateLink::masked(const QString& line)
{
    if (line.contains(u"aLOGI")) {
        return line.left(MaskedLoginLength) + QStringLiteral(" ****");
    }
    return line;
}

void GateLink::connectToServer()
{
    if (m_ports.socket.isConnected()) {
        m_ports.socket.close();
        lostConnection();
    }
    if (!isUsable()) {
        console(Lang::_("SMS is disabled or locked"), GateColour::Disabled);
        m_ports.timers.stop(GateTimer::Connect);
        return;
    }
    m_loginFailed = false;
    const QString host = m_ports.settings.Siec.Serwer.trimmed();
    console(Lang::_("Connect..."), GateColour::Connection);
    console(Lang::_("Connecting to") + u' ' + host, GateColour::Connection);
    status(Lang::_("Connect..."), GateColour::StatusBusy);
    if (!host.isEmpty()) {
        m_ports.socket.open(host, m_ports.settings.Siec.Port);
    }
}

void GateLink::disconnect()
{
    if (m_ports.socket.isConnected()) {
        const QString logout = QStringLiteral("aLOGO ") + gateField();
        console(logout, GateColour::Sent);
        m_ports.socket.writeLine(logout);
        m_ports.socket.close();
    }
    lostConnection();
    status(Lang::_("Disconnected from server"), GateColour::StatusBad);
    scheduleReconnect(slowRetryInterval());
}

void GateLink::onConnected()
{
    console(Lang::_("Connected to ") + m_ports.socket.remoteAddress(), GateColour::Connection);
    status(Lang::_("Login..."), GateColour::StatusBusy);
    m_retries.reset();
    m_pending.clear();
    if (isUsable()) {
        // Ahead of anything queued while the link was down: nothing goes through before the login.
        m_queue.prepend(QStringLiteral("aLOGI ") + gateField() + u' ' + m_ports.settings.Sms.Klucz);
    }
    m_ports.timers.start(GateTimer::Login, LoginTimeoutMs);
    m_ports.timers.start(GateTimer::Guard, KeepAliveMs);
}

void GateLink::onClosedByServer()
{
    console(Lang::_("Disconnected from ") + m_ports.socket.remoteAddress(), GateColour::Connection);
    m_ports.socket.close();
    lostConnection();
    status(Lang::_("Disconnected from server"), GateColour::StatusBad);
    if (!m_fastRetryUsed) {
        m_fastRetryUsed = true;
        scheduleReconnect(FastRetryMs);
    } else {
        scheduleReconnect(slowRetryInterval());
    }
}

void GateLink::onSocketError(const GateTexts::SocketError& error)
{
    console(error.console, GateColour::Error);
    status(error.status, GateColour::StatusBad);
    m_ports.socket.close();
    lostConnection();
    scheduleReconnect(slowRetryInterval());
}

void GateLink::onTimer(GateTimer timer)
{
    switch (timer) {
    case GateTimer::Connect:
        // The timer repeats: should this attempt not end logged in, the next one comes after a full interval, not
        // after the short first wait or the half second after a drop, which would cut a login still under way.
        m_ports.timers.setInterval(GateTimer::Connect, slowRetryInterval());
        connectToServer();
        break;
    case GateTimer::Login:
        m_ports.timers.stop(GateTimer::Login);
        status(Lang::_("Login error: server do not respond"), GateColour::StatusBad);
        m_loginFailed = true;
        connectToServer();
        break;
    case GateTimer::Guard:
        if (m_ports.socket.isConnected()) {
            m_ports.socket.writeLine(QString());
        }
        break;
    case GateTimer::SendCommand:
        sendNext();
        break;
    }
}

void GateLink::onLine(const QString& line)
{
    if (line.isEmpty()) {
        return;
    }
    if (line.startsWith(u'a')) {
        console(line, GateColour::Reply);
        if (const std::optional<GateLines::Reply> reply = GateLines::Reply::parse(line)) {
            handleReply(*reply);
        }
        return;
    }
    const QString word = GateLines::keyword(line);
    console(line, GateColour::Reply);
    if (word == u"SMSA") {
        handleCentreAnswer(line);
    } else if (word == u"SMSR") {
        handleDeliveryReport(line);
    } else if (word == u"SMSG") {
        handleIncoming(line);
    }
}

bool GateLink::claim(GateSendListener* window)
{
    if (m_owner != nullptr && m_owner != window) {
        return false;
    }
    m_owner = window;
    return true;
}

void GateLink::release(GateSendListener* window)
{
    if (m_owner == window) {
        m_owner = nullptr;
    }
}

void GateLink::forget(GateSendListener* window)
{
    release(window);
}

void GateLink::sendSegment(const QString& number, const QString& wireText, bool flash, int validity)
{
    queue(QStringLiteral("aSMSS ") + gateField() + u' ' + number + u' ' + (flash ? u'F' : u'N') + u' ' +
          QString::number(validity) + u' ' + wireText);
}

void GateLink::status(const QString& text, GateColour colour)
{
    m_status = text;
    m_statusColour = colour;
    m_ports.observer.statusChanged(text, colour);
}

void GateLink::console(const QString& line, GateColour colour)
{
    m_ports.observer.consoleLine(masked(line), colour);
}

void GateLink::queue(const QString& command)
{
    m_queue.append(command);
}

// One command per tick. A command that finds the link down goes no further; a window waiting for it hears so
// at once and keeps its message, instead of waiting for an answer that cannot come.
void GateLink::sendNext()
{
    if (!m_queue.isEmpty()) {
        const QString command = m_queue.takeFirst();
        if (m_ports.socket.isConnected()) {
            console(command, GateColour::Sent);
            m_pending.append(command);
            m_ports.socket.writeLine(command);
        } else if (isSend(command)) {
            failSend(notConnectedReason(), false);
        }
    }
    if (m_ports.timers.interval(GateTimer::SendCommand) != GateRetryRules::NormalIntervalMs) {
        m_ports.timers.setInterval(GateTimer::SendCommand, GateRetryRules::NormalIntervalMs);
    }
}

void GateLink::handleReply(const GateLines::Reply& reply)
{
    if (m_pending.isEmpty()) {
        return;
    }
    const QString command = m_pending.takeFirst();
    const QString word = GateLines::keyword(command);
    if (word == u"aLOGI") {
        handleLoginReply(reply);
    } else if (word == u"aSMSS") {
        handleSendReply(reply, command);
    } else {
        handleOtherReply(reply);
    }
}

void GateLink::handleLoginReply(const GateLines::Reply& reply)
{
    m_ports.timers.stop(GateTimer::Login);
    switch (reply.kind) {
    case GateLines::Reply::Kind::Ok:
        m_loggedIn = true;
        m_fastRetryUsed = false;
        status(Lang::_("Connected to server"), GateColour::StatusGood);
        if (reply.line.size() > LoginReplyMinimum) {
            m_ports.observer.gateNumberChanged(GateLines::takeFields(reply.line, 6).value(5));
        }
        m_ports.timers.stop(GateTimer::Connect);
        break;
    case GateLines::Reply::Kind::Error:
        m_loginFailed = true;
        status(m_ports.texts.loginError(), GateColour::StatusBad);
        break;
    case GateLines::Reply::Kind::Refused:
        refuseLogin(reply.code);
        break;
    }
}

// Every refused login closes the connection and tries again after a full interval; the next connection logs in
// afresh, so the login itself is not put back in the queue.
void GateLink::refuseLogin(int code)
{
    m_loginFailed = true;
    switch (code) {
    case NotLoggedCode:
        m_ports.observer.showMessage(Lang::_("Error: Not Logged"));
        status(Lang::_("Error: Not Logged"), GateColour::StatusBad);
        break;
    case InvalidModuleCode:
        status(Lang::_("Access denied: the module number is invalid"), GateColour::StatusBad);
        break;
    case CardBusyCode:
        status(Lang::_("Sms module is busy now. Please wait a few seconds!"), GateColour::StatusBad);
        break;
    case ModuleStartingCode:
        status(Lang::_("Sms module is about to initiate now. Please wait a few seconds!"), GateColour::StatusBad);
        break;
    default:
        status(m_ports.texts.loginRefusal(code), GateColour::StatusBad);
        break;
    }
    m_ports.socket.close();
    lostConnection();
    scheduleReconnect(slowRetryInterval());
}

void GateLink::handleSendReply(const GateLines::Reply& reply, const QString& command)
{
    if (reply.kind == GateLines::Reply::Kind::Ok) {
        m_retries.sendSucceeded();
        m_pending.clear();
        const QStringList fields = GateLines::takeFields(command, 5, &m_sentText);
        m_sentNumber = fields.value(2);
        m_awaitingCentre = true;
        return;
    }
    if (reply.kind == GateLines::Reply::Kind::Error) {
        failSend(Lang::_("Unable to send sms."));
        return;
    }
    switch (reply.code) {
    case NotLoggedCode:
        applyRetry(GateRetryRules::Rule::NotLogged, command);
        break;
    case BusyCode:
        applyRetry(GateRetryRules::Rule::Busy, command);
        break;
    case CardBusyCode:
        applyRetry(GateRetryRules::Rule::CardBusy, command);
        break;
    case TooLongCode:
        failSend(Lang::_("SMS is too long to be sent"));
        break;
    case ModuleStartingCode:
        applyRetry(GateRetryRules::Rule::ModuleStarting, command);
        break;
    default:
        // A refusal without a rule ends the send as well: the window would otherwise wait for ever.
        failSend(m_ports.texts.commandRefusal(reply.code).value_or(Lang::_("Unable to send sms.")));
        break;
    }
}

void GateLink::handleOtherReply(const GateLines::Reply& reply)
{
    if (reply.kind != GateLines::Reply::Kind::Refused) {
        return;
    }
    const std::optional<QString> text = reply.code == CardBusyCode  ? Lang::_("GMS module is busy.")
                                        : reply.code == TooLongCode ? Lang::_("Sms is too long to be sent.")
                                                                    : m_ports.texts.commandRefusal(reply.code);
    if (text) {
        console(*text, GateColour::Error);
    }
}

void GateLink::applyRetry(GateRetryRules::Rule rule, const QString& command)
{
    const GateRetryRules::Decision decision = m_retries.apply(rule);
    if (decision.giveUp) {
        failSend(decision.message);
        return;
    }
    if (!decision.message.isEmpty()) {
        status(decision.message, GateColour::StatusBusy);
        m_ports.observer.showMessage(decision.message);
    }
    m_queue.append(command);
    m_ports.timers.start(GateTimer::SendCommand, decision.intervalMs);
}

void GateLink::handleCentreAnswer(const QString& line)
{
    const std::optional<GateLines::CentreAnswer> answer = GateLines::CentreAnswer::parse(line);
    if (!answer || !m_awaitingCentre) {
        return;
    }
    m_awaitingCentre = false;
    m_ports.observer.centreAnswered(*answer, m_sentNumber, m_sentText);
    if (m_owner != nullptr) {
        if (answer->accepted) {
            m_owner->segmentAccepted(answer->reference);
        } else {
            m_owner->segmentRejected();
        }
    }
}

void GateLink::handleDeliveryReport(const QString& line)
{
    const std::optional<GateLines::DeliveryReport> report = GateLines::DeliveryReport::parse(line);
    if (!report) {
        return;
    }
    m_ports.observer.deliveryReported(*report);
    acknowledge(report->id);
}

// With "Only send SMS" the line is left alone, so that a client on the same gate that reads messages gets it.
void GateLink::handleIncoming(const QString& line)
{
    if (!m_ports.settings.Sms.SMSSendRead) {
        return;
    }
    const std::optional<GateLines::IncomingSegment> segment = GateLines::IncomingSegment::parse(line);
    if (!segment) {
        return;
    }
    m_ports.observer.segmentArrived(*segment);
    acknowledge(segment->id);
}

void GateLink::acknowledge(const QString& id)
{
    queue(QStringLiteral("aSOK ") + gateField() + u' ' + id);
}

void GateLink::failSend(const QString& reason, bool showMessage)
{
    m_awaitingCentre = false;
    if (showMessage) {
        m_ports.observer.showMessage(reason);
    }
    if (m_owner != nullptr) {
        m_owner->sendFailed(reason);
    }
}

// Answers to commands of the old connection will never come: a segment waiting for one is reported failed.
void GateLink::lostConnection()
{
    const bool sendWasPending =
        m_awaitingCentre || std::any_of(m_pending.cbegin(), m_pending.cend(), &GateLink::isSend);
    m_pending.clear();
    m_loggedIn = false;
    m_ports.timers.stop(GateTimer::Login);
    m_ports.timers.stop(GateTimer::Guard);
    m_ports.observer.gateNumberChanged(QString());
    if (sendWasPending) {
        failSend(notConnectedReason(), false);
    }
}

void GateLink::scheduleReconnect(int milliseconds)
{
    m_ports.timers.start(GateTimer::Connect, milliseconds);
}

int GateLink::slowRetryInterval() const
{
    return SlowRetryMs + m_ports.random(SlowRetrySpreadMs);
}

bool GateLink::isSend(const QString& command)
{
    return command.startsWith(u"aSMSS ");
}
