#include "phone/WindowStateTable.h"

#include "pbxlink/WindowState.h"

namespace {

using enum MenuItem;

// The states the window sets itself; those the link sets are in pbxlink/WindowState.h.
constexpr int NumberReady = 2;
constexpr int RedialBrowse = 3;
constexpr int NumberEntry = 4;
constexpr int IdleRefresh = 13;
constexpr int Resumed = 14;

// Idle, and what stays usable during a conversation.
constexpr MenuItems IdleItems = MenuItems(Book) | History | Notes | Redial | Conference | Park | Transfer | Minimize |
                                Account | Lock | Urgent | CPickup | Flash;
constexpr MenuItems ConversationItems =
    MenuItems(Book) | History | Notes | Redial | Conference | Park | Minimize | Transfer | Account | Lock | Flash;

MenuItems itemsOf(int state, bool mcidAllowed)
{
    switch (state) {
    case WindowState::Idle:
    case WindowState::HandsetEvent:
    case IdleRefresh:
        return IdleItems;
    case NumberReady:
        return MenuItems(Call) | Book | Notes | Redial | Cancel | Conference | Park | Minimize | Transfer | Account |
               Lock | Urgent | CPickup | Flash;
    case RedialBrowse:
        return MenuItems(Call) | Book | History | Notes | Redial | Cancel | Conference | Park | Minimize | Transfer |
               Account | Lock | Urgent | CPickup;
    case NumberEntry:
        return MenuItems(Book) | EditBook | History | Notes | Redial | Cancel | Conference | Park | Minimize |
               Transfer | Account | Lock | Urgent | CPickup;
    case WindowState::OffHook:
        return MenuItems(Book) | History | Notes | Cancel | Minimize | Transfer | Account | Lock;
    case WindowState::Dialling:
        return MenuItems(Book) | History | Notes | Redial | Cancel | Minimize | Transfer | Account | Lock | Flash;
    case WindowState::OutgoingConnected:
    case Resumed:
        return ConversationItems;
    case WindowState::Ringing:
        return MenuItems(Book) | History | Notes | NotAnswer | Park | Minimize | Transfer | Account | Lock;
    case WindowState::IncomingConnected:
        return mcidAllowed ? ConversationItems | MCIDCall : ConversationItems;
    case WindowState::Disconnected:
        return MenuItems(Book) | History | Notes | Minimize;
    default:
        return {};
    }
}

} // namespace

namespace WindowStateTable {

MenuItems enabledItems(int state, bool mcidAllowed)
{
    const MenuItems items = itemsOf(state, mcidAllowed);
    return state == WindowState::Disconnected ? items : items | MenuItem::Services;
}

int trayMode(int state)
{
    switch (state) {
    case WindowState::Idle:
    case NumberReady:
    case RedialBrowse:
    case NumberEntry:
    case WindowState::OffHook:
    case IdleRefresh:
        return 0;
    case WindowState::HandsetEvent:
    case WindowState::Dialling:
    case 7: // a call state the link does not set
    case WindowState::OutgoingConnected:
    case WindowState::Ringing:
    case WindowState::IncomingConnected:
    case Resumed:
        return 1;
    case WindowState::Disconnected:
        return 2;
    case WindowState::Connecting:
        return 4;
    default:
        return -1;
    }
}

std::optional<StateIcon> icon(int state)
{
    switch (state) {
    case WindowState::Idle:
    case IdleRefresh:
        return StateIcon::Idle;
    case NumberReady:
    case RedialBrowse:
    case NumberEntry:
        return StateIcon::NumberReady;
    case WindowState::OffHook:
        return StateIcon::OffHook;
    case WindowState::Dialling:
        return StateIcon::Dialling;
    case WindowState::OutgoingConnected:
    case WindowState::IncomingConnected:
    case Resumed:
        return StateIcon::Connected;
    case WindowState::Ringing:
        return StateIcon::Ringing;
    case WindowState::Disconnected:
        return StateIcon::Disconnected;
    case WindowState::Connecting:
        return StateIcon::Connecting;
    default:
        return std::nullopt;
    }
}

} // namespace WindowStateTable
