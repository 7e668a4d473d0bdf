#pragma once

#include <QString>

// Extension numbers, PINs and account numbers travel in four-character fields padded on the right with "_";
// a longer value is sent unchanged.
namespace ExtensionField {

inline constexpr int Width = 4;

QString pad(const QString& value);

} // namespace ExtensionField
