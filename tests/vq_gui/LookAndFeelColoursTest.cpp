#include "vq_gui/PopupMenu_LAF.h"

#include <gtest/gtest.h>

namespace
{
using juce::Colour;

TEST (WindowColours, TheWindowsAndTheMainMenusLookAndFeelsGivePopupsAndButtonsTheirDarkGreys)
{
    juce::VqLookAndFeel window;
    juce::PopupMenu_LAF mainMenu;

    for (auto* laf : std::initializer_list<juce::VqLookAndFeel*> { &window, &mainMenu })
    {
        EXPECT_EQ (laf->findColour (juce::PopupMenu::backgroundColourId), Colour (0xFF36383D));
        EXPECT_EQ (laf->findColour (juce::PopupMenu::highlightedBackgroundColourId), Colour (0xFF252629));
        EXPECT_EQ (laf->findColour (juce::TextButton::buttonColourId), Colour (0xFF252629));
    }
}

TEST (WindowColours, TheMenuColoursAreTheDarkBarGreyIconsAndTheConnectedBlue)
{
    const juce::MainMenuColours defaults;
    juce::VqLookAndFeel window;

    for (const auto* colours : { &defaults, &window.menuColours })
    {
        const std::pair<Colour, juce::uint32> cases[] {
            { colours->barTopColour, 0xFF252629 },       { colours->barBottomColour, 0xFF252629 },
            { colours->spareColour, 0x00000000 },        { colours->iconHighlightedColour, 0xFFD63232 },
            { colours->iconNormalColour, 0xFFB3B6BD },   { colours->iconDisabledColour, 0xFF51565F },
            { colours->usbConnectedColour, 0xFF0092FF },
        };

        for (const auto& [colour, argb] : cases)
            EXPECT_EQ (colour.getARGB(), argb);
    }
}
} // namespace
