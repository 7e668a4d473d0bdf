#pragma once

#include <QFile>
#include <QString>

// True when the file may be read and written by its owner and by nobody else.
inline bool isOwnerOnly(const QString& path)
{
    const QFileDevice::Permissions permissions = QFile::permissions(path);
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    return permissions.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner) && (permissions & others) == 0;
}
