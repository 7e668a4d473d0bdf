#include "phone/ui/TrayIconArt.h"

#include "phone/ui/PhoneGlyphs.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>
#include <array>
#include <functional>

namespace {

constexpr std::array<int, 6> PixmapSizes{16, 22, 24, 32, 48, 64};
constexpr int SmsFrames = 2;

const QColor NormalGreen(0x2f, 0xa8, 0x4f);
const QColor CallRed(0xe4, 0x57, 0x2e);
const QColor OfflineGrey(0x8a, 0x93, 0x9e);
const QColor ConnectingBlue(0x3d, 0x9b, 0xff);
const QColor FlashGold(0xff, 0xd2, 0x3f);

using Painting = std::function<void(QPainter&, const QRectF&)>;

QIcon paintedIcon(const Painting& paint)
{
    QIcon icon;
    for (const int size : PixmapSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A shaded disc of colour with a white handset; highlighted, the disc is lighter and wears a gold ring.
void paintPhoneDisc(QPainter& painter, const QRectF& box, const QColor& colour, bool highlighted)
{
    const qreal side = box.width();
    const qreal ring = highlighted ? qMax(1.5, side * 0.10) : 0;
    const QRectF disc = box.adjusted(0.5 + ring, 0.5 + ring, -0.5 - ring, -0.5 - ring);
    const QColor face = highlighted ? colour.lighter(130) : colour;
    if (highlighted) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(FlashGold);
        painter.drawEllipse(box.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    QRadialGradient light(disc.center() - QPointF(disc.width() * 0.2, disc.height() * 0.25), disc.width() * 0.75);
    light.setColorAt(0, face.lighter(135));
    light.setColorAt(1, face.darker(115));
    painter.setPen(side >= 24 ? QPen(face.darker(150), side / 32.0) : Qt::NoPen);
    painter.setBrush(light);
    painter.drawEllipse(disc);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(PhoneGlyphs::handset(disc.center() + QPointF(0, disc.height() * 0.04), disc.width() * 0.74, -20));
}

// The grey telephone with a blue quarter ring that turns a quarter per frame.
void paintConnecting(QPainter& painter, const QRectF& box, int frame)
{
    paintPhoneDisc(painter, box, OfflineGrey, false);
    const qreal width = qMax(2.0, box.width() * 0.14);
    const QRectF arc = box.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ConnectingBlue, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(arc, (90 - 90 * frame) * 16, -90 * 16);
}

void paintEnvelope(QPainter& painter, const QRectF& box, bool highlighted)
{
    const qreal side = box.width();
    const QRectF tile = box.adjusted(0.5, side * 0.12, -0.5, -side * 0.12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(PhoneGlyphs::shaded(tile, highlighted ? FlashGold : QColor(0x2f, 0x7a, 0xc8)));
    painter.drawRoundedRect(tile, side * 0.14, side * 0.14);
    const qreal inset = side * 0.16;
    const QRectF letter = tile.adjusted(inset, inset * 0.8, -inset, -inset * 0.8);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(highlighted ? QColor(0x3a, 0x2a, 0x00) : QColor(Qt::white), qMax(1.2, side / 14.0),
                        Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(PhoneGlyphs::envelope(letter));
}

QColor staticColour(int index)
{
    switch (index) {
    case 0:
        return NormalGreen;
    case 1:
        return CallRed;
    default:
        return OfflineGrey;
    }
}

} // namespace

namespace TrayIconArt {

int frameCount(TrayIconList list)
{
    switch (list) {
    case TrayIconList::Static:
        return 3;
    case TrayIconList::FlashGreen:
    case TrayIconList::FlashRed:
    case TrayIconList::FlashGrey:
        return 2;
    case TrayIconList::Connecting:
        return 4;
    }
    return 0;
}

namespace {

QIcon paintIcon(TrayIconList list, int index)
{
    switch (list) {
    case TrayIconList::Static:
        return paintedIcon(
            [index](QPainter& p, const QRectF& box) { paintPhoneDisc(p, box, staticColour(index), false); });
    case TrayIconList::FlashGreen:
    case TrayIconList::FlashRed:
    case TrayIconList::FlashGrey: {
        // Each flashing list flashes the static icon of the same colour.
        const int staticIndex = list == TrayIconList::FlashGreen ? 0 : list == TrayIconList::FlashRed ? 1 : 2;
        return paintedIcon([staticIndex, index](QPainter& p, const QRectF& box) {
            paintPhoneDisc(p, box, staticColour(staticIndex), index == 1);
        });
    }
    case TrayIconList::Connecting:
        return paintedIcon([index](QPainter& p, const QRectF& box) { paintConnecting(p, box, index); });
    }
    return {};
}

} // namespace

QIcon icon(TrayIconList list, int index)
{
    if (index < 0 || index >= frameCount(list)) {
        return {};
    }
    // Painted once: the tray changes its icon at every call event and every animation step.
    static QHash<int, QIcon> painted;
    const int key = static_cast<int>(list) * 16 + index;
    auto found = painted.constFind(key);
    if (found == painted.constEnd()) {
        found = painted.insert(key, paintIcon(list, index));
    }
    return *found;
}

QIcon smsIcon(int frame)
{
    if (frame < 0 || frame >= SmsFrames) {
        return {};
    }
    return paintedIcon([frame](QPainter& p, const QRectF& box) { paintEnvelope(p, box, frame == 1); });
}

} // namespace TrayIconArt
