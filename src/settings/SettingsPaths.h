#pragma once

#include <QString>

// The base folders of the XDG layout: $XDG_CONFIG_HOME, $XDG_DATA_HOME and $XDG_STATE_HOME, each falling back to
// its usual place below $HOME when unset or not absolute.
struct UserFolders {
    QString configHome;
    QString dataHome;
    QString stateHome;

    static UserFolders fromEnvironment();
};

// Where the client keeps its files. Each installation (each executable path) has folders of its own below
// "Norvel/TelefonTervo/": settings (the ini and the audio store) under the config home, data (phone book,
// history, recordings, the redial list) under the data home, and logs under the state home. All folder names end
// with "/".
class SettingsPaths final {
public:
    SettingsPaths(QString executablePath, UserFolders folders);

    // The paths of the running executable and the current environment.
    static SettingsPaths forThisProcess();

    // The folder name that keeps two installations apart: the SHA-1 digest of the executable's path lower-cased
    // and without ":", written as the five 32-bit words in upper-case hexadecimal, each with at least two digits
    // and no further leading zeros. An empty path gives an empty name.
    static QString installationFolderName(const QString& executablePath);

    const QString& executablePath() const { return m_executablePath; }

    QString settingsFolder() const;
    QString dataFolder() const;
    QString logFolder() const;

    // The executable's file name, lower-cased, with ".ini" in place of its extension.
    QString settingsFileName() const;
    QString settingsFile() const;
    // Where earlier versions kept the file: the shared TelefonTervo folder, and beside the executable.
    QString sharedFolderSettingsFile() const;
    QString besideExecutableSettingsFile() const;

    QString audioStoreFile() const;
    QString diagnosticCopyMarker() const;

private:
    QString m_executablePath;
    UserFolders m_folders;
    QString m_installationFolderName;
};
