#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

// The program's icons, drawn in SVG under data/icons and compiled in. A picture is named by its path there without
// ".svg": "state/idle", "tray/normal". Each picture is rendered for the device pixels it lands on, as crisp as a
// drawing made straight onto the screen, and kept: the next request for the same size, pixel ratio and ink is a
// copy.
//
// The parts of a picture drawn in ink say fill="currentColor" or stroke="currentColor"; ink gives them their colour
// and its opacity. Without an ink they stay black.
namespace IconArt {

// The picture filling a square of side logical pixels for a screen of devicePixelRatio: side * devicePixelRatio
// device pixels that say devicePixelRatio. A null pixmap, and a warning, for a name without a valid picture.
QPixmap pixmap(const QString& name, int side, qreal devicePixelRatio = 1, const QColor& ink = {});

// Draws the picture into box, rendered for the painter's device at the sub-pixel place where box falls, so that it
// looks as if drawn as a vector. The painter's transformation is assumed to be a translation and a uniform scale.
void paint(QPainter& painter, const QRectF& box, const QString& name, const QColor& ink = {});

} // namespace IconArt
