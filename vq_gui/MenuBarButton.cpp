#include "MenuBarButton.h"

namespace juce
{
MenuBarButton::MenuBarButton (const String& buttonName)
    : Button (buttonName)
{
}

MenuBarButton::~MenuBarButton() = default;

void MenuBarButton::mouseEnter (const MouseEvent& e)
{
    Button::mouseEnter (e);

    if (onMouseEnterFunc != nullptr)
        onMouseEnterFunc();
}

void MenuBarButton::mouseExit (const MouseEvent& e)
{
    Button::mouseExit (e);

    if (onMouseExitFunc != nullptr)
        onMouseExitFunc();
}

void MenuBarButton::setColours (const MainMenuColours& colours)
{
    normalColour = colours.iconNormalColour;
    highlightedColour = colours.iconHighlightedColour;
    disabledColour = colours.iconDisabledColour;
}
} // namespace juce
