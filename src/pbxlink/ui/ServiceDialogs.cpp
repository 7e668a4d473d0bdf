#include "pbxlink/ui/ServiceDialogs.h"

#include "pbxlink/calls/CallState.h"
#include "pbxlink/calls/TelephoneServices.h"
#include "pbxlink/ui/TAccForm.h"
#include "pbxlink/ui/TFwdForm.h"
#include "pbxlink/ui/TLockForm.h"
#include "settings/SettingsRecord.h"

ServiceDialogs::ServiceDialogs(const SettingsRecord& settings, TelephoneServices& services, const CallState& calls,
                               std::function<void()> openConfiguration, QWidget* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_services(services)
    , m_calls(calls)
    , m_openConfiguration(std::move(openConfiguration))
    , m_parent(parent)
{
}

ServiceDialogs::~ServiceDialogs()
{
    delete m_forwarding;
    delete m_lock;
    delete m_account;
}

void ServiceDialogs::forwardRingingCall()
{
    if (!m_forwarding) {
        m_forwarding = new TFwdForm([this](const QString& number) { m_services.deflect(number); }, m_parent);
    }
    present(m_forwarding);
}

void ServiceDialogs::lockOrUnlock()
{
    if (m_settings.Ogolne.ZapiszKlucz) {
        m_services.toggleLock(m_settings.Siec.Klucz);
        return;
    }
    if (!m_lock) {
        m_lock = new TLockForm([this] { return m_calls.features.locked; },
                               [this](bool lock, const QString& pin) { m_services.setLock(lock, pin); },
                               [this] {
                                   if (m_openConfiguration) {
                                       m_openConfiguration();
                                   }
                               },
                               m_parent);
    }
    present(m_lock);
}

void ServiceDialogs::registerAccount()
{
    if (!m_account) {
        m_account = new TAccForm(
            [this](const QString& account, const QString& pin) { m_services.accountOn(account, pin); }, m_parent);
    }
    present(m_account);
}

void ServiceDialogs::present(QWidget* dialog)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
