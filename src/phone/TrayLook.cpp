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

void TrayLook::setMode(int mode)
{
    if (mode != 0 && mode != 1 && mode != 2 && mode != 4) {
        return;
    }
    m_connectingTimerRunning = false;
    m_mode = mode;
    if (mode == 4) {
        m_list = TrayIconList::Connecting;
        m_connectingTimerRunning = true;
        return;
    }
    if (mode == 2) {
        m_flashing = false;
    }
    showStaticIcon(mode);
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
        setMode(2);
    }
}

void TrayLook::showStaticIcon(int index)
{
    m_staticIndex = index;
    m_list = m_flashing ? flashListFor(index) : TrayIconList::Static;
}
