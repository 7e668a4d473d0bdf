#include "phone/ui/ButtonGlyphs.h"

#include "phone/ui/IconArt.h"

namespace {

QString pictureName(SkinButton button, bool lit)
{
    switch (button) {
    case SkinButton::Park:
        return QStringLiteral("button/park");
    case SkinButton::Fwd:
        return QStringLiteral("button/forward");
    case SkinButton::Flash:
        return QStringLiteral("button/flash");
    case SkinButton::Conference:
        return QStringLiteral("button/message");
    case SkinButton::OK:
        return QStringLiteral("button/confirm");
    case SkinButton::Book:
        return QStringLiteral("button/book");
    case SkinButton::Notes:
        return QStringLiteral("button/notes");
    case SkinButton::History:
        return QStringLiteral("button/history");
    case SkinButton::Redial:
        return QStringLiteral("button/redial");
    case SkinButton::Esc:
        return QStringLiteral("button/cancel");
    case SkinButton::OnTop:
        return lit ? QStringLiteral("button/pin-lit") : QStringLiteral("button/pin");
    case SkinButton::Minimize:
        return QStringLiteral("button/minimize");
    case SkinButton::Rec:
        return lit ? QStringLiteral("button/record-lit") : QStringLiteral("button/record");
    }
    return {};
}

} // namespace

namespace ButtonGlyphs {

void paint(QPainter& painter, const QRectF& box, SkinButton button, const QColor& ink, bool lit)
{
    IconArt::paint(painter, box, pictureName(button, lit), ink);
}

} // namespace ButtonGlyphs
