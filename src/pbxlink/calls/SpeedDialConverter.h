#pragma once

#include <QString>

// The exchange's speed-dial form of a number: a "#" at the end tells it the number is complete, so it dials at once
// instead of waiting for more digits. Feature codes (beginning with "#" or "*", or a flash followed by one) are
// left as they are.
namespace SpeedDialConverter {

QString toSpeedDial(const QString& digits);

// The number as the user dialled it: the closing "#" removed again (but not the second of "##").
QString fromSpeedDial(const QString& digits);

} // namespace SpeedDialConverter
