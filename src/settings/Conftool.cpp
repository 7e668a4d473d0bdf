#include "settings/Conftool.h"

#include <memory>

namespace {

std::unique_ptr<SettingsStore>& processStore()
{
    static std::unique_ptr<SettingsStore> store;
    return store;
}

} // namespace

SettingsStore& GetSettingsStore()
{
    std::unique_ptr<SettingsStore>& store = processStore();
    if (!store) {
        store = std::make_unique<SettingsStore>(SettingsPaths::forThisProcess());
        store->load();
    }
    return *store;
}

SettingsRecord& GetSettings()
{
    return GetSettingsStore().record();
}

void SaveSettings()
{
    GetSettingsStore().save();
}

AudioRegistryStore& GetAudioRegistry()
{
    return GetSettingsStore().audioRegistry();
}
