#include "recording/pbx/PbxRecordingName.h"

namespace PbxRecordingName {

RemoteName split(const QString& name)
{
    const qsizetype separator = std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/'));
    if (separator < 0) {
        return {QString(), name};
    }
    return {name.left(separator), name.mid(separator + 1)};
}

QString identifier(const QString& fileName)
{
    return fileName.size() == NameLength ? fileName.left(IdentifierLength) : QString();
}

QString identifierOfAnnounced(const QString& name)
{
    return identifier(split(name).file);
}

} // namespace PbxRecordingName
