#pragma once

#include <QString>

// A small text file the desktop reads (a .desktop entry, mimeapps.list): written whole and atomically, and only
// when its text differs from what is there, so that a start does not wake every watcher of the folder.
namespace DesktopEntryFile {

enum class Outcome { Unchanged, Written, Failed };

Outcome writeIfDifferent(const QString& path, const QString& text);
// The file's text; empty when it is missing or cannot be read.
QString read(const QString& path);
// Quotes a program path for an Exec line: inside double quotes with ", `, $ and \ escaped, % doubled, and then
// every backslash doubled again as the entry's string values require.
QString quotedProgram(const QString& path);

} // namespace DesktopEntryFile
