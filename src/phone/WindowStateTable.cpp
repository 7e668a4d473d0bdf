#include "phone/WindowStateTable.h"

#include "pbxlink/lifecycle/WindowState.h"

namespace {

using enum MenuItem;

// Idle, and what stays usable during a conversation.
constexpr MenuItems IdleItems = MenuItems(Book) | History | Notes | Redial | Conference | Park | Transfer | Minimize |
                                Account | Lock | Urgent | CPickup | Flash;
constexpr MenuItems ConversationItems =
    MenuItems(Book) | History | Notes | Redial | Conference | Park | Minimize | Transfer | Account | Lock | Flash;

MenuItems itemsOf(WindowState state, bool mcidAllowed)
{
    switch (state) {
    case WindowState::Idle:
    case WindowState::HandsetEvent:
    case WindowState::IdleRefresh:
        return IdleItems;
    case WindowState::NumberReady:
        return MenuItems(Call) | Book | Notes | Redial | Cancel | Conference | Park | Minimize | Transfer | Account |
               Lock | Urgent | CPickup | Flash;
    case WindowState::RedialBrowse:
        return MenuItems(Call) | Book | History | Notes | Redial | Cancel | Conference | Park | Minimize | Transfer |
               Account | Lock | Urgent | CPickup;
    case WindowState::NumberEntry:
        return MenuItems(Book) | EditBook | History | Notes | Redial | Cancel | Conference | Park | Minimize |
               Transfer | Account | Lock | Urgent | CPickup;
    case WindowState::OffHook:
        return MenuItems(Book) | History | Notes | Cancel | Minimize | Transfer | Account | Lock;
    case WindowState::Dialling:
        return MenuItems(Book) | History | Notes | Redial | Cancel | Minimize | Transfer | Account | Lock | Flash;
    case WindowState::OutgoingConnected:
    case WindowState::Resumed:
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

MenuItems enabledItems(WindowState state, bool mcidAllowed)
{
    const MenuItems items = itemsOf(state, mcidAllowed);
    return state == WindowState::Disconnected ? items : items | MenuItem::Services;
}

std::optional<TrayMode> trayMode(WindowState state)
{
    switch (state) {
    case WindowState::Idle:
    case WindowState::NumberReady:
    case WindowState::RedialBrowse:
    case WindowState::NumberEntry:
    case WindowState::OffHook:
    case WindowState::IdleRefresh:
        return TrayMode::Normal;
    case WindowState::HandsetEvent:
    case WindowState::Dialling:
    case WindowState::Unused7:
    case WindowState::OutgoingConnected:
    case WindowState::Ringing:
    case WindowState::IncomingConnected:
    case WindowState::Resumed:
        return TrayMode::Call;
    case WindowState::Disconnected:
        return TrayMode::NoConnection;
    case WindowState::Connecting:
        return TrayMode::Connecting;
    default:
        return std::nullopt;
    }
}

std::optional<StateIcon> icon(WindowState state)
{
    switch (state) {
    case WindowState::Idle:
    case WindowState::IdleRefresh:
        return StateIcon::Idle;
    case WindowState::NumberReady:
    case WindowState::RedialBrowse:
    case WindowState::NumberEntry:
        return StateIcon::NumberReady;
    case WindowState::OffHook:
        return StateIcon::OffHook;
    case WindowState::Dialling:
        return StateIcon::Dialling;
    case WindowState::OutgoingConnected:
    case WindowState::IncomingConnected:
    case WindowState::Resumed:
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
