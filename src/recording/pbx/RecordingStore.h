#pragma once

#include <QByteArray>
#include <QString>

// Writes fetched recordings into the recordings folder. A file is written under a temporary name in the same
// folder and then renamed, so a reader never sees half a file; names that would lead out of the folder are refused.
namespace RecordingStore {

// The path of name directly inside folder; empty when name is not a plain file name (a separator, "." or "..").
QString pathInside(const QString& folder, const QString& name);

// Writes data as folder/name, creating the folder when needed. Answers the path, or empty when it failed.
QString write(const QString& folder, const QString& name, const QByteArray& data);

// Renames a stored recording within its folder; the new path, or empty when it failed.
QString rename(const QString& path, const QString& newName);

} // namespace RecordingStore
