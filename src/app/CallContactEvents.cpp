#include "app/CallContactEvents.h"

#include "settings/SettingsRecord.h"

CallContactEvents::CallContactEvents(const SettingsRecord& settings, Actions actions)
    : m_settings(settings)
    , m_actions(std::move(actions))
{
}

bool CallContactEvents::opensNotes(const SettingsRecord& settings, WindowState state)
{
    if (!settings.Notatki.OtwNotatki) {
        return false;
    }
    switch (settings.Notatki.OtwNotatkiNa) {
    case 0:
        return state == WindowState::Ringing;
    case 1:
        return state == WindowState::IncomingConnected;
    case 2:
        return state == WindowState::OutgoingConnected;
    case 3:
        return state == WindowState::IncomingConnected || state == WindowState::OutgoingConnected;
    default:
        return false;
    }
}

bool CallContactEvents::addsUnknown(const SettingsRecord& settings, WindowState state)
{
    if (!settings.Ksiazka.DodajNowy) {
        return false;
    }
    return (settings.Ksiazka.DodajNowyNa == 0 && state == WindowState::Ringing) ||
           (settings.Ksiazka.DodajNowyNa == 1 && state == WindowState::IncomingConnected);
}

void CallContactEvents::stateApplied(WindowState state, const QString& number)
{
    if (state == WindowState::Idle || state == WindowState::CallEnded || number.isEmpty()) {
        m_handledState.reset();
        m_handledNumber.clear();
        return;
    }
    const bool notes = opensNotes(m_settings, state);
    const bool add = addsUnknown(m_settings, state);
    if ((!notes && !add) || (m_handledState == state && m_handledNumber == number)) {
        return;
    }
    m_handledState = state;
    m_handledNumber = number;
    const std::optional<Known> contact = m_actions.lookUp(number);
    if (contact && notes && !contact->dontOpenNotes) {
        m_actions.openNotes(number);
    } else if (!contact && add) {
        m_actions.addUnknown(number);
    }
}
