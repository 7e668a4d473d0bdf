#pragma once

#include "phone/ui/SkinButton.h"

#include <QColor>
#include <QRectF>

class QPainter;

// The small picture on each skin button, drawn with ink into box. lit marks a button whose function is on: the
// record dot glows red while recording and the pin is filled while the window stays on top.
namespace ButtonGlyphs {

void paint(QPainter& painter, const QRectF& box, SkinButton button, const QColor& ink, bool lit);

} // namespace ButtonGlyphs
