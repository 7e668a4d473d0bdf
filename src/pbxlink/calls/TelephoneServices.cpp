#include "pbxlink/calls/TelephoneServices.h"

#include "pbxlink/calls/DialLimit.h"
#include "pbxlink/calls/SpeedDialConverter.h"
#include "pbxlink/lifecycle/LinkDialogsPort.h"
#include "pbxlink/lifecycle/LinkNotices.h"
#include "pbxlink/lifecycle/WindowState.h"
#include "pbxlink/protocol/ExtensionField.h"
#include "pbxlink/protocol/LineDispatcher.h"
#include "settings/Const.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

#include <array>

namespace {

// The forwarding kinds and the calls they apply to, by the settings' index. Values outside the lists take the
// first (unconditional forwarding of all calls).
constexpr std::array<char16_t, 4> ForwardingKinds = {u'I', u'R', u'B', u'N'};
constexpr std::array<char16_t, 4> ForwardedCalls = {u'A', u'I', u'O', u'T'};

QChar pick(const std::array<char16_t, 4>& choices, int index)
{
    return QChar(index >= 0 && index < static_cast<int>(choices.size()) ? choices[static_cast<std::size_t>(index)]
                                                                        : choices[0]);
}

} // namespace

TelephoneServices::TelephoneServices(Collaborators collaborators)
    : m_c(std::move(collaborators))
{
}

QString TelephoneServices::command(const char16_t* word) const
{
    return QString::fromUtf16(word) + u' ' + ExtensionField::pad(m_c.settings.Siec.TelNr);
}

bool TelephoneServices::send(const QString& command)
{
    return m_c.dispatcher.sendQueued(command);
}

bool TelephoneServices::answer()
{
    // The user's own pick-up: a refusal of it is reported, not taken for a pick-up to dial.
    m_c.state.pickUpForDialling = false;
    return takeLine();
}

bool TelephoneServices::takeLine()
{
    const LineFlags& flags = m_c.state.flags;
    if (flags.dialAfterPickUp || flags.connected || flags.offHook) {
        return true;
    }
    return send(command(u"aPICK"));
}

bool TelephoneServices::putDown()
{
    m_c.state.rememberedDigits.clear();
    m_c.state.flags.dialAfterPickUp = false;
    m_c.state.pickUpForDialling = false;
    if (!m_c.state.flags.offHook) {
        return true;
    }
    return send(command(u"aHANG"));
}

bool TelephoneServices::reject()
{
    return m_c.state.flags.ringing && send(command(u"aREJ"));
}

bool TelephoneServices::deflect(const QString& number)
{
    return m_c.state.flags.ringing && send(command(u"aREJ") + u' ' + number);
}

bool TelephoneServices::dialDigits(const QString& digits)
{
    if (m_c.state.flags.offHook) {
        return dial(digits);
    }
    m_c.state.pickUpForDialling = true;
    if (!takeLine()) {
        return false;
    }
    m_c.state.flags.dialAfterPickUp = true;
    m_c.state.rememberedDigits = digits;
    return true;
}

bool TelephoneServices::dial(const QString& digits)
{
    if (m_c.state.flags.dialAfterPickUp || m_c.state.flags.ringing) {
        return false;
    }
    const int maximum = maximumDigits();
    if (DialLimit::countedDigits(digits) > maximum) {
        send(command(u"aHANG"));
        m_c.dialogs.showWarning(QLatin1String(Const::ProductName),
                                Lang::_("Number can't consist of more than %d digits.")
                                    .replace(QStringLiteral("%d"), QString::number(maximum)));
        return false;
    }
    const QString sent = m_c.settings.SpeedDialConversion ? SpeedDialConverter::toSpeedDial(digits) : digits;
    if (!send(command(u"aDIAL") + u' ' + sent)) {
        return false;
    }
    m_c.state.flags.inConversation = true;
    m_c.state.flags.dialAfterPickUp = false;
    m_c.state.pickUpForDialling = false;
    m_c.state.rememberedDigits.clear();
    emit m_c.notices.windowStateChosen(WindowState::Dialling);
    if (m_c.state.record.closed && opensRecord(digits)) {
        openDialledRecord(digits);
    }
    return true;
}

bool TelephoneServices::opensRecord(const QString& digits) const
{
    if (digits == u"/") {
        return false;
    }
    return !digits.contains(u'#') || m_c.settings.Konta.AccHistory || digits.trimmed().startsWith(u"#*");
}

void TelephoneServices::openDialledRecord(const QString& digits)
{
    QString number = digits.section(u' ', 0, 0);
    const QString& outsideLine = m_c.settings.Ksiazka.LiniaZew1;
    if (!m_c.settings.Ksiazka.GorLinia && !outsideLine.isEmpty() && number.startsWith(outsideLine)) {
        number.remove(0, 1);
    }
    CallRecord& record = m_c.state.record;
    record.type = CallType::OutgoingDialling;
    record.start = m_c.clock.now();
    record.number = number;
    record.closed = false;
}

bool TelephoneServices::flash()
{
    return m_c.dispatcher.sendRaw(command(u"aDIAL") + QStringLiteral(" /"));
}

bool TelephoneServices::conference()
{
    const QString type = m_c.pbxType();
    const bool featureCodes =
        type.compare(u"Vexa", Qt::CaseInsensitive) == 0 || type.compare(u"Ambra", Qt::CaseInsensitive) == 0;
    return dialDigits(featureCodes ? QStringLiteral("/#41") : QStringLiteral("/3"));
}

bool TelephoneServices::maliciousCall()
{
    const LineFlags& flags = m_c.state.flags;
    return (flags.wasRinging || flags.connected) && send(command(u"aMCID"));
}

bool TelephoneServices::setDoNotDisturb(bool on)
{
    return send(command(u"aDND") + (on ? QStringLiteral(" T") : QStringLiteral(" F")));
}

bool TelephoneServices::setLock(bool lock, const QString& pin)
{
    return send(command(u"aLOCK") + (lock ? QStringLiteral(" T ") : QStringLiteral(" F ")) + ExtensionField::pad(pin));
}

bool TelephoneServices::accountOn(const QString& account, const QString& pin)
{
    return send(command(u"aACC") + QStringLiteral(" T ") + ExtensionField::pad(account) + u' ' + pin);
}

bool TelephoneServices::accountOff()
{
    return send(command(u"aACC") + QStringLiteral(" F"));
}

bool TelephoneServices::setForwarding(bool on)
{
    if (!on) {
        m_c.state.forwardingSetByClient = false;
        return send(command(u"aFWD") + QStringLiteral(" D"));
    }
    m_c.state.forwardingSetByClient = true;
    const auto& forwarding = m_c.settings.Przeniesienie;
    if (forwarding.NaNr.isEmpty()) {
        return false;
    }
    return send(command(u"aFWD") + u' ' + pick(ForwardingKinds, forwarding.SposPrzen) + u' ' +
                pick(ForwardedCalls, forwarding.SposWywol) + u' ' + QString::number(forwarding.IlDzwonk) + u' ' +
                forwarding.NaNr);
}

bool TelephoneServices::requestState()
{
    return send(command(u"aRQST"));
}

bool TelephoneServices::logOut()
{
    return send(command(u"aLOGO"));
}

int TelephoneServices::maximumDigits() const
{
    return DialLimit::maximumDigits(m_c.pbxType(), m_c.pbxVersion());
}
