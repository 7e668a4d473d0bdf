#include "phone/ui/IconArt.h"

#include <QDebug>
#include <QFile>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <cmath>

// The pictures live in this static library, whose resource initialiser the linker would drop unless it is
// referenced; Q_INIT_RESOURCE must be called outside any namespace.
static void registerIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

// A sub-pixel place is kept to 1/64 of a device pixel, finer than antialiasing can show.
constexpr qreal PhaseSteps = 64;
// Painted pictures get a margin of this share of their size for the round ends of strokes that reach a little past
// their box.
constexpr qreal MarginShare = 0.125;

QByteArray inked(QByteArray svg, const QColor& ink)
{
    if (!ink.isValid()) {
        return svg;
    }
    const QByteArray colour = '"' + ink.name(QColor::HexRgb).toLatin1() + '"';
    const QByteArray opacity = '"' + QByteArray::number(ink.alphaF(), 'g', 3) + '"';
    svg.replace(R"(fill="currentColor")", "fill=" + colour + " fill-opacity=" + opacity);
    svg.replace(R"(stroke="currentColor")", "stroke=" + colour + " stroke-opacity=" + opacity);
    return svg;
}

QByteArray source(const QString& name)
{
    static const bool registered = (registerIconResources(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/icons/%1.svg").arg(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

// The picture drawn into target inside a transparent pixmap of pixels device pixels that says devicePixelRatio.
QPixmap rendered(const QString& name, const QSize& pixels, const QRectF& target, qreal devicePixelRatio,
                 const QColor& ink)
{
    const QString key = QStringLiteral("IconArt/%1/%2x%3/%4,%5,%6x%7/%8/%9")
                            .arg(name)
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(target.x())
                            .arg(target.y())
                            .arg(target.width())
                            .arg(target.height())
                            .arg(devicePixelRatio)
                            .arg(ink.isValid() ? ink.name(QColor::HexArgb) : QString());
    QPixmap picture;
    if (target.isEmpty() || QPixmapCache::find(key, &picture)) {
        return picture;
    }
    QSvgRenderer renderer(inked(source(name), ink));
    if (!renderer.isValid()) {
        qWarning().noquote() << "No valid icon picture named" << name;
        return {};
    }
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, target);
    painter.end();
    picture = QPixmap::fromImage(image);
    picture.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, picture);
    return picture;
}

qreal snapped(qreal phase)
{
    return std::round(phase * PhaseSteps) / PhaseSteps;
}

} // namespace

namespace IconArt {

QPixmap pixmap(const QString& name, int side, qreal devicePixelRatio, const QColor& ink)
{
    const QSize pixels = QSize(side, side) * devicePixelRatio;
    return rendered(name, pixels, QRectF(QPointF(), pixels), devicePixelRatio, ink);
}

void paint(QPainter& painter, const QRectF& box, const QString& name, const QColor& ink)
{
    const QTransform toDevice = painter.deviceTransform();
    const QRectF onDevice = toDevice.mapRect(box);
    const QPointF grid(std::floor(onDevice.left()), std::floor(onDevice.top()));
    const QPointF phase(snapped(onDevice.left() - grid.x()), snapped(onDevice.top() - grid.y()));
    const int margin = int(std::ceil(qMax(onDevice.width(), onDevice.height()) * MarginShare));
    const QSize pixels(int(std::ceil(phase.x() + onDevice.width())) + 2 * margin,
                       int(std::ceil(phase.y() + onDevice.height())) + 2 * margin);
    const QRectF target(phase + QPointF(margin, margin), onDevice.size());
    const QPixmap picture = rendered(name, pixels, target, toDevice.m11(), ink);
    if (!picture.isNull()) {
        // Pixel for pixel: the pixmap lands on the device's pixel grid.
        painter.drawPixmap(toDevice.inverted().map(grid - QPointF(margin, margin)), picture);
    }
}

} // namespace IconArt
