#include "recording/RecordingStorage.h"

#include "recording/AudioError.h"
#include "settings/Lang.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/statvfs.h>

namespace {

std::optional<qint64> statvfsFreeBytes(const QString& folder)
{
    struct statvfs info {};
    if (statvfs(QFile::encodeName(folder).constData(), &info) != 0) {
        return std::nullopt;
    }
    return static_cast<qint64>(info.f_bavail) * static_cast<qint64>(info.f_frsize);
}

} // namespace

RecordingStorage::RecordingStorage(QString defaultFolder, LogFile log, Environment environment)
    : m_defaultFolder(std::move(defaultFolder))
    , m_log(std::move(log))
    , m_environment(std::move(environment))
{
    if (!m_environment.freeBytes) {
        m_environment.freeBytes = &statvfsFreeBytes;
    }
    if (!m_environment.warn) {
        m_environment.warn = [](const QString&) {
        };
    }
}

QString RecordingStorage::defaultFolderIn(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("History/VoiceNotes"));
}

bool RecordingStorage::createFolder(const QString& folder)
{
    return QDir().mkpath(folder);
}

RecordingStorage::Folder RecordingStorage::FolderCheck(const QString& requested)
{
    QString folder = requested.isEmpty() ? m_defaultFolder : QDir::cleanPath(requested);
    if (!QFileInfo(folder).isDir()) {
        m_log.append(QStringLiteral("Directory not exists:") + folder);
        if (createFolder(folder)) {
            m_log.append(QStringLiteral("Directory created:") + folder);
        } else {
            m_log.append(QStringLiteral("Use default path"));
            m_log.append(QStringLiteral("Directory default will be used."));
            folder = m_defaultFolder;
            if (!QFileInfo(folder).isDir() && !createFolder(folder)) {
                m_environment.warn(Lang::_("Folder cannot be created:") + u' ' + folder);
                return {folder, AudioError::FolderUnavailable};
            }
        }
    }
    m_log.append(QStringLiteral("Audio file set on:") + folder);
    const std::optional<qint64> free = m_environment.freeBytes(folder);
    if (free && *free < RequiredFreeBytes) {
        const QString text = Lang::_("Insufficient disc space, required at last 2MB in:") + u' ' + folder;
        m_log.append(text);
        m_environment.warn(text);
        return {folder, AudioError::DiscFull};
    }
    return {folder, AudioError::None};
}

QString RecordingStorage::backupPath(const QString& workingPath)
{
    const QFileInfo info(workingPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".bak"));
}

void RecordingStorage::setAside(const QString& workingPath)
{
    if (!QFileInfo::exists(workingPath)) {
        return;
    }
    const QString backup = backupPath(workingPath);
    if (QFileInfo::exists(backup)) {
        QFile::setPermissions(backup, QFile::ReadOwner | QFile::WriteOwner);
        if (!QFile::remove(backup)) {
            m_log.append(QStringLiteral("Unable to delete file:") + backup);
        }
    }
    if (QFile::rename(workingPath, backup)) {
        m_log.append(QStringLiteral("Recording : %1 renamed to %2").arg(workingPath, backup));
    } else {
        m_log.append(QStringLiteral("Error! Unable to rename file: %1 to %2").arg(workingPath, backup));
    }
}

QString RecordingStorage::freeNameBeside(const QString& folder, const QString& name) const
{
    const QDir dir(folder);
    if (!QFileInfo::exists(dir.filePath(name))) {
        return dir.filePath(name);
    }
    const QFileInfo info(name);
    for (int number = 2;; ++number) {
        const QString candidate =
            dir.filePath(QStringLiteral("%1 (%2).%3").arg(info.completeBaseName()).arg(number).arg(info.suffix()));
        if (!QFileInfo::exists(candidate)) {
            return candidate;
        }
    }
}

QString RecordingStorage::keepAs(const QString& workingPath, const QString& finalName)
{
    if (!QFileInfo::exists(workingPath)) {
        m_log.append(QStringLiteral("File doesn't exist:") + workingPath);
        m_environment.warn(Lang::_("File of last recorded call is unavailable. The call will not be save."));
        return {};
    }
    if (finalName.isEmpty()) {
        m_log.append(QStringLiteral("No name for the recording; it stays as ") + workingPath);
        return {};
    }
    // QFile::rename never replaces an existing file; a name taken meanwhile is tried again with the next number.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString target = freeNameBeside(QFileInfo(workingPath).path(), finalName);
        if (QFile::rename(workingPath, target)) {
            m_log.append(QStringLiteral("File set as") + u' ' + target);
            return target;
        }
        if (!QFileInfo::exists(target)) {
            m_log.append(QStringLiteral("Unable to rename file:%1 to%2").arg(workingPath, target));
            return {};
        }
    }
    m_log.append(QStringLiteral("Unable to rename file:%1 to%2").arg(workingPath, finalName));
    return {};
}
