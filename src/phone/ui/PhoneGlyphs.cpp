#include "phone/ui/PhoneGlyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>
#include <cmath>

namespace {

constexpr qreal Pi = 3.14159265358979323846;

// The handset in unit coordinates: an arched handle with a cup at each end, the cups turned towards the arch's
// centre so that the shape reads as a handset lying on its cradle.
QPainterPath unitHandset()
{
    const QPointF archCentre(0, 0.30);
    const qreal radius = 0.40;
    const qreal startDegrees = 35;
    const qreal sweepDegrees = 110;
    const QRectF archBox(archCentre.x() - radius, archCentre.y() - radius, 2 * radius, 2 * radius);

    QPainterPath arch;
    arch.arcMoveTo(archBox, startDegrees);
    arch.arcTo(archBox, startDegrees, sweepDegrees);
    QPainterPathStroker stroker;
    stroker.setWidth(0.16);
    stroker.setCapStyle(Qt::FlatCap);
    QPainterPath shape = stroker.createStroke(arch);

    for (const qreal degrees : {startDegrees, startDegrees + sweepDegrees}) {
        const qreal radians = degrees * Pi / 180;
        const QPointF end = archCentre + QPointF(radius * std::cos(radians), -radius * std::sin(radians));
        QPainterPath cup;
        // Local x runs outwards along the radius, local y along the arch.
        cup.addRoundedRect(QRectF(-0.22, -0.14, 0.31, 0.28), 0.07, 0.07);
        shape = shape.united(QTransform().translate(end.x(), end.y()).rotate(-degrees).map(cup));
    }
    return shape.simplified();
}

} // namespace

namespace PhoneGlyphs {

QPainterPath handset(const QPointF& centre, qreal width, qreal angleDegrees)
{
    static const QPainterPath unit = unitHandset();
    const QRectF bounds = unit.boundingRect();
    const qreal scale = width / bounds.width();
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    transform.rotate(angleDegrees);
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform.map(unit);
}

QPainterPath deskBase(const QRectF& box)
{
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal x = box.left();
    const qreal y = box.top();
    const qreal round = qMin(w, h) * 0.18;
    QPainterPath base;
    base.moveTo(x + w * 0.20, y);
    base.lineTo(x + w * 0.80, y);
    base.quadTo(x + w * 0.88, y, x + w * 0.90, y + h * 0.12);
    base.lineTo(x + w, y + h - round);
    base.quadTo(x + w, y + h, x + w - round, y + h);
    base.lineTo(x + round, y + h);
    base.quadTo(x, y + h, x, y + h - round);
    base.lineTo(x + w * 0.10, y + h * 0.12);
    base.quadTo(x + w * 0.12, y, x + w * 0.20, y);
    base.closeSubpath();
    return base;
}

void drawDeskPhone(QPainter& painter, const QRectF& box, const QColor& colour, qreal liftDegrees)
{
    const QRectF baseBox(box.left() + box.width() * 0.08, box.top() + box.height() * 0.50, box.width() * 0.84,
                         box.height() * 0.44);
    const QPainterPath base = deskBase(baseBox);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(shaded(baseBox, colour));
    painter.drawPath(base);

    // The dial: a light ring in the middle of the base.
    const qreal dial = baseBox.height() * 0.62;
    const QRectF dialBox(baseBox.center().x() - dial / 2, baseBox.top() + baseBox.height() * 0.26, dial, dial);
    painter.setBrush(colour.lighter(165));
    painter.drawEllipse(dialBox);
    painter.setBrush(colour.darker(115));
    painter.drawEllipse(dialBox.adjusted(dial * 0.3, dial * 0.3, -dial * 0.3, -dial * 0.3));

    const qreal lift = liftDegrees == 0 ? 0 : box.height() * 0.10;
    const QPointF handsetCentre(box.center().x(), box.top() + box.height() * 0.33 - lift);
    const QPainterPath receiver = handset(handsetCentre, box.width() * 0.96, liftDegrees);
    painter.setBrush(shaded(receiver.boundingRect(), colour));
    painter.drawPath(receiver);
    painter.restore();
}

QPainterPath envelope(const QRectF& box)
{
    QPainterPath path;
    path.addRoundedRect(box, box.height() * 0.12, box.height() * 0.12);
    path.moveTo(box.topLeft() + QPointF(box.width() * 0.06, box.height() * 0.10));
    path.lineTo(box.center().x(), box.top() + box.height() * 0.58);
    path.lineTo(box.topRight() + QPointF(-box.width() * 0.06, box.height() * 0.10));
    return path;
}

void drawWaves(QPainter& painter, const QPointF& origin, qreal step, int count, qreal width, const QColor& colour,
               bool toLeft)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    const qreal startDegrees = toLeft ? 140 : -40;
    for (int i = 1; i <= count; ++i) {
        const qreal radius = step * i;
        const QRectF circle(origin.x() - radius, origin.y() - radius, 2 * radius, 2 * radius);
        painter.drawArc(circle, int(startDegrees * 16), 80 * 16);
    }
    painter.restore();
}

QBrush shaded(const QRectF& box, const QColor& colour)
{
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, colour.lighter(122));
    gradient.setColorAt(1, colour.darker(112));
    return gradient;
}

} // namespace PhoneGlyphs
