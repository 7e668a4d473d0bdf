#pragma once

#include <QString>
#include <optional>

// The reversible rule that keeps PINs out of the settings file in clear. A PIN is padded with "_" to four
// characters and cut to four, and those four characters become a 16-character text of printable ASCII that never
// holds "=" (so the ini line cannot be misread). An empty PIN stays empty both ways.
namespace SecretScrambler {

inline constexpr int SecretLength = 4;
inline constexpr int ScrambledLength = 16;

QString scramble(const QString& secret);

// The four characters kept by scramble(), or nothing when the stored text was not made by scramble().
// An empty text gives an empty PIN.
std::optional<QString> unscramble(const QString& stored);

} // namespace SecretScrambler
