// The read-out at the panel's size: rendering its sixteen segment images on layout, and painting it
// from them (two fills and up to 23 image blits).
#include "widgets/SevenSegmentDisplay.h"

#include <benchmark/benchmark.h>

namespace
{
void renderSegmentImages (benchmark::State& state)
{
    SevenSegmentDisplay display;

    for (auto _ : state)
    {
        display.setSize (103, 64);
        display.setSize (0, 0);
    }
}
BENCHMARK (renderSegmentImages)->Unit (benchmark::kMicrosecond);

void paintFromCache (benchmark::State& state)
{
    const auto scale = (float) state.range (0);
    SevenSegmentDisplay display;
    display.setSize (103, 64);
    display.setTextToDisplay ("-1.5");
    juce::Image image (juce::Image::ARGB, (int) (103 * scale), (int) (64 * scale), true);

    for (auto _ : state)
    {
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale (scale));
        display.paintEntireComponent (g, false);
    }
}
BENCHMARK (paintFromCache)->Arg (1)->Arg (2)->Unit (benchmark::kMicrosecond);
} // namespace
