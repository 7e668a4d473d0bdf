#include "pbxlink/protocol/RefusalMessages.h"

#include "settings/Lang.h"

namespace RefusalMessages {

QString loginRefusal(int code)
{
    switch (code) {
    case 7:
        return Lang::_("Access denied: the number is invalid");
    case 11:
        return Lang::_("Access denied: PIN code error");
    case 12:
        return Lang::_("Access denied: no PIN code");
    case 15:
        return Lang::_("Access denied: number is invalid");
    case 17:
        return Lang::_("Access denied: Subscriber is turned off or demaged");
    case 20:
        return Lang::_("Access denied: PIN lock has been activated because of entering too many invalid codes. To "
                       "unlock - dial #999(PIN).");
    case 103:
        return Lang::_("Access denied: PABX connection is unavailable.");
    case 104:
        return Lang::_("Access denied: Client name is unknown");
    case ServiceMode:
        return Lang::_("Access denied: Service application active. Connection is temporary unavailable. Please wait");
    default:
        return Lang::_("Access denied: unknown error number:") + QString::number(code) +
               Lang::_(". Please wait a litle and start again");
    }
}

QString loginError()
{
    return Lang::_("Access denied: Unknown error. Contact administrator");
}

std::optional<QString> serviceRefusal(int code)
{
    switch (code) {
    case 3:
        return Lang::_("No call");
    case 4:
        return Lang::_("The number is busy or unavailable");
    case 5:
        return Lang::_("Subscriber called by a group");
    case 6:
    case 8:
        return Lang::_("No access to forward");
    case 7:
        return Lang::_("Invalid number");
    case 9:
        return Lang::_("Invalid parameters");
    case 10:
        return Lang::_("Call recording is not possible");
    case 11:
        return Lang::_("Invalid PIN code");
    case 12:
        return Lang::_("Subscriber has no PIN code defined.\nContact with PABS service.");
    case 13:
        return Lang::_("No such account in PABX");
    case 14:
        return Lang::_("No system phone connected to this extension number. ");
    case 15:
        return Lang::_("Number is not a subscriber");
    case 16:
        return Lang::_("Digits dialling is impossible");
    case 17:
        return Lang::_("Subsciber turned off or demaged");
    case 18:
        return Lang::_("Subscriber's phone is locked");
    default:
        return std::nullopt;
    }
}

} // namespace RefusalMessages
