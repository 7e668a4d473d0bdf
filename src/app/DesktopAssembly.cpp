#include "app/DesktopAssembly.h"

#include "phone/TelephoneWindowLogic.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsRecord.h"

#include <QDebug>
#include <QStandardPaths>

DesktopAssembly::DesktopAssembly(const SettingsRecord& settings, const SettingsPaths& paths,
                                 TelephoneWindowLogic& window, bool claimTelLinks)
    : m_settings(settings)
    , m_claimTelLinks(claimTelLinks)
    , m_schemeHandler(paths.executablePath(), UserFolders::fromEnvironment().dataHome,
                      UserFolders::fromEnvironment().configHome,
                      QStandardPaths::findExecutable(QStringLiteral("xdg-mime")))
    , m_autostart(paths.executablePath(), UserFolders::fromEnvironment().configHome)
{
    QObject::connect(&m_makeCall, &MakeCallService::makeCallRequested, &window,
                     [&window](const QString& destination) { window.placeNumber(destination); });
}

void DesktopAssembly::applySettings(bool claimTelLinks)
{
    m_schemeHandler.registerHandler(claimTelLinks);
    m_autostart.apply(m_settings.Ogolne.Autostart);
}

bool DesktopAssembly::telLinksClaimed() const
{
    return m_schemeHandler.defaultFor(QStringLiteral("x-scheme-handler/tel")) ==
           QString::fromUtf16(SchemeHandlerEntry::DesktopId);
}

void DesktopAssembly::start()
{
    applySettings(m_claimTelLinks);
    if (m_settings.TAPI.Wylacz) {
        qInfo() << "Call requests from other programs are switched off (TAPI/Wylacz)";
        return;
    }
    if (m_makeCall.start(QDBusConnection::sessionBus())) {
        qInfo().noquote() << "Call requests taken on the session bus as"
                          << QString::fromUtf16(MakeCallService::ServiceName);
    }
}
