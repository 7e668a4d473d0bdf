#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace pbxsim {

class Exchange;
class GateHandler;
class PbxSession;
class ReplyRules;

// Carries out the client's protocol commands for a session: checks the login and the parameters, lets the exchange
// decide and make the change, and sends the one reply ("aOK", "aERROR" or "aNA code"; none for aRQST) ahead of the
// events the change caused. A matching reply rule answers instead and changes nothing.
class CommandHandler final {
public:
    // loginReply is the whole success reply to aLOGI, e.g. "aOK Tolmo 1.45 9".
    CommandHandler(Exchange& exchange, ReplyRules& rules, const QString& loginReply);

    void handle(PbxSession& session, const QString& line);
    // Lines addressed to a GSM gate ("aLOGI G007 ...") go to it.
    void setGate(GateHandler* gate) { m_gate = gate; }

private:
    struct Command {
        QString word;
        QString extension;  // unpadded
        QStringList fields; // all fields, fields[0] is the word
        QString field(qsizetype index) const { return fields.value(index); }
    };
    // Each returns Refusal::None when the command was carried out, else the refusal code.
    using Action = int (CommandHandler::*)(const Command&);

    void logIn(PbxSession& session, const Command& command);
    void logOut(PbxSession& session);
    void carryOut(PbxSession& session, const Command& command);

    int pickUp(const Command& command);
    int hangUp(const Command& command);
    int dial(const Command& command);
    int reject(const Command& command);
    int maliciousCall(const Command& command);
    int forward(const Command& command);
    int doNotDisturb(const Command& command);
    int lock(const Command& command);
    int accountCode(const Command& command);
    int acknowledge(const Command& command);

    Exchange& m_exchange;
    ReplyRules& m_rules;
    QString m_loginReply;
    QHash<QString, Action> m_actions;
    GateHandler* m_gate = nullptr;
};

} // namespace pbxsim
