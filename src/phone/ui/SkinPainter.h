#pragma once

#include "phone/StateIcon.h"
#include "phone/ui/SkinLayout.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <array>

class QFontMetrics;
class QPainter;

// Everything the skin shows apart from the entry line, so that a picture of the window is a function of one value.
struct SkinLook {
    QString areaText;
    QString showText;
    QString infoText;
    StateIcon icon = StateIcon::Idle;
    int connectingFrame = 0;
    bool forwarding = false;
    bool doNotDisturb = false;
    bool locked = false;
    bool recording = false;
    bool onTop = false;
};

// How a button is drawn at this moment.
enum class ButtonFace { Normal, Hovered, Pressed, Disabled };

// One face per button, indexed by the SkinButton value.
using ButtonFaces = std::array<ButtonFace, SkinLayout::Buttons.size()>;

// Paints the telephone window's skin: a dark rounded body, the recessed light display with the state icon and the
// texts, the feature badges and the keys with their glyphs. The colours are fixed, not taken from the desktop, so
// the telephone looks the same everywhere.
namespace SkinPainter {

void paint(QPainter& painter, const SkinLook& look, const ButtonFaces& faces);

// The parts that other windows in the telephone's look (the splash) share.
void paintCase(QPainter& painter, const QRectF& bounds);
void paintBrand(QPainter& painter, const QRectF& box);
void paintDisplay(QPainter& painter, const QRectF& bounds);

// The colour of the texts on the display, which the entry line uses too.
QColor displayInk();

// The two texts of the display's top line as they are drawn in a line of width pixels. The area text (the count
// of missed calls, a note about the connection) is what the user looks for: it stands whole, cut only when it alone
// is wider than the line. The info text (the status, a timer) takes what is left and gives way first.
struct AreaLine {
    QString area;
    QString info;
};
AreaLine fitAreaLine(const QFontMetrics& metrics, int width, const QString& area, const QString& info);

} // namespace SkinPainter
