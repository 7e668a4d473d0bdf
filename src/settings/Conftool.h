#pragma once

#include "settings/AudioRegistryStore.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"

// The one settings record of the process. The first call loads it from the files of the running executable;
// later calls return the same record, which callers read and change directly.
SettingsRecord& GetSettings();

// Writes the record to the per-user settings file. Throws SettingsError (with a message for the user) when the
// folder cannot be created or the file cannot be written.
void SaveSettings();

// The audio store that belongs to the process's settings record.
AudioRegistryStore& GetAudioRegistry();

// The store behind GetSettings, for code that needs its paths.
SettingsStore& GetSettingsStore();
