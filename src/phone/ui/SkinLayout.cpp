#include "phone/ui/SkinLayout.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace {

constexpr int KeyWidth = 34;
constexpr int KeyHeight = 20;
constexpr int KeyGap = 4;
constexpr int KeysLeft = 6;
constexpr int FirstRowTop = 73;
constexpr int SecondRowTop = FirstRowTop + KeyHeight + 3;
constexpr int TallKeysLeft = 161;
constexpr int StripButtonWidth = 16;
constexpr int StripButtonHeight = 12;

QRect key(int column, int top)
{
    return {KeysLeft + column * (KeyWidth + KeyGap), top, KeyWidth, KeyHeight};
}

QRect tallKey(int column)
{
    return {TallKeysLeft + column * (KeyWidth + KeyGap), FirstRowTop, KeyWidth, SecondRowTop + KeyHeight - FirstRowTop};
}

QRect stripButton(int fromRight)
{
    return {SkinLayout::Width - 7 - (fromRight + 1) * StripButtonWidth - fromRight * 2, 2, StripButtonWidth,
            StripButtonHeight};
}

QFont pixelFont(QFont font, int pixels, QFont::Weight weight = QFont::Normal)
{
    font.setPixelSize(pixels);
    font.setWeight(weight);
    return font;
}

} // namespace

namespace SkinLayout {

QRect buttonRect(SkinButton button)
{
    switch (button) {
    case SkinButton::Redial:
        return key(0, FirstRowTop);
    case SkinButton::Flash:
        return key(1, FirstRowTop);
    case SkinButton::Park:
        return key(2, FirstRowTop);
    case SkinButton::Fwd:
        return key(3, FirstRowTop);
    case SkinButton::Book:
        return key(0, SecondRowTop);
    case SkinButton::History:
        return key(1, SecondRowTop);
    case SkinButton::Notes:
        return key(2, SecondRowTop);
    case SkinButton::Conference:
        return key(3, SecondRowTop);
    case SkinButton::OK:
        return tallKey(0);
    case SkinButton::Esc:
        return tallKey(1);
    case SkinButton::Rec:
        return stripButton(2);
    case SkinButton::OnTop:
        return stripButton(1);
    case SkinButton::Minimize:
        return stripButton(0);
    }
    return {};
}

std::optional<SkinButton> buttonAt(const QPoint& position)
{
    for (const SkinButton button : Buttons) {
        if (buttonRect(button).contains(position)) {
            return button;
        }
    }
    return std::nullopt;
}

bool hasButtonMenu(SkinButton button)
{
    return button == SkinButton::Fwd || button == SkinButton::Book || button == SkinButton::Notes ||
           button == SkinButton::History || button == SkinButton::Conference;
}

bool isStripButton(SkinButton button)
{
    return button == SkinButton::Rec || button == SkinButton::OnTop || button == SkinButton::Minimize;
}

QRect brandRect()
{
    return {12, 2, 44, 13};
}

QPoint badgeOrigin()
{
    return {60, 4};
}

QRect displayRect()
{
    return {5, 17, Width - 10, 52};
}

QRect stateIconRect()
{
    return {10, 25, 36, 36};
}

QRect areaLineRect()
{
    return {52, 19, 177, 12};
}

QRect showTextRect()
{
    return {52, 31, 177, 17};
}

QRect entryRect()
{
    return {50, 49, 181, 18};
}

QFont font(Text text)
{
    const QFont application = QGuiApplication::font();
    switch (text) {
    case Text::Brand: {
        QFont brand = pixelFont(application, 8, QFont::Bold);
        brand.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
        return brand;
    }
    case Text::Badge:
        return pixelFont(application, 7, QFont::Bold);
    case Text::Area:
        return pixelFont(application, 9);
    case Text::Show:
        return pixelFont(application, 12, QFont::DemiBold);
    case Text::Entry:
        return pixelFont(QFontDatabase::systemFont(QFontDatabase::FixedFont), 14, QFont::Medium);
    }
    return application;
}

} // namespace SkinLayout
