#pragma once

#include <QString>

// How many digits the exchange takes in one dialling command.
namespace DialLimit {

inline constexpr int Standard = 16;
inline constexpr int Extended = 26;

// 26 for a "Tolmo" exchange from version 1.45 on, 16 for every other.
int maximumDigits(const QString& pbxType, const QString& pbxVersion);

// The digits that count towards the limit: a leading flash ("/") does not.
int countedDigits(const QString& digits);

} // namespace DialLimit
