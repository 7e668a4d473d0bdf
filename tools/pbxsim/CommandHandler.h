#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace pbxsim {

class Exchange;
class PbxSession;
class ReplyRules;

// Carries out the client's protocol commands for a session: checks the login and the parameters, sends the one
// reply ("aOK", "aERROR" or "aNA code"; none for aRQST), then lets the exchange make the change, whose events
// follow the reply. A matching reply rule answers instead and changes nothing.
class CommandHandler final {
public:
    // loginReply is the whole success reply to aLOGI, e.g. "aOK Tolmo 1.45 9".
    CommandHandler(Exchange& exchange, ReplyRules& rules, const QString& loginReply);

    void handle(PbxSession& session, const QString& line);

private:
    struct Command {
        QString word;
        QString extension;  // unpadded
        QStringList fields; // all fields, fields[0] is the word
        QString field(qsizetype index) const { return fields.value(index); }
    };
    using Action = void (CommandHandler::*)(PbxSession&, const Command&);

    void logIn(PbxSession& session, const Command& command);
    void logOut(PbxSession& session, const Command& command);
    void pickUp(PbxSession& session, const Command& command);
    void hangUp(PbxSession& session, const Command& command);
    void dial(PbxSession& session, const Command& command);
    void reject(PbxSession& session, const Command& command);
    void forward(PbxSession& session, const Command& command);
    void doNotDisturb(PbxSession& session, const Command& command);
    void lock(PbxSession& session, const Command& command);
    void accountCode(PbxSession& session, const Command& command);
    void requestStat(PbxSession& session, const Command& command);
    void acknowledge(PbxSession& session, const Command& command);

    Exchange& m_exchange;
    ReplyRules& m_rules;
    QString m_loginReply;
    QHash<QString, Action> m_actions;
};

} // namespace pbxsim
