#include "pbxsim/CommandHandler.h"

#include "pbxsim/Exchange.h"
#include "pbxsim/GateHandler.h"
#include "pbxsim/PbxSession.h"
#include "pbxsim/ReplyCodes.h"
#include "pbxsim/ReplyRules.h"
#include "pbxsim/WireText.h"

#include <QRegularExpression>
#include <optional>

namespace pbxsim {

namespace {

QString ok()
{
    return QStringLiteral("aOK");
}

QString refusal(int code)
{
    return QStringLiteral("aNA ") + QString::number(code);
}

bool isCommandWord(const QString& word)
{
    static const QRegularExpression pattern(QStringLiteral("^a[A-Z]+$"));
    return pattern.match(word).hasMatch();
}

// "T" or "F"; nothing for anything else.
std::optional<bool> switchValue(const QString& field)
{
    if (field == QLatin1String("T")) {
        return true;
    }
    if (field == QLatin1String("F")) {
        return false;
    }
    return std::nullopt;
}

// The fields of "aFWD ext kind condition time number": kind I (unconditional), R (unanswered), B (busy) or N (on
// DND); condition A (all calls), I (internal), O (direct) or T (announced); time a decimal count of rings.
bool isForwardingRule(const QStringList& fields)
{
    static const QRegularExpression kind(QStringLiteral("^[IRBN]$"));
    static const QRegularExpression condition(QStringLiteral("^[AIOT]$"));
    static const QRegularExpression time(QStringLiteral("^[0-9]{1,3}$"));
    return fields.size() == 6 && kind.match(fields[2]).hasMatch() && condition.match(fields[3]).hasMatch() &&
           time.match(fields[4]).hasMatch() && WireText::isPhoneNumber(fields[5]);
}

} // namespace

CommandHandler::CommandHandler(Exchange& exchange, ReplyRules& rules, const QString& loginReply)
    : m_exchange(exchange)
    , m_rules(rules)
    , m_loginReply(loginReply)
    , m_actions{
          {QStringLiteral("aPICK"), &CommandHandler::pickUp},        {QStringLiteral("aHANG"), &CommandHandler::hangUp},
          {QStringLiteral("aDIAL"), &CommandHandler::dial},          {QStringLiteral("aREJ"), &CommandHandler::reject},
          {QStringLiteral("aMCID"), &CommandHandler::maliciousCall}, {QStringLiteral("aFWD"), &CommandHandler::forward},
          {QStringLiteral("aDND"), &CommandHandler::doNotDisturb},   {QStringLiteral("aLOCK"), &CommandHandler::lock},
          {QStringLiteral("aACC"), &CommandHandler::accountCode},
      }
{
}

void CommandHandler::handle(PbxSession& session, const QString& line)
{
    if (m_gate != nullptr && m_gate->handle(session, line)) {
        return;
    }
    Command command;
    command.fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    command.word = command.fields.value(0);
    command.extension = WireText::unpadField(command.field(1));
    if (!isCommandWord(command.word)) {
        session.sendLine(QStringLiteral("aERROR"));
        return;
    }
    if (const std::optional<QString> forced = m_rules.take(command.word)) {
        session.sendLine(*forced);
        return;
    }
    if (command.word == QLatin1String("aLOGI")) {
        logIn(session, command);
        return;
    }
    const bool isRequest = command.word == QLatin1String("aRQST");
    // A command for another extension than the session's counts as not logged in (for that extension).
    if (!session.isLoggedIn() || command.extension != session.extension()) {
        if (!isRequest) {
            session.sendLine(refusal(Refusal::NotLoggedIn));
        }
        return;
    }
    if (isRequest) {
        m_exchange.sendStat(command.extension);
    } else if (command.word == QLatin1String("aLOGO")) {
        logOut(session);
    } else {
        carryOut(session, command);
    }
}

void CommandHandler::logIn(PbxSession& session, const Command& command)
{
    if (command.fields.size() < 2) {
        session.sendLine(refusal(Refusal::InvalidParameters));
        return;
    }
    const int code = m_exchange.loginRefusal(command.extension, WireText::unpadField(command.field(2)));
    if (code != Refusal::None) {
        session.sendLine(refusal(code));
        return;
    }
    session.logIn(command.extension);
    session.sendLine(m_loginReply);
}

void CommandHandler::logOut(PbxSession& session)
{
    session.sendLine(ok());
    session.logOut();
}

// The exchange's events wait until the reply is written.
void CommandHandler::carryOut(PbxSession& session, const Command& command)
{
    const Exchange::EventHold hold(m_exchange);
    const Action action = m_actions.value(command.word, &CommandHandler::acknowledge);
    const int code = (this->*action)(command);
    session.sendLine(code == Refusal::None ? ok() : refusal(code));
}

int CommandHandler::pickUp(const Command& command)
{
    return m_exchange.pickUp(command.extension);
}

int CommandHandler::hangUp(const Command& command)
{
    return m_exchange.hangUp(command.extension);
}

int CommandHandler::dial(const Command& command)
{
    if (command.fields.size() != 3) {
        return Refusal::InvalidParameters;
    }
    return m_exchange.dial(command.extension, command.field(2));
}

// "aREJ ext" rejects the ringing call, "aREJ ext number" deflects it.
int CommandHandler::reject(const Command& command)
{
    if (command.fields.size() > 3) {
        return Refusal::InvalidParameters;
    }
    return m_exchange.reject(command.extension, command.field(2));
}

int CommandHandler::maliciousCall(const Command& command)
{
    return m_exchange.markMaliciousCall(command.extension);
}

// "aFWD ext D" cancels; "aFWD ext kind condition time number" sets.
int CommandHandler::forward(const Command& command)
{
    if (command.fields.size() == 3 && command.field(2) == QLatin1String("D")) {
        m_exchange.setForwarding(command.extension, QString());
        return Refusal::None;
    }
    if (!isForwardingRule(command.fields)) {
        return Refusal::InvalidParameters;
    }
    if (command.field(5) == command.extension) {
        return Refusal::InvalidNumber;
    }
    m_exchange.setForwarding(command.extension, command.fields.mid(2).join(QLatin1Char(' ')));
    return Refusal::None;
}

int CommandHandler::doNotDisturb(const Command& command)
{
    const std::optional<bool> on = switchValue(command.field(2));
    if (!on) {
        return Refusal::InvalidParameters;
    }
    m_exchange.setDoNotDisturb(command.extension, *on);
    return Refusal::None;
}

// "aLOCK ext T|F pin4": the PIN is the extension's own.
int CommandHandler::lock(const Command& command)
{
    const std::optional<bool> on = switchValue(command.field(2));
    if (!on) {
        return Refusal::InvalidParameters;
    }
    return m_exchange.setLocked(command.extension, *on, WireText::unpadField(command.field(3)));
}

// "aACC ext T acc4 pin" enters an account code, "aACC ext F" clears it.
int CommandHandler::accountCode(const Command& command)
{
    const std::optional<bool> on = switchValue(command.field(2));
    if (!on || (*on && command.fields.size() != 5)) {
        return Refusal::InvalidParameters;
    }
    if (!*on) {
        m_exchange.clearAccountCode(command.extension);
        return Refusal::None;
    }
    return m_exchange.setAccountCode(command.extension, WireText::unpadField(command.field(3)),
                                     WireText::unpadField(command.field(4)));
}

// Commands the stand-in does not model are accepted.
int CommandHandler::acknowledge(const Command&)
{
    return Refusal::None;
}

} // namespace pbxsim
