#pragma once

#include "app/IdlePlugins.h"
#include "phone/IdleDetection.h"

class TelephoneServices;
class TelephoneWindowLogic;
struct SettingsRecord;

// Idle detection wired to the activity plug-ins of the program's plugin/ folder, to the link's forwarding and
// DND services, and to the telephone window, whose notice shows what the plug-ins report wrong.
class IdleAssembly final : private IdleActions {
public:
    IdleAssembly(const SettingsRecord& settings, TelephoneServices& services, TelephoneWindowLogic& window);

    // Arms what the settings ask for.
    void start() { m_detection.applySettings(); }
    IdleDetection& detection() { return m_detection; }

private:
    void setForwarding(bool on) override;
    void setDoNotDisturb(bool on) override;

    TelephoneServices& m_services;
    TelephoneWindowLogic& m_window;
    IdlePlugins m_plugins;
    IdleDetection m_detection;
};
