#include "phone/ui/StateIconArt.h"

#include "phone/ui/PhoneGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace {

constexpr qreal Pi = 3.14159265358979323846;

// The colours tell the situation before the shape is read: green ready, orange-red calling, blue busy with a
// call being set up, grey without the exchange.
const QColor IdleGreen(0x2e, 0x9d, 0x4f);
const QColor RingingOrange(0xe8, 0x56, 0x2a);
const QColor ActiveBlue(0x2f, 0x7a, 0xc8);
const QColor HeldAmber(0xe0, 0x98, 0x1c);
const QColor OfflineGrey(0x86, 0x8f, 0x99);
const QColor KeypadTeal(0x1f, 0x8f, 0x8a);

// The box as a square, centred, so that pictures keep their proportions in any box.
QRectF square(const QRectF& box)
{
    const qreal side = qMin(box.width(), box.height());
    return QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
}

void fill(QPainter& painter, const QPainterPath& path, const QColor& colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(PhoneGlyphs::shaded(path.boundingRect(), colour));
    painter.drawPath(path);
}

void paintRinging(QPainter& painter, const QRectF& box)
{
    const QRectF phone = box.adjusted(box.width() * 0.18, box.height() * 0.12, -box.width() * 0.18, 0);
    PhoneGlyphs::drawDeskPhone(painter, phone, RingingOrange, 8);
    const qreal step = box.width() * 0.08;
    const qreal pen = box.width() * 0.05;
    const qreal y = box.top() + box.height() * 0.34;
    PhoneGlyphs::drawWaves(painter, QPointF(box.right() - box.width() * 0.22, y), step, 2, pen, RingingOrange);
    PhoneGlyphs::drawWaves(painter, QPointF(box.left() + box.width() * 0.22, y), step, 2, pen, RingingOrange, true);
}

// The handset lifted off a cradle: the base low on the right, the handset raised and turned on the left.
void paintOffHook(QPainter& painter, const QRectF& box)
{
    const QRectF baseBox(box.left() + box.width() * 0.30, box.top() + box.height() * 0.58, box.width() * 0.66,
                         box.height() * 0.36);
    fill(painter, PhoneGlyphs::deskBase(baseBox), ActiveBlue);
    const QPointF centre(box.left() + box.width() * 0.36, box.top() + box.height() * 0.34);
    fill(painter, PhoneGlyphs::handset(centre, box.width() * 0.78, -38), ActiveBlue);
}

// A handset held to the ear and an arrow going out of it.
void paintDialling(QPainter& painter, const QRectF& box)
{
    const QPointF centre(box.left() + box.width() * 0.40, box.top() + box.height() * 0.58);
    fill(painter, PhoneGlyphs::handset(centre, box.width() * 0.80, -45), ActiveBlue);

    const qreal w = box.width();
    const QPointF tail(box.left() + w * 0.58, box.top() + w * 0.42);
    const QPointF tip(box.left() + w * 0.94, box.top() + w * 0.06);
    painter.setPen(QPen(ActiveBlue, w * 0.09, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(tail, tip - QPointF(w * 0.08, -w * 0.08));
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip + QPointF(-w * 0.30, w * 0.02));
    head.lineTo(tip + QPointF(-w * 0.02, w * 0.30));
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ActiveBlue);
    painter.drawPath(head);
}

// A lit green disc with a white handset: the line is open.
void paintConnected(QPainter& painter, const QRectF& box)
{
    const QRectF disc =
        box.adjusted(box.width() * 0.04, box.height() * 0.04, -box.width() * 0.04, -box.height() * 0.04);
    QRadialGradient glow(disc.center() - QPointF(disc.width() * 0.15, disc.height() * 0.2), disc.width() * 0.7);
    glow.setColorAt(0, IdleGreen.lighter(150));
    glow.setColorAt(1, IdleGreen.darker(110));
    painter.setPen(QPen(IdleGreen.darker(140), box.width() * 0.03));
    painter.setBrush(glow);
    painter.drawEllipse(disc);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(PhoneGlyphs::handset(box.center() + QPointF(-box.width() * 0.06, box.height() * 0.04),
                                          box.width() * 0.56, -40));
    PhoneGlyphs::drawWaves(painter, box.center() + QPointF(box.width() * 0.02, -box.height() * 0.02),
                           box.width() * 0.13, 2, box.width() * 0.05, Qt::white);
}

void paintHeld(QPainter& painter, const QRectF& box)
{
    const qreal w = box.width();
    const QRectF ring = box.adjusted(w * 0.08, w * 0.08, -w * 0.08, -w * 0.08);
    painter.setPen(QPen(HeldAmber, w * 0.08));
    painter.setBrush(HeldAmber.lighter(185));
    painter.drawEllipse(ring);
    painter.setPen(Qt::NoPen);
    painter.setBrush(HeldAmber.darker(110));
    const qreal barWidth = w * 0.12;
    const qreal barHeight = w * 0.38;
    const qreal top = box.center().y() - barHeight / 2;
    painter.drawRoundedRect(QRectF(box.center().x() - w * 0.16, top, barWidth, barHeight), w * 0.03, w * 0.03);
    painter.drawRoundedRect(QRectF(box.center().x() + w * 0.04, top, barWidth, barHeight), w * 0.03, w * 0.03);
}

// Two chain links pulled apart with a spark between them.
void paintDisconnected(QPainter& painter, const QRectF& box)
{
    const qreal w = box.width();
    painter.save();
    painter.translate(box.center());
    painter.rotate(-45);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(OfflineGrey, w * 0.09, Qt::SolidLine, Qt::RoundCap));
    const QSizeF link(w * 0.42, w * 0.24);
    painter.drawRoundedRect(QRectF(QPointF(-w * 0.52, -link.height() / 2), link), link.height() / 2, link.height() / 2);
    painter.drawRoundedRect(QRectF(QPointF(w * 0.10, -link.height() / 2), link), link.height() / 2, link.height() / 2);
    painter.restore();

    painter.setPen(QPen(RingingOrange, w * 0.05, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = box.center();
    painter.drawLine(c + QPointF(-w * 0.02, -w * 0.10), c + QPointF(-w * 0.10, -w * 0.24));
    painter.drawLine(c + QPointF(w * 0.02, w * 0.10), c + QPointF(w * 0.10, w * 0.24));
    painter.drawLine(c + QPointF(w * 0.10, -w * 0.04), c + QPointF(w * 0.24, -w * 0.06));
}

// Eight dots on a circle; the bright head moves a quarter turn per frame and the dots behind it fade.
void paintConnecting(QPainter& painter, const QRectF& box, int frame)
{
    constexpr int Dots = 8;
    const int head =
        (((frame % StateIconArt::ConnectingFrames) + StateIconArt::ConnectingFrames) % StateIconArt::ConnectingFrames) *
        (Dots / StateIconArt::ConnectingFrames);
    const qreal radius = box.width() * 0.36;
    const qreal dot = box.width() * 0.13;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < Dots; ++i) {
        const int behind = (head - i + Dots) % Dots;
        QColor colour = ActiveBlue;
        colour.setAlphaF(behind < 3 ? 1.0 - 0.25 * behind : 0.25);
        const qreal angle = 2 * Pi * i / Dots - Pi / 2;
        const QPointF centre = box.center() + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        const qreal size = behind == 0 ? dot * 1.25 : dot;
        painter.setBrush(colour);
        painter.drawEllipse(centre, size / 2, size / 2);
    }
}

// A keypad of twelve keys, ready for the number to be sent.
void paintNumberReady(QPainter& painter, const QRectF& box)
{
    const qreal w = box.width();
    const qreal key = w * 0.20;
    const qreal gap = w * 0.06;
    const qreal left = box.center().x() - (3 * key + 2 * gap) / 2;
    const qreal top = box.center().y() - (4 * key + 3 * gap) / 2;
    painter.setPen(Qt::NoPen);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRectF keyBox(left + column * (key + gap), top + row * (key + gap), key, key);
            painter.setBrush(row == 3 && column != 1 ? KeypadTeal.lighter(150) : KeypadTeal);
            painter.drawRoundedRect(keyBox, key * 0.3, key * 0.3);
        }
    }
}

} // namespace

namespace StateIconArt {

void paint(QPainter& painter, const QRectF& box, StateIcon icon, int connectingFrame)
{
    const QRectF area = square(box);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
    case StateIcon::Idle:
        PhoneGlyphs::drawDeskPhone(painter, area, IdleGreen);
        break;
    case StateIcon::NumberReady:
        paintNumberReady(painter, area);
        break;
    case StateIcon::OffHook:
        paintOffHook(painter, area);
        break;
    case StateIcon::Dialling:
        paintDialling(painter, area);
        break;
    case StateIcon::Ringing:
        paintRinging(painter, area);
        break;
    case StateIcon::Connected:
        paintConnected(painter, area);
        break;
    case StateIcon::Held:
        paintHeld(painter, area);
        break;
    case StateIcon::Disconnected:
        paintDisconnected(painter, area);
        break;
    case StateIcon::Connecting:
        paintConnecting(painter, area, connectingFrame);
        break;
    }
    painter.restore();
}

} // namespace StateIconArt
