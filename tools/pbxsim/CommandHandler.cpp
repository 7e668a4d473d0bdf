#include "pbxsim/CommandHandler.h"

#include "pbxsim/Exchange.h"
#include "pbxsim/PbxSession.h"
#include "pbxsim/ReplyRules.h"
#include "pbxsim/WireText.h"

#include <QRegularExpression>
#include <optional>

namespace pbxsim {

namespace {

constexpr int NotLoggedIn = 1;
constexpr int NoCall = 3;
constexpr int InvalidParameters = 9;
constexpr int InvalidPin = 11;

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

} // namespace

CommandHandler::CommandHandler(Exchange& exchange, ReplyRules& rules, const QString& loginReply)
    : m_exchange(exchange)
    , m_rules(rules)
    , m_loginReply(loginReply)
    , m_actions{
          {QStringLiteral("aLOGO"), &CommandHandler::logOut},
          {QStringLiteral("aPICK"), &CommandHandler::pickUp},
          {QStringLiteral("aHANG"), &CommandHandler::hangUp},
          {QStringLiteral("aDIAL"), &CommandHandler::dial},
          {QStringLiteral("aREJ"), &CommandHandler::reject},
          {QStringLiteral("aFWD"), &CommandHandler::forward},
          {QStringLiteral("aDND"), &CommandHandler::doNotDisturb},
          {QStringLiteral("aLOCK"), &CommandHandler::lock},
          {QStringLiteral("aACC"), &CommandHandler::accountCode},
          {QStringLiteral("aRQST"), &CommandHandler::requestStat},
      }
{
}

void CommandHandler::handle(PbxSession& session, const QString& line)
{
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
            session.sendLine(refusal(NotLoggedIn));
        }
        return;
    }
    const Action action = m_actions.value(command.word, &CommandHandler::acknowledge);
    (this->*action)(session, command);
}

void CommandHandler::logIn(PbxSession& session, const Command& command)
{
    if (command.fields.size() < 2) {
        session.sendLine(refusal(InvalidParameters));
        return;
    }
    const int code = m_exchange.loginRefusal(command.extension, WireText::unpadField(command.field(2)));
    if (code != 0) {
        session.sendLine(refusal(code));
        return;
    }
    session.logIn(command.extension);
    session.sendLine(m_loginReply);
}

void CommandHandler::logOut(PbxSession& session, const Command&)
{
    session.sendLine(ok());
    session.logOut();
}

void CommandHandler::pickUp(PbxSession& session, const Command& command)
{
    session.sendLine(ok());
    m_exchange.pickUp(command.extension);
}

void CommandHandler::hangUp(PbxSession& session, const Command& command)
{
    session.sendLine(ok());
    m_exchange.hangUp(command.extension);
}

void CommandHandler::dial(PbxSession& session, const Command& command)
{
    const QString digits = command.field(2);
    if (!WireText::isDialString(digits)) {
        session.sendLine(refusal(InvalidParameters));
        return;
    }
    session.sendLine(ok());
    m_exchange.dial(command.extension, digits);
}

// Rejecting and deflecting to a number ("aREJ ext number") both end the ringing call here.
void CommandHandler::reject(PbxSession& session, const Command& command)
{
    if (!m_exchange.isRinging(command.extension)) {
        session.sendLine(refusal(NoCall));
        return;
    }
    session.sendLine(ok());
    m_exchange.reject(command.extension);
}

// "aFWD ext D" cancels; "aFWD ext kind condition time number" sets.
void CommandHandler::forward(PbxSession& session, const Command& command)
{
    const bool cancel = command.fields.size() == 3 && command.field(2) == QLatin1String("D");
    if (!cancel && command.fields.size() < 7) {
        session.sendLine(refusal(InvalidParameters));
        return;
    }
    session.sendLine(ok());
    m_exchange.setForwarding(command.extension, !cancel);
}

void CommandHandler::doNotDisturb(PbxSession& session, const Command& command)
{
    const std::optional<bool> on = switchValue(command.field(2));
    if (!on) {
        session.sendLine(refusal(InvalidParameters));
        return;
    }
    session.sendLine(ok());
    m_exchange.setDoNotDisturb(command.extension, *on);
}

void CommandHandler::lock(PbxSession& session, const Command& command)
{
    const std::optional<bool> on = switchValue(command.field(2));
    if (!on) {
        session.sendLine(refusal(InvalidParameters));
        return;
    }
    if (!m_exchange.pinMatches(command.extension, WireText::unpadField(command.field(3)))) {
        session.sendLine(refusal(InvalidPin));
        return;
    }
    session.sendLine(ok());
    m_exchange.setLocked(command.extension, *on);
}

// "aACC ext T acc4 pin" enters an account code, "aACC ext F" clears it.
void CommandHandler::accountCode(PbxSession& session, const Command& command)
{
    const std::optional<bool> on = switchValue(command.field(2));
    if (!on || (*on && command.fields.size() < 5)) {
        session.sendLine(refusal(InvalidParameters));
        return;
    }
    session.sendLine(ok());
    m_exchange.setAccountCode(command.extension, *on);
}

void CommandHandler::requestStat(PbxSession&, const Command& command)
{
    m_exchange.sendStat(command.extension);
}

void CommandHandler::acknowledge(PbxSession& session, const Command&)
{
    session.sendLine(ok());
}

} // namespace pbxsim
