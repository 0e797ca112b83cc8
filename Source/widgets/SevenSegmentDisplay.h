#pragma once

#include "VQ_PixelScale.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

/** The panel's three-cell red LED read-out. Like a real LED display every cell shows all seven
    segments, the unlit ones dark, the lit ones red with a soft glow; the first two cells also have a
    decimal point. The segment images are rendered on layout, at the pixel scale of the context the
    read-out paints into; painting only places them. The owner
    starts the timer (1000 ms) when the text should go away: it blanks the read-out and stops itself.
*/
class SevenSegmentDisplay : public juce::Component, public juce::Timer
{
public:
    SevenSegmentDisplay();
    ~SevenSegmentDisplay() override = default;

    void paint (juce::Graphics& g) override;

    /** Renders the segment images for the new width; a width or height below 1 changes nothing. */
    void resized() override;

    /** Blanks the read-out and stops the timer. */
    void timerCallback() override;

    /** Stops the timer and shows the text right-aligned: digits fill the cells, '-' makes the number
        negative, '.' lights the point of the cell before it, any other byte leaves a cell blank.
    */
    void setTextToDisplay (const juce::String& text);

    /** How many segment images the process has rendered so far (they are made on layout, and for a
        pixel scale the read-out has none of). */
    static int getImagesRendered() noexcept;

private:
    static constexpr int numCells = 3;
    static constexpr int numSegments = 8; // a to g, then the decimal point
    static constexpr char blank = 'N';

    void drawCell (juce::Graphics& g, int cell) const;
    void renderImages();

    std::array<float, numCells> digitX {};
    std::array<juce::Image, numSegments> litImages, unlitImages;
    std::array<juce::Rectangle<int>, numSegments> segmentBounds;
    std::array<char, numCells> characters { blank, blank, blank };
    std::array<bool, numCells> dots {};
    VQ_PixelScale pixelScale;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SevenSegmentDisplay)
};
