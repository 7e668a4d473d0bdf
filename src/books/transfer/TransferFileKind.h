#pragma once

#include <QList>
#include <QString>

// The kinds of file a phone book is exported to or imported from, in the order of the file dialog's type list.
// Access is a phone-book database of this client (table Book2; on import also a file of the Windows generation);
// Paradox is the first generation's table, which is only named so that the user is told it is not supported.
enum class TransferFileKind { Access = 1, Paradox = 2, Text = 3, CsvUtf8 = 4, VCard = 5 };

namespace TransferFileKinds {

QList<TransferFileKind> all();
// The type list entry, as "Text file (*.txt)".
QString dialogText(TransferFileKind kind);
// The extension without dot.
QString extension(TransferFileKind kind);
// The kind a file name's extension suggests; Text when none does.
TransferFileKind fromFileName(const QString& fileName);

} // namespace TransferFileKinds
