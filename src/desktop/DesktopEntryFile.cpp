#include "desktop/DesktopEntryFile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace DesktopEntryFile {

QString read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

Outcome writeIfDifferent(const QString& path, const QString& text)
{
    if (QFileInfo::exists(path) && read(path) == text) {
        return Outcome::Unchanged;
    }
    if (!QDir().mkpath(QFileInfo(path).path())) {
        qWarning().noquote() << "Cannot create the folder of" << path;
        return Outcome::Failed;
    }
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        qWarning().noquote() << "Cannot write" << path << '-' << file.errorString();
        return Outcome::Failed;
    }
    return Outcome::Written;
}

QString quotedProgram(const QString& path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
            quoted += u'\\';
        } else if (c == u'%') {
            quoted += u'%';
        }
        quoted += c;
    }
    QString value = u'"' + quoted + u'"';
    return value.replace(u'\\', QStringLiteral("\\\\"));
}

} // namespace DesktopEntryFile
