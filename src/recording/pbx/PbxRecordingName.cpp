#include "recording/pbx/PbxRecordingName.h"

namespace PbxRecordingName {

RemoteName split(const QString& name)
{
    const qsizetype separator = std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/'));
    if (separator < 0) {
        return {QString(), name};
    }
    // A name from the root keeps the root as its folder rather than falling back to the login folder.
    return {name.left(separator == 0 ? 1 : separator), name.mid(separator + 1)};
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
