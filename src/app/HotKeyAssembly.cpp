#include "app/HotKeyAssembly.h"

#include "phone/TelephoneWindowLogic.h"
#include "phone/ui/TMainForm.h"
#include "settings/SettingsRecord.h"

#include <QDebug>
#include <QGuiApplication>
#include <QSystemTrayIcon>

HotKeyAssembly::HotKeyAssembly(const SettingsRecord& settings, TMainForm& form, TelephoneWindowLogic& window)
    : m_settings(settings)
    , m_form(form)
    , m_window(window)
{
    QObject::connect(&m_hotKey, &X11HotKey::pressed, &m_form, [this] { toggleWindow(); });
}

void HotKeyAssembly::apply()
{
    m_hotKey.release();
    if (m_portalHotKey) {
        m_portalHotKey->release();
    }
    if (!m_settings.Ogolne.Klawisz) {
        return;
    }
    const std::optional<HotKeyChoice> choice = HotKeyChoice::forValue(m_settings.Ogolne.KlawiszWybor);
    if (!choice) {
        return;
    }
    if (QGuiApplication::platformName() == u"wayland") {
        bindThroughPortal(*choice);
        return;
    }
    // A key that another program holds stays with it, silently.
    m_hotKey.grab(*choice);
}

void HotKeyAssembly::bindThroughPortal(const HotKeyChoice& choice)
{
    if (!m_portalHotKey) {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            tellUnavailable();
            return;
        }
        m_portalHotKey = std::make_unique<PortalHotKey>(bus);
        QObject::connect(m_portalHotKey.get(), &PortalHotKey::pressed, &m_form, [this] { toggleWindow(); });
        QObject::connect(m_portalHotKey.get(), &PortalHotKey::unavailable, &m_form, [this] { tellUnavailable(); });
    }
    m_portalHotKey->bind(choice);
}

void HotKeyAssembly::tellUnavailable()
{
    if (m_toldUnavailable) {
        return;
    }
    m_toldUnavailable = true;
    qWarning() << "The hot key is not available: the desktop session has no X11, and no desktop portal binds it";
}

void HotKeyAssembly::toggleWindow()
{
    m_window.showNotice(QString(), QString(), false);
    if (m_form.skin().isVisible() && !m_form.skin().isMinimized()) {
        // To the tray; where the desktop has none, to the task bar.
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            m_form.showMainWindow(false, true, false);
        } else {
            m_form.skin().showMinimized();
        }
    } else {
        m_form.showMainWindow(true, true, false);
    }
}
