#pragma once

#include <QString>

// The names the exchange gives its recordings. A recording file is named with 9 characters, the first 7 of which
// identify the recording; an announced name may carry the exchange's folder before its last "\" or "/".
namespace PbxRecordingName {

inline constexpr qsizetype NameLength = 9;
inline constexpr qsizetype IdentifierLength = 7;

struct RemoteName {
    QString folder; // empty when the name has no folder
    QString file;
};

// The name split at its last "\" or "/"; a name that starts with its only separator lies in the root folder
// ("/" or "\").
RemoteName split(const QString& name);

// The recording identifier of a file name of exactly 9 characters; empty for any other length.
QString identifier(const QString& fileName);

// The identifier of an announced name (its file part).
QString identifierOfAnnounced(const QString& name);

} // namespace PbxRecordingName
