#pragma once

#include <QBrush>
#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QPainter;

// The vector shapes that the skin, the state icons and the tray icons share: the handset, the desk telephone, the
// envelope and the sound waves. Every shape is built for the box it is given, so it stays crisp at any size and
// device pixel ratio.
namespace PhoneGlyphs {

// A handset of the given width centred on centre; at angle 0 it lies as on the cradle (both cups pointing down),
// positive angles turn it clockwise.
QPainterPath handset(const QPointF& centre, qreal width, qreal angleDegrees);

// The base of a desk telephone filling box: a rounded trapezoid with a cradle notch at the top.
QPainterPath deskBase(const QRectF& box);

// A desk telephone in box with its handset on the cradle, or lifted by liftDegrees and raised a little.
void drawDeskPhone(QPainter& painter, const QRectF& box, const QColor& colour, qreal liftDegrees = 0);

// An envelope outline with its flap, drawn with the painter's pen.
QPainterPath envelope(const QRectF& box);

// count concentric arcs of a sound wave to the right of origin (mirrored to the left when toLeft), each radius
// step apart, stroked with width.
void drawWaves(QPainter& painter, const QPointF& origin, qreal step, int count, qreal width, const QColor& colour,
               bool toLeft = false);

// colour with a vertical gradient, lighter at the top of box, for a slightly rounded look.
QBrush shaded(const QRectF& box, const QColor& colour);

} // namespace PhoneGlyphs
