#pragma once

#include "pbxsim/ControlReply.h"

#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>

namespace pbxsim {

class ControlWords;
class Exchange;
class ReplyRules;
class SessionRegistry;
struct FaultModes;

// The operator's control language, the same for script files, standard input and the control socket: one command
// per line ("ring 21 600123 Jan Nowak", "offhook 21", "keypad 21 600", "rule DIAL na 4 2", "fault split 3", ...).
// The operator plays the callers and far parties, and the person at the desk phone. A malformed line, or one the
// exchange refuses, is answered with an error and changes nothing.
class ControlInterpreter final {
public:
    ControlInterpreter(Exchange& exchange, SessionRegistry& registry, ReplyRules& rules, FaultModes& faults);

    ControlReply execute(const QString& line);
    // Asked for the words this interpreter does not know.
    void setExtension(std::function<std::optional<ControlReply>(const QString&)> extension)
    {
        m_extension = std::move(extension);
    }
    // One usage line per command.
    static QStringList usages();
    // Each command's usage and what it does, indented for a help text.
    static QString manual();

private:
    using Handler = ControlReply (ControlInterpreter::*)(const ControlWords&, const QString&);
    struct Command {
        QLatin1String name;
        qsizetype minWords;
        qsizetype maxWords;  // -1: free text to the end of the line
        bool takesExtension; // the second word is a configured extension, handed to the handler unpadded
        Handler handler;
        QLatin1String usage;
        QLatin1String summary;
    };
    static std::span<const Command> commands();
    static ControlReply usageOf(QLatin1String name);

    ControlReply ring(const ControlWords& words, const QString& extension);
    ControlReply answer(const ControlWords& words, const QString& extension);
    ControlReply release(const ControlWords& words, const QString& extension);
    ControlReply stat(const ControlWords& words, const QString& extension);
    ControlReply offHook(const ControlWords& words, const QString& extension);
    ControlReply onHook(const ControlWords& words, const QString& extension);
    ControlReply keypad(const ControlWords& words, const QString& extension);
    ControlReply systemPhone(const ControlWords& words, const QString& extension);
    ControlReply show(const ControlWords& words, const QString& extension);
    ControlReply dialDelay(const ControlWords& words, const QString& extension);
    ControlReply simpleEvent(const ControlWords& words, const QString& extension);
    ControlReply send(const ControlWords& words, const QString& extension);
    ControlReply sendOther(const ControlWords& words, const QString& extension);
    ControlReply wait(const ControlWords& words, const QString& extension);
    ControlReply rule(const ControlWords& words, const QString& extension);
    ControlReply fault(const ControlWords& words, const QString& extension);
    ControlReply drop(const ControlWords& words, const QString& extension);
    ControlReply garbage(const ControlWords& words, const QString& extension);
    ControlReply sessions(const ControlWords& words, const QString& extension);
    ControlReply help(const ControlWords& words, const QString& extension);
    ControlReply quit(const ControlWords& words, const QString& extension);

    ControlReply setRule(const QString& word, const ControlWords& words);
    ControlReply setSplit(const ControlWords& words);
    QString describe(const QString& extension) const;
    // "ok", noting when no session is logged in as the extension to see the effect.
    ControlReply delivered(const QString& extension) const;

    Exchange& m_exchange;
    SessionRegistry& m_registry;
    ReplyRules& m_rules;
    FaultModes& m_faults;
    std::function<std::optional<ControlReply>(const QString&)> m_extension;
};

} // namespace pbxsim
