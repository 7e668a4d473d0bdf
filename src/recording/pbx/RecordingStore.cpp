#include "recording/pbx/RecordingStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <filesystem>

namespace RecordingStore {

QString pathInside(const QString& folder, const QString& name)
{
    if (folder.isEmpty() || name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') ||
        name.contains(u'\\') || name.contains(QChar(0))) {
        return {};
    }
    // Joined by hand: QDir::filePath() takes a name that starts with ":" for a resource path of its own.
    const QString base = QDir::cleanPath(folder);
    return base.endsWith(u'/') ? base + name : base + u'/' + name;
}

QString write(const QString& folder, const QString& name, const QByteArray& data)
{
    const QString path = pathInside(folder, name);
    if (path.isEmpty() || !QDir().mkpath(folder)) {
        return {};
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        return {};
    }
    return path;
}

QString rename(const QString& path, const QString& newName)
{
    const QFileInfo current(path);
    const QString target = pathInside(current.absolutePath(), newName);
    if (target.isEmpty()) {
        return {};
    }
    if (QFileInfo(target) == current) {
        return path;
    }
    // The recording under the call's name replaces an older file of that name in one step.
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(path).toStdString(), QFile::encodeName(target).toStdString(), error);
    return error ? QString() : target;
}

} // namespace RecordingStore
