#pragma once

#include <QString>

// Lines shown in the network console and written to net.log never show a PIN: a login keeps its first 10
// characters, a lock its first 12 and an account code its first 16, each followed by " ****".
namespace ConsoleMasking {

QString mask(const QString& line);

// Empty lines and the bare "t" are not worth a console line.
bool isWorthShowing(const QString& line);

} // namespace ConsoleMasking
