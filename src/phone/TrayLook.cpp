#include "phone/TrayLook.h"

namespace {

TrayIconList flashListFor(int staticIndex)
{
    switch (staticIndex) {
    case 0:
        return TrayIconList::FlashGreen;
    case 1:
        return TrayIconList::FlashRed;
    default:
        return TrayIconList::FlashGrey;
    }
}

} // namespace

void TrayLook::setMode(TrayMode mode)
{
    switch (mode) {
    case TrayMode::Normal:
    case TrayMode::Call:
    case TrayMode::NoConnection:
    case TrayMode::Connecting:
        break;
    default:
        return;
    }
    m_connectingTimerRunning = false;
    m_mode = mode;
    if (mode == TrayMode::Connecting) {
        m_list = TrayIconList::Connecting;
        m_connectingTimerRunning = true;
        return;
    }
    if (mode == TrayMode::NoConnection) {
        m_flashing = false;
    }
    showStaticIcon(static_cast<int>(mode));
}

void TrayLook::setMissedFlash(bool on)
{
    m_flashing = on;
    if (m_list != TrayIconList::Connecting) {
        showStaticIcon(m_staticIndex);
    }
}

void TrayLook::connectingTimedOut()
{
    if (m_connectingTimerRunning) {
        setMode(TrayMode::NoConnection);
    }
}

void TrayLook::showStaticIcon(int index)
{
    m_staticIndex = index;
    m_list = m_flashing ? flashListFor(index) : TrayIconList::Static;
}
