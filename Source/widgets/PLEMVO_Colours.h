#pragma once

#include <juce_graphics/juce_graphics.h>

/** The product's two colours, shared by the widget kit, the main view and the editor. */
namespace PLEMVO_Colours
{
/** The product's red: the lit details of the widgets. */
inline const juce::Colour redColour { 0xFFE01515 };

/** The text colour of the panel labels. */
inline const juce::Colour panelFontColour { 0xFFE8E8E8 };
} // namespace PLEMVO_Colours
