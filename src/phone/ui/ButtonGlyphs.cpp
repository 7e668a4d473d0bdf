#include "phone/ui/ButtonGlyphs.h"

#include "phone/ui/PhoneGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor RecordRed(0xff, 0x3b, 0x30);
const QColor PinGold(0xff, 0xc8, 0x3d);

// The glyphs are drawn in a unit box and scaled to the button, so each is a few points of its own geometry.
class Glyph {
public:
    Glyph(QPainter& painter, const QRectF& box, const QColor& ink)
        : m_painter(painter)
        , m_box(box)
        , m_ink(ink)
    {
    }

    QPointF at(qreal x, qreal y) const { return {m_box.left() + x * m_box.width(), m_box.top() + y * m_box.height()}; }
    QRectF rect(qreal x, qreal y, qreal w, qreal h) const { return {at(x, y), at(x + w, y + h)}; }
    qreal unit(qreal fraction) const { return fraction * m_box.width(); }

    // The pen the outlines use: about 1.6 pixels on a 14 pixel glyph.
    void outline() const
    {
        m_painter.setPen(QPen(m_ink, unit(0.12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.setBrush(Qt::NoBrush);
    }
    void solid(const QColor& colour) const
    {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(colour);
    }
    QPainter& painter() const { return m_painter; }
    const QRectF& box() const { return m_box; }
    const QColor& ink() const { return m_ink; }

private:
    QPainter& m_painter;
    QRectF m_box;
    QColor m_ink;
};

void park(const Glyph& g)
{
    g.outline();
    g.painter().drawRoundedRect(g.rect(0.08, 0.08, 0.84, 0.84), g.unit(0.18), g.unit(0.18));
    QPainterPath letter;
    letter.moveTo(g.at(0.38, 0.76));
    letter.lineTo(g.at(0.38, 0.26));
    letter.lineTo(g.at(0.56, 0.26));
    letter.cubicTo(g.at(0.74, 0.26), g.at(0.74, 0.54), g.at(0.56, 0.54));
    letter.lineTo(g.at(0.38, 0.54));
    g.painter().drawPath(letter);
}

void forward(const Glyph& g)
{
    g.outline();
    QPainterPath bend;
    bend.moveTo(g.at(0.16, 0.86));
    bend.quadTo(g.at(0.16, 0.42), g.at(0.60, 0.42));
    g.painter().drawPath(bend);
    g.solid(g.ink());
    g.painter().drawPolygon(QPolygonF{g.at(0.56, 0.16), g.at(0.92, 0.42), g.at(0.56, 0.68)});
}

void flash(const Glyph& g)
{
    g.solid(g.ink());
    g.painter().drawPolygon(QPolygonF{g.at(0.60, 0.02), g.at(0.20, 0.56), g.at(0.46, 0.56), g.at(0.36, 0.98),
                                      g.at(0.80, 0.40), g.at(0.54, 0.40), g.at(0.70, 0.02)});
}

void message(const Glyph& g)
{
    g.outline();
    g.painter().drawPath(PhoneGlyphs::envelope(g.rect(0.06, 0.20, 0.88, 0.60)));
}

void confirm(const Glyph& g)
{
    g.painter().setPen(QPen(g.ink(), g.unit(0.16), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.painter().setBrush(Qt::NoBrush);
    g.painter().drawPolyline(QPolygonF{g.at(0.14, 0.54), g.at(0.40, 0.78), g.at(0.86, 0.24)});
}

void cancel(const Glyph& g)
{
    g.painter().setPen(QPen(g.ink(), g.unit(0.16), Qt::SolidLine, Qt::RoundCap));
    g.painter().drawLine(g.at(0.22, 0.22), g.at(0.78, 0.78));
    g.painter().drawLine(g.at(0.78, 0.22), g.at(0.22, 0.78));
}

// An open book: two pages bending down to the spine.
void book(const Glyph& g)
{
    g.outline();
    QPainterPath pages;
    pages.moveTo(g.at(0.50, 0.26));
    pages.cubicTo(g.at(0.38, 0.14), g.at(0.18, 0.14), g.at(0.06, 0.20));
    pages.lineTo(g.at(0.06, 0.82));
    pages.cubicTo(g.at(0.18, 0.76), g.at(0.38, 0.76), g.at(0.50, 0.88));
    pages.cubicTo(g.at(0.62, 0.76), g.at(0.82, 0.76), g.at(0.94, 0.82));
    pages.lineTo(g.at(0.94, 0.20));
    pages.cubicTo(g.at(0.82, 0.14), g.at(0.62, 0.14), g.at(0.50, 0.26));
    pages.lineTo(g.at(0.50, 0.88));
    g.painter().drawPath(pages);
}

// A sheet with a folded corner and written lines.
void notes(const Glyph& g)
{
    g.outline();
    QPainterPath sheet;
    sheet.moveTo(g.at(0.62, 0.06));
    sheet.lineTo(g.at(0.18, 0.06));
    sheet.lineTo(g.at(0.18, 0.94));
    sheet.lineTo(g.at(0.82, 0.94));
    sheet.lineTo(g.at(0.82, 0.26));
    sheet.closeSubpath();
    sheet.moveTo(g.at(0.62, 0.06));
    sheet.lineTo(g.at(0.62, 0.26));
    sheet.lineTo(g.at(0.82, 0.26));
    g.painter().drawPath(sheet);
    g.painter().setPen(QPen(g.ink(), g.unit(0.08), Qt::SolidLine, Qt::RoundCap));
    for (const qreal y : {0.46, 0.62, 0.78}) {
        g.painter().drawLine(g.at(0.32, y), g.at(0.68, y));
    }
}

// A clock face whose rim turns back into an arrow: the time gone by.
void history(const Glyph& g)
{
    g.outline();
    const QRectF face = g.rect(0.10, 0.10, 0.80, 0.80);
    g.painter().drawArc(face, 150 * 16, -300 * 16);
    g.painter().drawPolyline(QPolygonF{g.at(0.50, 0.28), g.at(0.50, 0.52), g.at(0.66, 0.62)});
    g.solid(g.ink());
    g.painter().drawPolygon(QPolygonF{g.at(0.02, 0.22), g.at(0.28, 0.24), g.at(0.10, 0.44)});
}

// A handset with an arrow turning back over it: dial again.
void redial(const Glyph& g)
{
    g.solid(g.ink());
    g.painter().drawPath(PhoneGlyphs::handset(g.at(0.50, 0.76), g.unit(0.96), 0));
    g.outline();
    g.painter().drawArc(g.rect(0.22, 0.04, 0.60, 0.56), 0, 160 * 16);
    g.solid(g.ink());
    g.painter().drawPolygon(QPolygonF{g.at(0.06, 0.26), g.at(0.40, 0.26), g.at(0.22, 0.50)});
}

void pin(const Glyph& g, bool lit)
{
    QPainterPath head;
    head.addRoundedRect(g.rect(0.28, 0.04, 0.44, 0.16), g.unit(0.06), g.unit(0.06));
    head.moveTo(g.at(0.36, 0.20));
    head.lineTo(g.at(0.64, 0.20));
    head.lineTo(g.at(0.74, 0.56));
    head.lineTo(g.at(0.26, 0.56));
    head.closeSubpath();
    g.solid(lit ? PinGold : g.ink());
    g.painter().drawPath(head.simplified());
    g.painter().setPen(QPen(g.ink(), g.unit(0.10), Qt::SolidLine, Qt::RoundCap));
    g.painter().drawLine(g.at(0.50, 0.56), g.at(0.50, 0.96));
}

void minimize(const Glyph& g)
{
    g.painter().setPen(QPen(g.ink(), g.unit(0.16), Qt::SolidLine, Qt::RoundCap));
    g.painter().drawLine(g.at(0.20, 0.74), g.at(0.80, 0.74));
}

// The record dot: dark red at rest, a glowing red light while recording.
void record(const Glyph& g, bool lit)
{
    const QRectF dot = g.rect(0.20, 0.20, 0.60, 0.60);
    if (lit) {
        QRadialGradient glow(dot.center(), g.unit(0.5));
        glow.setColorAt(0.55, QColor(0xff, 0x3b, 0x30, 150));
        glow.setColorAt(1, QColor(0xff, 0x3b, 0x30, 0));
        g.solid(Qt::transparent);
        g.painter().setBrush(glow);
        g.painter().drawEllipse(g.box());
        QRadialGradient light(dot.center() - QPointF(dot.width() * 0.2, dot.height() * 0.2), dot.width() * 0.7);
        light.setColorAt(0, RecordRed.lighter(150));
        light.setColorAt(1, RecordRed);
        g.painter().setBrush(light);
    } else {
        g.painter().setPen(QPen(g.ink(), g.unit(0.08)));
        g.painter().setBrush(QColor(0x8a, 0x2c, 0x28));
    }
    g.painter().drawEllipse(dot);
}

} // namespace

namespace ButtonGlyphs {

void paint(QPainter& painter, const QRectF& box, SkinButton button, const QColor& ink, bool lit)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const Glyph glyph(painter, box, ink);
    switch (button) {
    case SkinButton::Park:
        park(glyph);
        break;
    case SkinButton::Fwd:
        forward(glyph);
        break;
    case SkinButton::Flash:
        flash(glyph);
        break;
    case SkinButton::Conference:
        message(glyph);
        break;
    case SkinButton::OK:
        confirm(glyph);
        break;
    case SkinButton::Book:
        book(glyph);
        break;
    case SkinButton::Notes:
        notes(glyph);
        break;
    case SkinButton::History:
        history(glyph);
        break;
    case SkinButton::Redial:
        redial(glyph);
        break;
    case SkinButton::Esc:
        cancel(glyph);
        break;
    case SkinButton::OnTop:
        pin(glyph, lit);
        break;
    case SkinButton::Minimize:
        minimize(glyph);
        break;
    case SkinButton::Rec:
        record(glyph, lit);
        break;
    }
    painter.restore();
}

} // namespace ButtonGlyphs
