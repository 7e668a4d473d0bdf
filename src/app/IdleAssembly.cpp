#include "app/IdleAssembly.h"

#include "pbxlink/calls/TelephoneServices.h"
#include "phone/TelephoneWindowLogic.h"

#include <QCoreApplication>
#include <QDebug>

IdleAssembly::IdleAssembly(const SettingsRecord& settings, TelephoneServices& services, TelephoneWindowLogic& window)
    : m_services(services)
    , m_window(window)
    , m_plugins(QCoreApplication::applicationDirPath() + QStringLiteral("/plugin/"),
                [this](const QString& text) {
                    qWarning().noquote() << text;
                    m_window.showNotice(text, text, true);
                })
    , m_detection(settings, m_plugins, *this)
{
    QObject::connect(&m_plugins, &IdlePlugins::activity, &m_detection, &IdleDetection::activity);
}

void IdleAssembly::setForwarding(bool on)
{
    m_services.setForwarding(on);
}

void IdleAssembly::setDoNotDisturb(bool on)
{
    if (on) {
        m_window.showNotice(QString(), QString(), false);
    }
    m_services.setDoNotDisturb(on);
}
