#pragma once

#include "pbxlink/lifecycle/WindowState.h"

#include <QString>
#include <functional>
#include <optional>

struct SettingsRecord;

// What the call events of the telephone window open in the phone book: the caller's notes on the events
// Notatki/OtwNotatkiNa names (unless the contact says "Don't open notes"), and a new contact for an unknown caller
// when Ksiazka/DodajNowy is set, on ringing or on the incoming call as Ksiazka/DodajNowyNa says. Each happens once
// per call and event, however often the window applies the same state.
class CallContactEvents final {
public:
    struct Known {
        bool dontOpenNotes = false;
    };
    struct Actions {
        // The contact the number belongs to; none for an unknown number.
        std::function<std::optional<Known>(const QString& number)> lookUp;
        std::function<void(const QString& number)> openNotes;
        std::function<void(const QString& number)> addUnknown;
    };

    CallContactEvents(const SettingsRecord& settings, Actions actions);

    // The window applied state for the call with number.
    void stateApplied(WindowState state, const QString& number);

    static bool opensNotes(const SettingsRecord& settings, WindowState state);
    static bool addsUnknown(const SettingsRecord& settings, WindowState state);

private:
    const SettingsRecord& m_settings;
    Actions m_actions;
    std::optional<WindowState> m_handledState;
    QString m_handledNumber;
};
