#include "books/ui/HistoryIcons.h"

#include "books/history/HistoryEntry.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

constexpr int Side = 32; // drawn large and scaled down by the view

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

const QColor Answered(0x2e, 0x9d, 0x3a);
const QColor NotAnswered(0xd0, 0x30, 0x2a);

// An arrow across the square: into the corner at the bottom left for an incoming call, out of it for an outgoing.
QIcon arrow(bool incoming, const QColor& colour)
{
    return drawn([incoming, colour](QPainter& painter) {
        painter.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF inner(8, 24);
        const QPointF outer(25, 7);
        const QPointF tip = incoming ? inner : outer;
        const QPointF tail = incoming ? outer : inner;
        painter.drawLine(tail, tip);
        const QPointF back = (tail - tip) / 2.5;
        painter.drawLine(tip, tip + QPointF(back.x(), 0));
        painter.drawLine(tip, tip + QPointF(0, back.y()));
    });
}

void envelope(QPainter& painter, const QColor& colour)
{
    painter.setPen(QPen(colour.darker(140), 2));
    painter.setBrush(colour.lighter(150));
    const QRectF body(4, 8, 24, 17);
    painter.drawRoundedRect(body, 2, 2);
    QPainterPath flap;
    flap.moveTo(body.topLeft());
    flap.lineTo(body.center().x(), body.top() + 9);
    flap.lineTo(body.topRight());
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(flap);
}

QIcon sms(const QColor& colour)
{
    return drawn([colour](QPainter& painter) { envelope(painter, colour); });
}

} // namespace

QIcon HistoryIcons::kind(int kind)
{
    switch (kind) {
    case HistoryKind::OutgoingNotAnswered:
        return arrow(false, NotAnswered);
    case HistoryKind::IncomingMissed:
        return arrow(true, NotAnswered);
    case HistoryKind::IncomingAnswered:
        return arrow(true, Answered);
    case HistoryKind::OutgoingAnswered:
        return arrow(false, Answered);
    case HistoryKind::SmsSent:
        return sms(QColor(0x3a, 0x6e, 0xc8));
    case HistoryKind::SmsThrownAside:
        return sms(QColor(0x88, 0x88, 0x88));
    case HistoryKind::SmsDelivered:
        return sms(Answered);
    case HistoryKind::SmsNotDelivered:
        return sms(NotAnswered);
    case HistoryKind::SmsTakenBack:
        return sms(QColor(0xe0, 0x90, 0x20));
    default:
        return {};
    }
}

QIcon HistoryIcons::archived(bool isSms)
{
    return drawn([isSms](QPainter& painter) {
        const QColor box(0x9a, 0x6b, 0x3a);
        painter.setPen(QPen(box.darker(150), 2));
        painter.setBrush(box.lighter(140));
        painter.drawRect(QRectF(4, 12, 24, 16));
        painter.setBrush(box);
        painter.drawRect(QRectF(2, 6, 28, 7));
        painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
        if (isSms) {
            painter.drawLine(QPointF(10, 20), QPointF(22, 20));
        } else {
            painter.drawEllipse(QPointF(16, 20), 3, 3);
        }
    });
}

QIcon HistoryIcons::recording()
{
    return drawn([](QPainter& painter) {
        painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
        painter.setBrush(QColor(0xf0, 0xf0, 0xf0));
        painter.drawRoundedRect(QRectF(2, 7, 28, 18), 3, 3);
        painter.setBrush(QColor(0xd0, 0x30, 0x2a));
        painter.drawEllipse(QPointF(10, 16), 4, 4);
        painter.drawEllipse(QPointF(22, 16), 4, 4);
    });
}

QIcon HistoryIcons::unseen()
{
    return drawn([](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x3a, 0x6e, 0xc8));
        painter.drawEllipse(QPointF(16, 16), 7, 7);
    });
}

QIcon HistoryIcons::missed()
{
    return drawn([](QPainter& painter) {
        painter.setPen(QPen(NotAnswered, 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(16, 6), QPointF(16, 19));
        painter.drawPoint(QPointF(16, 26));
    });
}
