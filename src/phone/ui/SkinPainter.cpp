#include "phone/ui/SkinPainter.h"

#include "phone/ui/ButtonGlyphs.h"
#include "phone/ui/StateIconArt.h"
#include "settings/Lang.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

const QColor BodyTop(0x3a, 0x41, 0x4c);
const QColor BodyBottom(0x1c, 0x20, 0x26);
const QColor BodyEdge(0x0d, 0x0f, 0x12);
const QColor BrandInk(0x8d, 0x98, 0xa7);
const QColor DisplayTop(0xee, 0xf4, 0xf7);
const QColor DisplayBottom(0xcf, 0xdc, 0xe4);
const QColor DisplayText(0x15, 0x20, 0x2b);
const QColor DisplaySmallText(0x46, 0x55, 0x63);
const QColor KeyTop(0x4d, 0x55, 0x63);
const QColor KeyBottom(0x33, 0x39, 0x43);
const QColor KeyInk(0xe9, 0xee, 0xf4);
const QColor HoverRim(0x8f, 0xc3, 0xff);
const QColor ConfirmGreen(0x3a, 0xa8, 0x56);
const QColor CancelRed(0xd9, 0x48, 0x40);
const QColor ForwardAmber(0xf0, 0xa0, 0x30);
const QColor DoNotDisturbRed(0xe0, 0x4e, 0x44);
const QColor LockInk(0xd6, 0xdc, 0xe4);

// A small coloured pill with a short word; returns its width.
qreal paintBadge(QPainter& painter, const QPointF& origin, const QString& text, const QColor& colour)
{
    const QFont font = SkinLayout::font(SkinLayout::Text::Badge);
    const qreal width = QFontMetricsF(font).horizontalAdvance(text) + 8;
    const QRectF pill(origin, QSizeF(width, 10));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(pill, 5, 5);
    painter.setFont(font);
    painter.setPen(colour.lightness() > 140 ? QColor(0x2a, 0x1c, 0x00) : QColor(Qt::white));
    painter.drawText(pill, Qt::AlignCenter, text);
    return width;
}

void paintLock(QPainter& painter, const QPointF& origin)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(LockInk, 1.4));
    painter.drawArc(QRectF(origin + QPointF(2, 0), QSizeF(6, 7)), 0, 180 * 16);
    painter.drawLine(origin + QPointF(2, 3.5), origin + QPointF(2, 5));
    painter.drawLine(origin + QPointF(8, 3.5), origin + QPointF(8, 5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(LockInk);
    painter.drawRoundedRect(QRectF(origin + QPointF(0.5, 4.5), QSizeF(9, 6)), 1.5, 1.5);
}

void paintBadges(QPainter& painter, const SkinLook& look)
{
    QPointF origin = SkinLayout::badgeOrigin();
    constexpr qreal Gap = 4;
    if (look.forwarding) {
        origin.rx() += paintBadge(painter, origin, Lang::_("FWD"), ForwardAmber) + Gap;
    }
    if (look.doNotDisturb) {
        origin.rx() += paintBadge(painter, origin, Lang::_("DND"), DoNotDisturbRed) + Gap;
    }
    if (look.locked) {
        paintLock(painter, origin - QPointF(0, 1));
    }
}

void paintAreaLine(QPainter& painter, const SkinLook& look)
{
    const QRect line = SkinLayout::areaLineRect();
    const QFont font = SkinLayout::font(SkinLayout::Text::Area);
    const SkinPainter::AreaLine texts =
        SkinPainter::fitAreaLine(QFontMetrics(font), line.width(), look.areaText, look.infoText);
    painter.setFont(font);
    painter.setPen(DisplaySmallText);
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, texts.info);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, texts.area);
}

void paintShowText(QPainter& painter, const SkinLook& look)
{
    const QRect line = SkinLayout::showTextRect();
    const QFont font = SkinLayout::font(SkinLayout::Text::Show);
    painter.setFont(font);
    painter.setPen(DisplayText);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(font).elidedText(look.showText, Qt::ElideRight, line.width()));
}

struct KeyColours {
    QColor top;
    QColor bottom;
};

KeyColours keyColours(SkinButton button, ButtonFace face, bool sunk)
{
    KeyColours colours{KeyTop, KeyBottom};
    if (button == SkinButton::OK) {
        colours = {ConfirmGreen.lighter(118), ConfirmGreen.darker(125)};
    } else if (button == SkinButton::Esc) {
        colours = {CancelRed.lighter(118), CancelRed.darker(125)};
    }
    if (face == ButtonFace::Hovered) {
        colours = {colours.top.lighter(118), colours.bottom.lighter(118)};
    }
    if (sunk) {
        colours = {colours.bottom.darker(115), colours.top.darker(108)};
    }
    if (face == ButtonFace::Disabled) {
        // A disabled key keeps its hue faintly but loses its light.
        colours = {KeyTop.darker(125), KeyBottom.darker(110)};
        if (button == SkinButton::OK || button == SkinButton::Esc) {
            colours.top = button == SkinButton::OK ? ConfirmGreen.darker(220) : CancelRed.darker(220);
        }
    }
    return colours;
}

void paintKey(QPainter& painter, SkinButton button, ButtonFace face, bool lit)
{
    const QRectF rect = QRectF(SkinLayout::buttonRect(button)).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool strip = SkinLayout::isStripButton(button);
    const qreal radius = strip ? 3.5 : 5;
    // The always-on-top button stays pressed in while the window stays on top.
    const bool sunk = face == ButtonFace::Pressed || (button == SkinButton::OnTop && lit);
    const KeyColours colours = keyColours(button, face, sunk);

    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, colours.top);
    gradient.setColorAt(1, colours.bottom);
    painter.setPen(QPen(face == ButtonFace::Hovered ? HoverRim : BodyEdge, 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(rect, radius, radius);
    if (!sunk && face != ButtonFace::Disabled) {
        painter.setPen(QPen(QColor(255, 255, 255, 45), 1));
        painter.drawLine(rect.topLeft() + QPointF(radius, 1), rect.topRight() + QPointF(-radius, 1));
    }

    const qreal glyphSide = strip ? 10 : rect.height() > 30 ? 18 : 13;
    QRectF glyph(0, 0, glyphSide, glyphSide);
    glyph.moveCenter(rect.center() + (sunk ? QPointF(0, 1) : QPointF()));
    QColor ink = KeyInk;
    if (face == ButtonFace::Disabled) {
        ink.setAlphaF(0.32);
    }
    ButtonGlyphs::paint(painter, glyph, button, ink, lit && face != ButtonFace::Disabled);
}

bool isLit(SkinButton button, const SkinLook& look)
{
    return (button == SkinButton::Rec && look.recording) || (button == SkinButton::OnTop && look.onTop);
}

} // namespace

namespace SkinPainter {

void paint(QPainter& painter, const SkinLook& look, const ButtonFaces& faces)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintCase(painter, QRectF(0, 0, SkinLayout::Width, SkinLayout::Height));
    paintBrand(painter, SkinLayout::brandRect());
    paintBadges(painter, look);
    paintDisplay(painter, SkinLayout::displayRect());
    StateIconArt::paint(painter, SkinLayout::stateIconRect(), look.icon, look.connectingFrame);
    paintAreaLine(painter, look);
    paintShowText(painter, look);
    for (const SkinButton button : SkinLayout::Buttons) {
        paintKey(painter, button, faces[std::size_t(button)], isLit(button, look));
    }
    painter.restore();
}

void paintCase(QPainter& painter, const QRectF& bounds)
{
    const QRectF body = bounds.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gradient(body.topLeft(), body.bottomLeft());
    gradient.setColorAt(0, BodyTop);
    gradient.setColorAt(1, BodyBottom);
    painter.setPen(QPen(BodyEdge, 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(body, SkinLayout::CornerRadius, SkinLayout::CornerRadius);
    // A thin light line just inside the edge catches the light like a moulded case.
    painter.setPen(QPen(QColor(255, 255, 255, 38), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body.adjusted(1, 1, -1, -1), SkinLayout::CornerRadius - 1, SkinLayout::CornerRadius - 1);
}

void paintBrand(QPainter& painter, const QRectF& box)
{
    painter.setFont(SkinLayout::font(SkinLayout::Text::Brand));
    painter.setPen(BrandInk);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TERVO"));
}

// The display sits in a dark bezel, lit from above, with a soft shadow under its top edge.
void paintDisplay(QPainter& painter, const QRectF& bounds)
{
    const QRectF panel = bounds.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(BodyEdge, 1));
    painter.setBrush(BodyEdge);
    painter.drawRoundedRect(panel, 6, 6);
    const QRectF glass = panel.adjusted(1.5, 1.5, -1.5, -1.5);
    QLinearGradient light(glass.topLeft(), glass.bottomLeft());
    light.setColorAt(0, DisplayTop);
    light.setColorAt(1, DisplayBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(light);
    painter.drawRoundedRect(glass, 4.5, 4.5);
    QLinearGradient shadow(glass.topLeft(), glass.topLeft() + QPointF(0, 5));
    shadow.setColorAt(0, QColor(0, 0, 0, 55));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    painter.setBrush(shadow);
    painter.drawRoundedRect(QRectF(glass.topLeft(), QSizeF(glass.width(), 6)), 4.5, 4.5);
}

QColor displayInk()
{
    return DisplayText;
}

AreaLine fitAreaLine(const QFontMetrics& metrics, int width, const QString& area, const QString& info)
{
    constexpr int Gap = 8;
    AreaLine fitted;
    fitted.area = metrics.elidedText(area, Qt::ElideRight, width);
    const int areaWidth = fitted.area.isEmpty() ? 0 : metrics.horizontalAdvance(fitted.area) + Gap;
    fitted.info = metrics.elidedText(info, Qt::ElideRight, std::max(0, width - areaWidth));
    // An ellipsis alone says nothing: then the status is left out.
    if (fitted.info != info && fitted.info.size() <= 1) {
        fitted.info.clear();
    }
    return fitted;
}

} // namespace SkinPainter
