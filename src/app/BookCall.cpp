#include "app/BookCall.h"

#include "phone/TelephoneWindowLogic.h"
#include "settings/Lang.h"

BookCall::BookCall(TelephoneWindowLogic& window, std::function<bool(const QString&)> ask)
    : m_window(window)
    , m_ask(std::move(ask))
{
}

void BookCall::call(const QString& number)
{
    const std::optional<WindowState> state = m_window.state();
    const bool inConversation = state == WindowState::OutgoingConnected || state == WindowState::IncomingConnected ||
                                state == WindowState::Resumed;
    if (inConversation) {
        if (m_ask(Lang::_("Park current connection?"))) {
            m_window.park();
        } else if (m_ask(Lang::_("Hold current connection?"))) {
            m_window.flash();
        } else {
            return;
        }
    }
    m_window.dialChosen(number);
}
