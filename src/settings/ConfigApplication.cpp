#include "settings/ConfigApplication.h"

#include "settings/Lang.h"

ConfigApplication::ConfigApplication(SettingsRecord& settings, QString defaultRecordingsFolder, ExchangePort exchange,
                                     SettingsFollowers followers, std::function<void(const QString& text)> inform)
    : m_settings(settings)
    , m_exchange(std::move(exchange))
    , m_followers(std::move(followers))
    , m_inform(std::move(inform))
    , m_environment([folder = std::move(defaultRecordingsFolder)](bool twoRingForwardingOnly) {
        return ConfigChecks::Environment::fileSystem(folder, twoRingForwardingOnly);
    })
{
}

void ConfigApplication::setEnvironment(std::function<ConfigChecks::Environment(bool)> environment)
{
    m_environment = std::move(environment);
}

bool ConfigApplication::apply(Entry entry, const std::function<void(const Entry&)>& corrected)
{
    const bool twoRingsOnly = m_exchange.twoRingForwardingOnly && m_exchange.twoRingForwardingOnly();
    const ConfigChecks::Outcome outcome = ConfigChecks::check(entry.settings, m_environment(twoRingsOnly));
    corrected(entry);
    for (const QString& message : outcome.messages) {
        m_inform(message);
    }
    if (!outcome.accepted) {
        return false;
    }
    entry.settings.WorkingPin = entry.settings.Siec.Klucz;
    m_settings = entry.settings;
    if (m_followers.apply) {
        const SettingsFollowers::Outcome followed = m_followers.apply(entry.claimTelLinks);
        if (!followed.idleForwardingArmed) {
            m_inform(Lang::_("Unable to turn on call forwarding. Installation is corrupted !"));
        }
        if (!followed.idleDndArmed) {
            m_inform(Lang::_("Unable to turn on DND service. Installation is corrupted !"));
        }
    }
    changeExchange(entry);
    return true;
}

// Only the switches the user changed go to the exchange, after the record: forwarding takes its target and
// conditions from the settings just applied.
void ConfigApplication::changeExchange(const Entry& entry)
{
    const ExchangeStates& wanted = entry.exchange;
    const ExchangeStates& shown = entry.shownExchange;
    if (wanted.forwarding != shown.forwarding && m_exchange.setForwarding) {
        m_exchange.setForwarding(wanted.forwarding);
    }
    if (wanted.locked != shown.locked && m_exchange.setLock) {
        m_exchange.setLock(wanted.locked, entry.settings.Siec.Klucz);
    }
    if (wanted.doNotDisturb != shown.doNotDisturb && m_exchange.setDoNotDisturb) {
        m_exchange.setDoNotDisturb(wanted.doNotDisturb);
    }
    if (wanted.accountCode != shown.accountCode && m_exchange.setAccountCode) {
        m_exchange.setAccountCode(wanted.accountCode, entry.settings.Konta.Numer, entry.settings.Konta.Klucz);
    }
}

bool ConfigApplication::linkSettingsDiffer(const SettingsRecord& before, const SettingsRecord& after)
{
    return before.Siec.Serwer != after.Siec.Serwer || before.Siec.TelNr != after.Siec.TelNr ||
           before.Siec.Klucz != after.Siec.Klucz || before.Siec.Szukaj != after.Siec.Szukaj;
}
