#pragma once

#include "settings/AudioRegistryStore.h"
#include "settings/IniDocument.h"
#include "settings/SettingsPaths.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsSchema.h"

#include <functional>
#include <memory>

// Loads the settings record from the per-user ini file, or from the places earlier versions kept it (moving such a
// file into the per-user folder and renaming the old one to "<name>.old"), and saves it back on request. Owns the
// audio store that belongs with the record.
class SettingsStore final {
public:
    explicit SettingsStore(SettingsPaths paths);

    const SettingsPaths& paths() const { return m_paths; }
    SettingsRecord& record() { return m_record; }
    AudioRegistryStore& audioRegistry() { return *m_audioRegistry; }

    // The file the record was read from; empty when none existed.
    const QString& loadedFrom() const { return m_loadedFrom; }

    void load();

    // Writes every key into the per-user file, keeping the keys of that file this program does not know. Does
    // nothing for a record that was never loaded. Throws SettingsError when the folder cannot be made or the file
    // cannot be written; the old file is then untouched.
    void save();

    // Runs after every successful save(), e.g. to keep secrets held outside the file in step with it.
    void setSavedHook(std::function<void()> hook) { m_savedHook = std::move(hook); }

private:
    struct Source {
        QString path;
        bool fromOlderLocation = false;
    };

    void migrate(const QString& oldPath);

    SettingsPaths m_paths;
    SettingsSchema m_schema;
    SettingsRecord m_record;
    std::unique_ptr<AudioRegistryStore> m_audioRegistry;
    IniDocument m_document;
    QString m_loadedFrom;
    std::function<void()> m_savedHook;
};
