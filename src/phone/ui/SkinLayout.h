#pragma once

#include "phone/ui/SkinButton.h"

#include <QFont>
#include <QRect>
#include <array>
#include <optional>

// Where everything sits on the telephone window's skin of 239 x 118 logical pixels: a top strip with the brand,
// the feature badges and three small buttons, the display panel, and below it two rows of keys beside the tall
// Confirm and Cancel keys. The fonts are sized in pixels so the texts fit their lines on any screen.
namespace SkinLayout {

inline constexpr int Width = 239;
inline constexpr int Height = 118;
inline constexpr int CornerRadius = 9;

inline constexpr std::array<SkinButton, 13> Buttons{
    SkinButton::Park,  SkinButton::Fwd,      SkinButton::Flash,   SkinButton::Conference, SkinButton::OK,
    SkinButton::Book,  SkinButton::Notes,    SkinButton::History, SkinButton::Redial,     SkinButton::Esc,
    SkinButton::OnTop, SkinButton::Minimize, SkinButton::Rec,
};

QRect buttonRect(SkinButton button);
std::optional<SkinButton> buttonAt(const QPoint& position);
// The keys whose right click opens a menu of their own.
bool hasButtonMenu(SkinButton button);
// The small buttons of the top strip, drawn flatter than the keys.
bool isStripButton(SkinButton button);

QRect brandRect();
// Where the first feature badge starts; the badges follow one another to the right.
QPoint badgeOrigin();
QRect displayRect();
QRect stateIconRect();
// The area text (left) and the info text (right) share the top line of the display.
QRect areaLineRect();
QRect showTextRect();
QRect entryRect();

enum class Text { Brand, Badge, Area, Show, Entry };
QFont font(Text text);

} // namespace SkinLayout
