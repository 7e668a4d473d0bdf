#include "pbxsim/ExtensionState.h"

#include <QStringList>
#include <array>

namespace pbxsim {

namespace {

QChar flag(bool on, char16_t letter)
{
    const QChar lower(letter);
    return on ? lower.toUpper() : lower;
}

// The letter of each STAT position after the hook; upper case means on.
constexpr std::array<char16_t, 5> Letters = {u'f', u'd', u'l', u'a', u'p'};

} // namespace

QString ExtensionState::statFlags() const
{
    const QChar hookFlag = hook == Hook::Off ? u'H' : hook == Hook::On ? u'h' : u'o';
    const std::array<bool, Letters.size()> values = {forwarding, doNotDisturb, locked, accountCode, parked};
    QString text(hookFlag);
    text += QLatin1Char(' ');
    for (std::size_t i = 0; i < Letters.size(); ++i) {
        text += flag(values[i], Letters[i]);
        text += QLatin1Char(' ');
    }
    return text + reserved + QLatin1Char(' ');
}

bool ExtensionState::applyStatFlags(QStringView flags)
{
    QString compact;
    for (const QChar c : flags) {
        if (c != u' ') {
            compact += c;
        }
    }
    if (compact.size() != 7 || QStringLiteral("Hho").indexOf(compact[0]) < 0 || compact[6].toLower() != u'r') {
        return false;
    }
    for (std::size_t i = 0; i < Letters.size(); ++i) {
        if (compact[qsizetype(i) + 1].toLower() != QChar(Letters[i])) {
            return false;
        }
    }
    hook = compact[0] == u'H' ? Hook::Off : compact[0] == u'h' ? Hook::On : Hook::Unknown;
    const std::array<bool*, Letters.size()> targets = {&forwarding, &doNotDisturb, &locked, &accountCode, &parked};
    for (std::size_t i = 0; i < Letters.size(); ++i) {
        *targets[i] = compact[qsizetype(i) + 1].isUpper();
    }
    reserved = compact[6];
    return true;
}

QString ExtensionState::describe() const
{
    QStringList parts;
    parts.append(hook == Hook::Off  ? QStringLiteral("off hook")
                 : hook == Hook::On ? QStringLiteral("on hook")
                                    : QStringLiteral("hook unknown"));
    switch (call) {
    case Call::Idle:
        parts.append(QStringLiteral("idle"));
        break;
    case Call::Ringing:
        parts.append(QStringLiteral("ringing from ") + peer);
        break;
    case Call::Dialling:
        parts.append(QStringLiteral("dialling ") + peer);
        break;
    case Call::Connected:
        parts.append(QStringLiteral("connected to ") + peer);
        break;
    }
    const auto add = [&parts](bool present, const QString& text) {
        if (present) {
            parts.append(text);
        }
    };
    add(!conference.isEmpty(), QStringLiteral("conference with ") + conference.join(QLatin1Char(',')));
    add(!waitingPeer.isEmpty(), QStringLiteral("waiting ") + waitingPeer);
    add(!heldPeer.isEmpty(), QStringLiteral("held ") + heldPeer);
    add(!parkedPeer.isEmpty(), QStringLiteral("parked ") + parkedPeer);
    add(forwarding, (QStringLiteral("forwarding ") + forwardingRule).trimmed());
    add(doNotDisturb, QStringLiteral("dnd"));
    add(locked, QStringLiteral("locked"));
    add(accountCode, (QStringLiteral("account ") + account).trimmed());
    add(!systemPhone, QStringLiteral("no system phone"));
    return parts.join(QStringLiteral(", "));
}

} // namespace pbxsim
