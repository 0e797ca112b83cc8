#pragma once

#include <juce_graphics/juce_graphics.h>

/** The product's colours, shared by the widget kit, the main view and the editor. */
namespace PLEMVO_Colours
{
/** The product's red: the lit details of the widgets. */
inline const juce::Colour redColour { 0xFFE01515 };

/** The text colour of the panel labels. */
inline const juce::Colour panelFontColour { 0xFFE8E8E8 };

/** A lit white LED, and the amber of an unlit one. */
inline const juce::Colour litLedColour { 0xFFC8C8C8 };
inline const juce::Colour unlitLedColour { 0xFFB49614 };
} // namespace PLEMVO_Colours
