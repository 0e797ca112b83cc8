#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <ostream>

namespace vqtest
{
/** Paints the component and its children as a display of the given scale shows them: an image of
    (width × scale) by (height × scale) pixels. An empty component gives a null image. */
juce::Image renderComponent (juce::Component& component, float scale = 1.0f);

/** The un-premultiplied colour of the image pixel under a point given in the coordinates of the
    component the image was rendered from at the given scale: the pixel at floor (point × scale).
    Outside the image: transparent black. */
juce::Colour sample (const juce::Image& image, juce::Point<float> point, float scale = 1.0f);

/** How many pixels of the area (the whole image when empty) satisfy the predicate. */
int countPixels (const juce::Image& image, const std::function<bool (juce::Colour)>& predicate,
                 juce::Rectangle<int> area = {});

/** Whether every channel of the two colours differs by at most the tolerance. */
bool coloursNear (juce::Colour a, juce::Colour b, int tolerance = 2);

/** How many pixels of two images of one size differ by more than the tolerance in any channel (every
    pixel of the larger when the sizes differ). */
int countDifferentPixels (const juce::Image& a, const juce::Image& b, int tolerance = 0);

/** Writes the image as a PNG file, creating its folder; false when it could not be written. */
bool writePng (const juce::Image& image, const juce::File& file);

/** build/test-images/<suite>/<test>.png for the running test, or the name given, for pictures
    a test leaves for a person to look at. */
juce::File testImageFile (const juce::String& name = {});

/** How many times the shared image makers ran while the component was painted again at scale 1 and
    at 2, each after a first paint at that scale. Widgets render their images on layout and for a new
    pixel scale only, so this is 0 for every widget once laid out. */
int imageMakerCallsWhilePainting (juce::Component& component);
} // namespace vqtest

namespace juce
{
/** Lets GoogleTest print a colour as #AARRGGBB in failure messages. */
inline void PrintTo (const Colour& colour, std::ostream* os)
{
    *os << "#" << colour.toDisplayString (true);
}
} // namespace juce
