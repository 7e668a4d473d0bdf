#pragma once

#include <QStringView>
#include <optional>

// Reads an integer value of an ini file as the Windows generation of the client wrote and read them: decimal
// with an optional sign, or hexadecimal after "$" or "0x"; spaces around the number are allowed. Anything else,
// or a number outside the 32-bit signed range, is no integer.
std::optional<int> parseIniInteger(QStringView text);
