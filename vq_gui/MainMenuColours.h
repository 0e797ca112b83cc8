#pragma once

#include <juce_graphics/juce_graphics.h>

namespace juce
{
/** The seven colours of the menu bar and its buttons. A look-and-feel hands out one record that is
    never changed after construction; the defaults are the window's dark theme.
*/
struct MainMenuColours
{
    /** The menu bar's background gradient, top and bottom edge. */
    Colour barTopColour { 0xFF252629 };
    Colour barBottomColour { 0xFF252629 };

    /** Kept free for a later element; nothing paints with it. */
    Colour spareColour { 0x00000000 };

    /** A bar button's icon: toggled on, normal (also the blinking USB icon's dark phase), disabled. */
    Colour iconHighlightedColour { 0xFFD63232 };
    Colour iconNormalColour { 0xFFB3B6BD };
    Colour iconDisabledColour { 0xFF51565F };

    /** The USB icon while connected, and the bright phase of its blinking. */
    Colour usbConnectedColour { 0xFF0092FF };
};
} // namespace juce
