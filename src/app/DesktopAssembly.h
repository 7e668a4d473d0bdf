#pragma once

#include "desktop/AutostartEntry.h"
#include "desktop/MakeCallService.h"
#include "desktop/SchemeHandlerEntry.h"

class SettingsPaths;
class TelephoneWindowLogic;
struct SettingsRecord;

// The client's place on the desktop: the link handler's desktop entry and the autostart entry brought in line
// with the settings at each start, and other programs' call requests from the session bus placed in the
// telephone window (unless TAPI/Wylacz switches them off).
class DesktopAssembly final {
public:
    // claimTelLinks: the user asked to make the client the default handler of tel: and callto: as well.
    DesktopAssembly(const SettingsRecord& settings, const SettingsPaths& paths, TelephoneWindowLogic& window,
                    bool claimTelLinks);

    void start();
    // The link handler's entry and the autostart entry brought in line with the settings again.
    void applySettings(bool claimTelLinks);
    // The desktop opens tel: links in this program now.
    bool telLinksClaimed() const;
    void shutDown() { m_makeCall.stop(); }

private:
    const SettingsRecord& m_settings;
    bool m_claimTelLinks;
    SchemeHandlerEntry m_schemeHandler;
    AutostartEntry m_autostart;
    MakeCallService m_makeCall;
};
