#include "pbxlink/calls/ServiceReplies.h"

#include "pbxlink/calls/CallPorts.h"
#include "pbxlink/calls/CallState.h"
#include "pbxlink/calls/TelephoneServices.h"
#include "pbxlink/lifecycle/LinkDialogsPort.h"
#include "pbxlink/lifecycle/LinkNotices.h"
#include "pbxlink/lifecycle/WindowState.h"
#include "pbxlink/protocol/PbxReply.h"
#include "settings/Const.h"
#include "settings/Lang.h"

namespace {

// The code of a refused hang-up when the line is already free: the client asks for the extension's state.
constexpr int NothingToHangUp = 2;
// The code of a refused hang-up when no system telephone is on the extension.
constexpr int NoSystemPhone = 14;

QString applicationTitle()
{
    return QLatin1String(Const::ApplicationTitle);
}

// The titles and fallback messages of the services whose refusals have their own texts.
struct ServiceTexts {
    const char16_t* command;
    const char* title;
    const char* fallback;
};

const ServiceTexts* textsFor(QStringView command)
{
    static const ServiceTexts texts[] = {
        {u"aREJ", QT_TR_NOOP("Forward"), QT_TR_NOOP("Call transfer is unavailable")},
        {u"aMCID", QT_TR_NOOP("Malicious call"), QT_TR_NOOP("Malicious call service is unavailable")},
        {u"aDND", QT_TR_NOOP("Do not disturb"), QT_TR_NOOP("DND service is unavailable")},
        {u"aLOCK", QT_TR_NOOP("Lock"), QT_TR_NOOP("Lock service is unavailable or invalid opassword entered")},
        {u"aACC", QT_TR_NOOP("Account"), QT_TR_NOOP("Account service is unavailable or invalid PIN code")},
        {u"aFWD", QT_TR_NOOP("Call forwarding"),
         QT_TR_NOOP(
             "Call forwarding unavailable\n\nCall forwarding function in the NORVEL Vexa PABX is available only with "
             "options:\n- if two ringing missed \n- all calls")},
    };
    for (const ServiceTexts& entry : texts) {
        if (command == entry.command) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

ServiceReplies::ServiceReplies(Collaborators collaborators)
    : m_c(std::move(collaborators))
{
}

void ServiceReplies::handleServiceReply(const PbxReply& reply, const QString& command)
{
    const QString word = command.section(u' ', 0, 0);
    if (reply.isOk()) {
        if (word == u"aDIAL") {
            m_c.runStartOfCallActions();
        }
        return;
    }
    if (word == u"aPICK") {
        onPickUpReply(reply);
        return;
    }
    if (word == u"aHANG") {
        onHangUpReply(reply);
        return;
    }
    const bool refused = reply.kind == PbxReply::Kind::Refused;
    if (word == u"aDIAL") {
        if (refused) {
            emit m_c.notices.dialRefused();
            presentWithFallback(reply, Lang::_("Number dialling"), Lang::_("Error in a dialled number"));
        }
        return;
    }
    if (const ServiceTexts* texts = textsFor(word)) {
        if (refused) {
            presentWithFallback(reply, Lang::_(texts->title), Lang::_(texts->fallback));
        }
        return;
    }
    m_c.presentServiceError(reply, applicationTitle());
}

void ServiceReplies::onPickUpReply(const PbxReply& reply)
{
    CallState& state = m_c.state;
    if (reply.kind == PbxReply::Kind::Error) {
        state.rememberedDigits.clear();
        state.flags.dialAfterPickUp = false;
        state.pickUpForDialling = false;
        return;
    }
    if (state.pickUpForDialling) {
        state.pickUpForDialling = false;
        emit m_c.notices.windowStateChosen(WindowState::OffHook);
        return;
    }
    m_c.presentServiceError(reply, Lang::_("Handset up"));
}

void ServiceReplies::onHangUpReply(const PbxReply& reply)
{
    if (reply.kind != PbxReply::Kind::Refused) {
        return;
    }
    if (reply.code == NothingToHangUp) {
        m_c.services.requestState();
    } else if (reply.code == NoSystemPhone) {
        m_c.dialogs.showError(applicationTitle(), Lang::_("To disconnect please put the handset on hook."));
    } else {
        m_c.presentServiceError(reply, Lang::_("Handset on hook"));
    }
}

void ServiceReplies::presentWithFallback(const PbxReply& reply, const QString& title, const QString& fallback)
{
    if (!m_c.presentServiceError(reply, title)) {
        m_c.dialogs.showWarning(applicationTitle(), fallback);
    }
}
