#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The seventeen columns a user may choose for an import or an export. Each code stands for one Book2 column, code
// 13 ("Automation") for the two columns Fwd and FwdNr. ID and GroupID are never transferred.
namespace TransferColumns {

inline constexpr int FirstCode = 1;
inline constexpr int LastCode = 17;

// Every code in its natural order, the default choice.
QList<int> allCodes();

// The Book2 columns of code; empty for a code outside 1..17.
QStringList columnsOf(int code);
// The columns of codes in the chosen order.
QStringList columnsOf(const QList<int>& codes);
// The select list of codes: their columns joined by ", ".
QString selectList(const QList<int>& codes);

// The entry of code in the column lists of the export and of the import window.
QString exportText(int code);
QString importText(int code);

// Whether column holds text (written in double quotes in a text file); the others hold numbers or yes/no.
bool isTextColumn(const QString& column);
// The column's type in a book file of the Access kind.
QString sqlType(const QString& column);

} // namespace TransferColumns
