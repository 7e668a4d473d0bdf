#pragma once

#include "settings/ConfigChecks.h"
#include "settings/ConfigPorts.h"
#include "settings/SettingsRecord.h"

#include <functional>

// Puts what the configuration dialog's user entered into the settings: the rules of ConfigChecks, then the record,
// then the rest of the program told (the exchange's switches the user changed, the hot key, idle detection, the
// desktop entries), with every message in order. A refused entry leaves the record as it was.
class ConfigApplication final {
public:
    struct Entry {
        SettingsRecord settings;      // the record as the controls say
        ExchangeStates exchange;      // the switches as the controls say
        ExchangeStates shownExchange; // the switches as they were shown
        bool claimTelLinks = false;
    };

    // defaultRecordingsFolder: where recordings go when the chosen folder is not usable.
    ConfigApplication(SettingsRecord& settings, QString defaultRecordingsFolder, ExchangePort exchange,
                      SettingsFollowers followers, std::function<void(const QString& text)> inform);

    // The entry as the rules corrected it goes to corrected() before anything is told, so that the controls show
    // what applies. False when a rule refused the entry.
    bool apply(Entry entry, const std::function<void(const Entry&)>& corrected);

    // The link has to connect again to use the new settings: another server, extension or PIN.
    static bool linkSettingsDiffer(const SettingsRecord& before, const SettingsRecord& after);

    const ExchangePort& exchange() const { return m_exchange; }

    // Where the rules look for folders and files; by default the real file system.
    void setEnvironment(std::function<ConfigChecks::Environment(bool twoRingForwardingOnly)> environment);

private:
    void changeExchange(const Entry& entry);

    SettingsRecord& m_settings;
    ExchangePort m_exchange;
    SettingsFollowers m_followers;
    std::function<void(const QString&)> m_inform;
    std::function<ConfigChecks::Environment(bool)> m_environment;
};
