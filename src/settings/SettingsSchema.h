#pragma once

#include "settings/IniDocument.h"
#include "settings/SettingsRecord.h"

#include <QString>

// The keys of the settings file with their sections, types and defaults, and the rules by which each is read
// from and written to an ini document. The table lives in one place so that defaults, loading and saving can
// never disagree about a key.
class SettingsSchema final {
public:
    // dataFolder is the per-user data folder (ending with "/"), which the default phone book and history folders
    // are placed in; when empty those defaults are empty.
    explicit SettingsSchema(QString dataFolder);

    void applyDefaults(SettingsRecord& record) const;

    // Every key from the document, or its default when missing or malformed, then the derived fields: the working
    // PIN copy, the padded gate id, the clamped audio levels, the default history folder for an empty one, and
    // WinMixer cleared.
    void read(const IniDocument& document, SettingsRecord& record) const;

    // Every key of the table, including the write-only keys; PINs scrambled, the extension PIN only when one of
    // the two save-PIN options is set. With Ogolne.Keyring set no secret is written: the PIN keys are empty and a
    // book location loses its password.
    void write(const SettingsRecord& record, IniDocument& document) const;

    QString defaultPrivateBookFolder() const;
    QString defaultConversationLogFolder() const;

private:
    QString m_dataFolder;
};
