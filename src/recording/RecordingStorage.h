#pragma once

#include "settings/LogFile.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

// The folder of the recordings and the files in it: the folder check with its free-space rule, the working file
// that a capture writes, the ".bak" it leaves when a new capture starts, and the rename to the call's final name.
class RecordingStorage final {
public:
    static constexpr qint64 RequiredFreeBytes = 2 * 1024 * 1024;

    struct Environment {
        // Free bytes for an unprivileged user on the file system of a folder; nothing when it cannot be told.
        std::function<std::optional<qint64>(const QString& folder)> freeBytes;
        // A warning the user has to see.
        std::function<void(const QString& text)> warn;
    };

    // The outcome of a folder check: the folder to record in, or the recorder's error code.
    struct Folder {
        QString path;
        quint32 errorCode = 0;
    };

    RecordingStorage(QString defaultFolder, LogFile log, Environment environment = {});

    // The default folder of recordings below the per-user data folder.
    static QString defaultFolderIn(const QString& dataFolder);

    // Creates folder (with its parents) when missing, else falls back to the default folder, and checks that it
    // has at least 2 MiB free.
    Folder FolderCheck(const QString& folder);
    // Moves a working file left by an earlier recording to its ".bak" name, replacing an older ".bak".
    void setAside(const QString& workingPath);
    // Renames the working file to finalName in its folder. When that name is taken the file gets the first free
    // name beside it, "name (2).ogg" and so on, so that no recording replaces another. The path kept, or empty
    // when the working file is gone or cannot be renamed.
    QString keepAs(const QString& workingPath, const QString& finalName);

    static QString backupPath(const QString& workingPath);

private:
    bool createFolder(const QString& folder);
    QString freeNameBeside(const QString& folder, const QString& name) const;

    QString m_defaultFolder;
    LogFile m_log;
    Environment m_environment;
};
