#pragma once

#include "MainMenuColours.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
/** The window's look-and-feel: the framework's V4 drawing with dark popup menus and text buttons, the
    menu bar's colours, and the embedded Lato faces for every font request, chosen by style alone.
    The framework resolves typefaces through the default look-and-feel, so the faces decide the drawn
    text only while one of these is the default (VqDefaultLookAndFeelScope); installed on a component
    tree alone it leaves the text in the platform's face. Message thread only.
*/
class VqLookAndFeel : public LookAndFeel_V4
{
public:
    /** Decodes the five embedded fonts; a face that cannot be made stays null. */
    VqLookAndFeel();

    /** Clears the framework's typeface and glyph caches, which may still hold the faces. */
    ~VqLookAndFeel() override;

    /** Lato Bold, Italic or Bold Italic for exactly those style flags, Lato Regular for every other
        combination (any with underline included); name and height play no part. Only hands out a
        reference, so it allocates nothing.
    */
    Typeface::Ptr getTypefaceForFont (const Font& font) override;

    /** The colours the menu bar and its buttons are painted with. */
    const MainMenuColours menuColours;

private:
    // The console face is held with the others but answers no font request.
    Typeface::Ptr consoleTypeface, regularTypeface, boldTypeface, italicTypeface, boldItalicTypeface;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VqLookAndFeel)
};
} // namespace juce
