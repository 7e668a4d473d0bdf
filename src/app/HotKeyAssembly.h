#pragma once

#include "desktop/PortalHotKey.h"
#include "desktop/x11/X11HotKey.h"

#include <memory>

class TMainForm;
class TelephoneWindowLogic;
struct SettingsRecord;

// The hot key of Ogolne/Klawisz and Ogolne/KlawiszWybor: the telephone window shown, raised and brought to the
// front when hidden, and hidden to the tray when shown; the notice is cleared first. Where X11 is missing (a
// Wayland session) the key is asked of the desktop portal's global shortcuts; where that is missing too or
// refuses, the hot key is not available, which error.log says once.
class HotKeyAssembly final {
public:
    HotKeyAssembly(const SettingsRecord& settings, TMainForm& form, TelephoneWindowLogic& window);

    // (Re)grabs the key from the settings, or releases it when the hot key is off.
    void apply();

private:
    void toggleWindow();
    void bindThroughPortal(const HotKeyChoice& choice);
    void tellUnavailable();

    const SettingsRecord& m_settings;
    TMainForm& m_form;
    TelephoneWindowLogic& m_window;
    X11HotKey m_hotKey;
    std::unique_ptr<PortalHotKey> m_portalHotKey; // made on the first use under Wayland
    bool m_toldUnavailable = false;
};
