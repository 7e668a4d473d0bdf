#include "settings/LogFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

LogFile::LogFile(QString path, Stamp stamp, Clock clock)
    : m_path(std::move(path))
    , m_stamp(stamp)
    , m_clock(std::move(clock))
{
}

QString LogFile::prefix(const QDateTime& time, Stamp stamp)
{
    const QString format = stamp == Stamp::Time ? QStringLiteral("hh:mm:ss") : QStringLiteral("yy-MM-dd hh:mm:ss");
    return u'[' + time.toString(format) + QStringLiteral("] ");
}

bool LogFile::append(const QString& line) const
{
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath())) {
        return false;
    }
    QFile file(m_path);
    const bool created = !file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return false;
    }
    if (created) {
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    const QByteArray bytes = (prefix(m_clock(), m_stamp) + line + u'\n').toUtf8();
    return file.write(bytes) == bytes.size();
}
