#include "VqLookAndFeel.h"

#include "FontBinaryData.h"

namespace juce
{
namespace
{
Typeface::Ptr makeTypeface (const char* data, int size)
{
    return Typeface::createSystemTypefaceFor (data, (size_t) size);
}
} // namespace

VqLookAndFeel::VqLookAndFeel()
{
    setColour (PopupMenu::backgroundColourId, Colour (0xFF36383D));
    setColour (PopupMenu::highlightedBackgroundColourId, Colour (0xFF252629));
    setColour (TextButton::buttonColourId, Colour (0xFF252629));

    using namespace FontBinaryData;
    consoleTypeface = makeTypeface (temp_binary_data_4, temp_binary_data_4Size);
    regularTypeface = makeTypeface (temp_binary_data_3, temp_binary_data_3Size);
    boldTypeface = makeTypeface (temp_binary_data_0, temp_binary_data_0Size);
    italicTypeface = makeTypeface (temp_binary_data_2, temp_binary_data_2Size);
    boldItalicTypeface = makeTypeface (temp_binary_data_1, temp_binary_data_1Size);
}

VqLookAndFeel::~VqLookAndFeel()
{
    // Also empties the glyph cache, whose glyphs refer to their typefaces.
    Typeface::clearTypefaceCache();
}

Typeface::Ptr VqLookAndFeel::getTypefaceForFont (const Font& font)
{
    switch (font.getStyleFlags())
    {
        case Font::bold: return boldTypeface;
        case Font::italic: return italicTypeface;
        case Font::bold | Font::italic: return boldItalicTypeface;
        default: return regularTypeface;
    }
}
} // namespace juce
