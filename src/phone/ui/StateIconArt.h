#pragma once

#include "phone/StateIcon.h"

#include <QRectF>

class QPainter;

// The pictogram on the telephone's display: one readable picture per situation, drawn into any box.
namespace StateIconArt {

inline constexpr int ConnectingFrames = 4;

// connectingFrame (0..3, taken modulo the frame count) turns the dots of the Connecting icon.
void paint(QPainter& painter, const QRectF& box, StateIcon icon, int connectingFrame = 0);

} // namespace StateIconArt
