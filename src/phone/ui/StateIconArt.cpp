#include "phone/ui/StateIconArt.h"

#include "phone/ui/IconArt.h"

namespace {

QString pictureName(StateIcon icon, int connectingFrame)
{
    switch (icon) {
    case StateIcon::Idle:
        return QStringLiteral("state/idle");
    case StateIcon::NumberReady:
        return QStringLiteral("state/number-ready");
    case StateIcon::OffHook:
        return QStringLiteral("state/off-hook");
    case StateIcon::Dialling:
        return QStringLiteral("state/dialling");
    case StateIcon::Ringing:
        return QStringLiteral("state/ringing");
    case StateIcon::Connected:
        return QStringLiteral("state/connected");
    case StateIcon::Held:
        return QStringLiteral("state/held");
    case StateIcon::Disconnected:
        return QStringLiteral("state/disconnected");
    case StateIcon::Connecting: {
        const int frame = ((connectingFrame % StateIconArt::ConnectingFrames) + StateIconArt::ConnectingFrames) %
                          StateIconArt::ConnectingFrames;
        return QStringLiteral("state/connecting-%1").arg(frame);
    }
    }
    return {};
}

} // namespace

namespace StateIconArt {

void paint(QPainter& painter, const QRectF& box, StateIcon icon, int connectingFrame)
{
    // The pictures are square: in any other box they keep their proportions, centred.
    const qreal side = qMin(box.width(), box.height());
    QRectF square(0, 0, side, side);
    square.moveCenter(box.center());
    IconArt::paint(painter, square, pictureName(icon, connectingFrame));
}

} // namespace StateIconArt
