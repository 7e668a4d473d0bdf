#include "pbxsim/ControlInterpreter.h"

#include "pbxsim/ControlWords.h"
#include "pbxsim/Exchange.h"
#include "pbxsim/FaultModes.h"
#include "pbxsim/ReplyCodes.h"
#include "pbxsim/ReplyRules.h"
#include "pbxsim/SessionRegistry.h"
#include "pbxsim/WireText.h"

#include <QRegularExpression>
#include <array>
#include <optional>

namespace pbxsim {

namespace {

constexpr int DefaultGarbageBytes = 32;

std::optional<int> number(const QString& text, int minimum, int maximum)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum || value > maximum) {
        return std::nullopt;
    }
    return value;
}

// A time for wait and dial-delay.
std::optional<int> milliseconds(const QString& text)
{
    return number(text, 0, 600000);
}

const QString MillisecondsRange = QStringLiteral("MS must be a number from 0 to 600000");

bool isCommandWord(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^a?[A-Za-z]{2,8}$"));
    return pattern.match(text).hasMatch();
}

// On, off, or nothing for anything else.
std::optional<bool> switchValue(const QString& word)
{
    if (word == QLatin1String("on")) {
        return true;
    }
    if (word == QLatin1String("off")) {
        return false;
    }
    return std::nullopt;
}

ControlReply sentTo(int sessions)
{
    return sessions == 0 ? ControlReply::success(QStringLiteral("(no session)")) : ControlReply::success();
}

} // namespace

ControlInterpreter::ControlInterpreter(Exchange& exchange, SessionRegistry& registry, ReplyRules& rules,
                                       FaultModes& faults)
    : m_exchange(exchange)
    , m_registry(registry)
    , m_rules(rules)
    , m_faults(faults)
{
}

std::span<const ControlInterpreter::Command> ControlInterpreter::commands()
{
    using I = ControlInterpreter;
    static const std::array<Command, 26> table = {{
        {QLatin1String("ring"), 3, -1, true, &I::ring, QLatin1String("ring EXT NUMBER [NAME...]"),
         QLatin1String("a call from NUMBER rings (\\n in NAME is a line break, \\\\ a backslash)")},
        {QLatin1String("answer"), 2, 3, true, &I::answer, QLatin1String("answer EXT [NUMBER]"),
         QLatin1String("the ringing or dialled call connects (or one with NUMBER)")},
        {QLatin1String("release"), 2, 3, true, &I::release, QLatin1String("release EXT [CAUSE]"),
         QLatin1String("the other party hangs up (cause 16 by default)")},
        {QLatin1String("offhook"), 2, 2, true, &I::offHook, QLatin1String("offhook EXT"),
         QLatin1String("lift the handset: dial tone, or the ringing call is answered")},
        {QLatin1String("onhook"), 2, 2, true, &I::onHook, QLatin1String("onhook EXT"),
         QLatin1String("put the handset down: the call, if any, is released")},
        {QLatin1String("keypad"), 3, 3, true, &I::keypad, QLatin1String("keypad EXT DIGITS"),
         QLatin1String("dial on the desk phone, as aDIAL (digits or a flash sequence)")},
        {QLatin1String("system-phone"), 3, 3, true, &I::systemPhone, QLatin1String("system-phone EXT on|off"),
         QLatin1String("off: an analogue set, aPICK and aHANG get aNA 14")},
        {QLatin1String("show"), 2, 2, true, &I::show, QLatin1String("show EXT"),
         QLatin1String("the extension's hook, calls and features")},
        {QLatin1String("dial-delay"), 2, 2, false, &I::dialDelay, QLatin1String("dial-delay MS"),
         QLatin1String("time from the last dialled digit to the connection")},
        {QLatin1String("stat"), 3, -1, true, &I::stat, QLatin1String("stat EXT FLAGS"),
         QLatin1String("set and send the seven STAT flags, e.g. HfdlapR")},
        {QLatin1String("aoc"), 3, -1, true, &I::simpleEvent, QLatin1String("aoc EXT TEXT..."),
         QLatin1String("advice of charge")},
        {QLatin1String("echo"), 3, 3, true, &I::simpleEvent, QLatin1String("echo EXT DIGITS"),
         QLatin1String("an ECHO event alone (the model does not change)")},
        {QLatin1String("drdy"), 2, 2, true, &I::simpleEvent, QLatin1String("drdy EXT"),
         QLatin1String("a DRDY event alone (the model does not change)")},
        {QLatin1String("recb"), 3, -1, true, &I::simpleEvent, QLatin1String("recb EXT TEXT..."),
         QLatin1String("a recording began")},
        {QLatin1String("recc"), 3, -1, true, &I::simpleEvent, QLatin1String("recc EXT TEXT..."),
         QLatin1String("a recording changed")},
        {QLatin1String("rece"), 5, -1, true, &I::simpleEvent, QLatin1String("rece EXT F1 F2 NAME..."),
         QLatin1String("a recording ended")},
        {QLatin1String("send"), 3, -1, true, &I::send, QLatin1String("send EXT RAWLINE..."),
         QLatin1String("a raw line to the extension's sessions")},
        {QLatin1String("send-other"), 4, -1, true, &I::sendOther,
         QLatin1String("send-other EXT OTHEREXT TAG [PARAMETERS...]"),
         QLatin1String("an event naming another extension")},
        {QLatin1String("wait"), 2, 2, false, &I::wait, QLatin1String("wait MS"),
         QLatin1String("hold back the following commands of the same source")},
        {QLatin1String("rule"), 2, 5, false, &I::rule,
         QLatin1String("rule WORD na CODE [COUNT] | rule WORD error [COUNT] | rule WORD off | rule clear | rule list"),
         QLatin1String("force the replies to a command")},
        {QLatin1String("fault"), 3, 4, false, &I::fault,
         QLatin1String("fault full on|off | fault mute on|off | fault split BYTES [PAUSE_MS] | fault split off"),
         QLatin1String("refuse connections, go silent, or write lines in pieces")},
        {QLatin1String("drop"), 2, 2, true, &I::drop, QLatin1String("drop EXT"),
         QLatin1String("cut the extension's connections")},
        {QLatin1String("garbage"), 2, 3, true, &I::garbage, QLatin1String("garbage EXT [BYTES]"),
         QLatin1String("send random bytes")},
        {QLatin1String("sessions"), 1, 1, false, &I::sessions, QLatin1String("sessions"),
         QLatin1String("the logged-in extensions")},
        {QLatin1String("help"), 1, 1, false, &I::help, QLatin1String("help"), QLatin1String("the command list")},
        {QLatin1String("quit"), 1, 1, false, &I::quit, QLatin1String("quit"), QLatin1String("stop the stand-in")},
    }};
    return table;
}

QStringList ControlInterpreter::usages()
{
    QStringList lines;
    for (const Command& command : commands()) {
        lines.append(command.usage);
    }
    return lines;
}

QString ControlInterpreter::manual()
{
    QString text;
    for (const Command& command : commands()) {
        text += QStringLiteral("  ") + command.usage + QStringLiteral("\n      ") + command.summary + QLatin1Char('\n');
    }
    return text;
}

ControlReply ControlInterpreter::execute(const QString& line)
{
    const ControlWords words(line);
    const QString name = words.at(0);
    for (const Command& command : commands()) {
        if (name != command.name) {
            continue;
        }
        if (words.count() < command.minWords || (command.maxWords >= 0 && words.count() > command.maxWords)) {
            return usageOf(command.name);
        }
        QString extension;
        if (command.takesExtension) {
            extension = WireText::unpadField(words.at(1));
            if (!m_exchange.hasExtension(extension)) {
                return ControlReply::failure(QStringLiteral("unknown extension %1 (configured: %2)")
                                                 .arg(words.at(1), m_exchange.extensions().join(QLatin1Char(' '))));
            }
        }
        return (this->*command.handler)(words, extension);
    }
    if (m_extension) {
        if (std::optional<ControlReply> reply = m_extension(line)) {
            return *reply;
        }
    }
    return ControlReply::failure(QStringLiteral("unknown command \"%1\" (try help)").arg(name));
}

ControlReply ControlInterpreter::ring(const ControlWords& words, const QString& extension)
{
    if (!WireText::isPhoneNumber(words.at(2))) {
        return ControlReply::failure(QStringLiteral("invalid number %1").arg(words.at(2)));
    }
    switch (m_exchange.ring(extension, words.at(2), WireText::decodeEscapes(words.restFrom(3)))) {
    case Exchange::RingOutcome::Rung:
        break;
    case Exchange::RingOutcome::Busy:
        return ControlReply::failure(QStringLiteral("%1 is busy (%2)").arg(extension, describe(extension)));
    case Exchange::RingOutcome::DoNotDisturb:
        return ControlReply::failure(QStringLiteral("%1 does not want to be disturbed").arg(extension));
    }
    return delivered(extension);
}

ControlReply ControlInterpreter::answer(const ControlWords& words, const QString& extension)
{
    const QString party = words.at(2);
    if (!party.isEmpty() && !WireText::isPhoneNumber(party)) {
        return ControlReply::failure(QStringLiteral("invalid number %1").arg(party));
    }
    if (!m_exchange.answer(extension, party)) {
        return ControlReply::failure(QStringLiteral("no call on %1 to connect; give a NUMBER").arg(extension));
    }
    return delivered(extension);
}

ControlReply ControlInterpreter::release(const ControlWords& words, const QString& extension)
{
    const std::optional<int> cause = words.count() > 2 ? number(words.at(2), 0, 127) : Cause::NormalClearing;
    if (!cause) {
        return ControlReply::failure(QStringLiteral("CAUSE must be a number from 0 to 127"));
    }
    m_exchange.release(extension, *cause);
    return delivered(extension);
}

ControlReply ControlInterpreter::stat(const ControlWords& words, const QString& extension)
{
    if (!m_exchange.setStatFlags(extension, words.restFrom(2))) {
        return ControlReply::failure(QStringLiteral("FLAGS must be seven flags in the order HhO FfDd Ll Aa Pp r, "
                                                    "e.g. HfdlapR"));
    }
    return delivered(extension);
}

ControlReply ControlInterpreter::offHook(const ControlWords&, const QString& extension)
{
    if (m_exchange.liftHandset(extension) == Refusal::WrongHookState) {
        return ControlReply::success(QStringLiteral("(already off hook)"));
    }
    return delivered(extension);
}

ControlReply ControlInterpreter::onHook(const ControlWords&, const QString& extension)
{
    if (m_exchange.putDownHandset(extension) == Refusal::WrongHookState) {
        return ControlReply::success(QStringLiteral("(already on hook)"));
    }
    return delivered(extension);
}

// The keypad dials like aDIAL, flash sequences included, and is refused in the same cases.
ControlReply ControlInterpreter::keypad(const ControlWords& words, const QString& extension)
{
    if (!WireText::isDialString(words.at(2))) {
        return ControlReply::failure(QStringLiteral("DIGITS may hold 0-9, *, # and /"));
    }
    const int refusal = m_exchange.dial(extension, words.at(2));
    if (refusal != Refusal::None) {
        return ControlReply::failure(
            QStringLiteral("%1: %2; %3").arg(extension, Refusal::describe(refusal), describe(extension)));
    }
    return delivered(extension);
}

ControlReply ControlInterpreter::systemPhone(const ControlWords& words, const QString& extension)
{
    const std::optional<bool> present = switchValue(words.at(2));
    if (!present) {
        return usageOf(QLatin1String("system-phone"));
    }
    m_exchange.setSystemPhone(extension, *present);
    return ControlReply::success();
}

ControlReply ControlInterpreter::show(const ControlWords&, const QString& extension)
{
    return ControlReply::success(describe(extension));
}

ControlReply ControlInterpreter::dialDelay(const ControlWords& words, const QString&)
{
    const std::optional<int> delay = milliseconds(words.at(1));
    if (!delay) {
        return ControlReply::failure(MillisecondsRange);
    }
    m_exchange.setDialDelay(*delay);
    return ControlReply::success();
}

// aoc, echo, drdy, recb, recc and rece: an event of that tag carrying the rest of the line, model unchanged.
ControlReply ControlInterpreter::simpleEvent(const ControlWords& words, const QString& extension)
{
    const QString tag = words.at(0).toUpper();
    if (tag == QLatin1String("ECHO") && !WireText::isDialString(words.at(2))) {
        return ControlReply::failure(QStringLiteral("DIGITS may hold 0-9, *, # and /"));
    }
    return sentTo(m_registry.sendLine(extension, WireText::event(tag, extension, words.restFrom(2))));
}

ControlReply ControlInterpreter::send(const ControlWords& words, const QString& extension)
{
    return sentTo(m_registry.sendLine(extension, words.restFrom(2)));
}

ControlReply ControlInterpreter::sendOther(const ControlWords& words, const QString& extension)
{
    const QString other = WireText::unpadField(words.at(2));
    if (!WireText::isExtension(other)) {
        return ControlReply::failure(QStringLiteral("OTHEREXT must be one to four digits"));
    }
    const QString tag = ReplyRules::normaliseWord(words.at(3));
    return sentTo(m_registry.sendLine(extension, WireText::event(tag, other, words.restFrom(4))));
}

ControlReply ControlInterpreter::wait(const ControlWords& words, const QString&)
{
    const std::optional<int> delay = milliseconds(words.at(1));
    if (!delay) {
        return ControlReply::failure(MillisecondsRange);
    }
    ControlReply reply = ControlReply::success();
    reply.waitMs = *delay;
    return reply;
}

ControlReply ControlInterpreter::rule(const ControlWords& words, const QString&)
{
    const QString word = words.at(1);
    if (words.count() == 2 && word == QLatin1String("clear")) {
        m_rules.clear();
        return ControlReply::success();
    }
    if (words.count() == 2 && word == QLatin1String("list")) {
        return ControlReply::success(m_rules.describe().join(QStringLiteral(", ")));
    }
    if (!isCommandWord(word) || words.count() < 3) {
        return usageOf(QLatin1String("rule"));
    }
    if (words.count() == 3 && words.at(2) == QLatin1String("off")) {
        m_rules.remove(word);
        return ControlReply::success();
    }
    return setRule(word, words);
}

ControlReply ControlInterpreter::setRule(const QString& word, const ControlWords& words)
{
    const QString kind = words.at(2);
    const bool refusal = kind == QLatin1String("na");
    if (!refusal && kind != QLatin1String("error")) {
        return ControlReply::failure(QStringLiteral("a rule answers \"na CODE\" or \"error\""));
    }
    const std::optional<int> code = refusal ? number(words.at(3), 0, 999) : 0;
    if (!code) {
        return ControlReply::failure(QStringLiteral("CODE must be a number from 0 to 999"));
    }
    const qsizetype countIndex = refusal ? 4 : 3;
    if (words.count() > countIndex + 1) {
        return ControlReply::failure(QStringLiteral("too many words after the rule"));
    }
    const std::optional<int> count =
        words.count() > countIndex ? number(words.at(countIndex), 1, 1000000) : ReplyRules::Always;
    if (!count) {
        return ControlReply::failure(QStringLiteral("COUNT must be a number from 1 to 1000000"));
    }
    const QString reply = refusal ? QStringLiteral("aNA ") + QString::number(*code) : QStringLiteral("aERROR");
    m_rules.set(word, reply, *count);
    return ControlReply::success();
}

ControlReply ControlInterpreter::fault(const ControlWords& words, const QString&)
{
    const QString kind = words.at(1);
    if (kind == QLatin1String("split")) {
        return setSplit(words);
    }
    const std::optional<bool> on = switchValue(words.at(2));
    if (!on || words.count() != 3 || (kind != QLatin1String("full") && kind != QLatin1String("mute"))) {
        return usageOf(QLatin1String("fault"));
    }
    (kind == QLatin1String("full") ? m_faults.full : m_faults.mute) = *on;
    return ControlReply::success();
}

ControlReply ControlInterpreter::setSplit(const ControlWords& words)
{
    if (words.count() == 3 && words.at(2) == QLatin1String("off")) {
        m_faults.splitBytes = 0;
        return ControlReply::success();
    }
    const std::optional<int> bytes = number(words.at(2), 1, 4096);
    const std::optional<int> pause = words.count() > 3 ? number(words.at(3), 0, 10000) : m_faults.splitPauseMs;
    if (!bytes || !pause) {
        return ControlReply::failure(QStringLiteral("usage: fault split BYTES (1-4096) [PAUSE_MS (0-10000)]"));
    }
    m_faults.splitBytes = *bytes;
    m_faults.splitPauseMs = *pause;
    return ControlReply::success();
}

ControlReply ControlInterpreter::drop(const ControlWords&, const QString& extension)
{
    return ControlReply::success(QString::number(m_registry.drop(extension)));
}

ControlReply ControlInterpreter::garbage(const ControlWords& words, const QString& extension)
{
    const std::optional<int> size = words.count() > 2 ? number(words.at(2), 8, 65536) : DefaultGarbageBytes;
    if (!size) {
        return ControlReply::failure(QStringLiteral("BYTES must be a number from 8 to 65536"));
    }
    return sentTo(m_registry.sendRaw(extension, WireText::garbage(*size), QStringLiteral("garbage")));
}

ControlReply ControlInterpreter::sessions(const ControlWords&, const QString&)
{
    return ControlReply::success(m_registry.loggedInExtensions().join(QLatin1Char(' ')));
}

ControlReply ControlInterpreter::help(const ControlWords&, const QString&)
{
    return ControlReply::success(usages().join(QStringLiteral("; ")));
}

ControlReply ControlInterpreter::quit(const ControlWords&, const QString&)
{
    ControlReply reply = ControlReply::success();
    reply.quit = true;
    return reply;
}

ControlReply ControlInterpreter::usageOf(QLatin1String name)
{
    for (const Command& command : commands()) {
        if (command.name == name) {
            return ControlReply::failure(QStringLiteral("usage: ") + command.usage);
        }
    }
    return ControlReply::failure(QStringLiteral("unknown command"));
}

QString ControlInterpreter::describe(const QString& extension) const
{
    const ExtensionState* state = m_exchange.state(extension);
    return state == nullptr ? QString() : state->describe();
}

ControlReply ControlInterpreter::delivered(const QString& extension) const
{
    return sentTo(int(m_registry.sessionsOf(extension).size()));
}

} // namespace pbxsim
