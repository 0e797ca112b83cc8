// One 136 px panel knob: the layout that renders all its images (cap, shading, shadow, ruler,
// LEDs), and one paint from those images into a context of scale 1 and 2 (a 2x display).
#include "widgets/S500_Knob_s500.h"

#include <benchmark/benchmark.h>

namespace
{
const juce::StringArray rulerTexts { "-15", ".", ".", ".", ".", "0", ".", ".", ".", ".", "+15" };

struct Panel : juce::Component
{
    VQ_Knob_s500 knob { VQ_Knob_s500::gain, true };

    Panel()
    {
        setBounds (0, 0, 325, 570);
        knob.defineSliderPrms ({}, rulerTexts, 0.0f, 1.0f, 0.01f, 0.5f, 0.1f);
        addAndMakeVisible (knob);
    }
};

void knobLayout (benchmark::State& state)
{
    Panel panel;
    panel.knob.setBounds (179, 66, 136, 136);

    // The images are rendered at the knob's pixel size whatever the display scale, so one
    // layout serves scale 1 and 2 alike.
    for (auto _ : state)
        panel.knob.setSliderBounds (179, 66, 136);
}

void knobPaintFromCache (benchmark::State& state)
{
    Panel panel;
    panel.knob.setBounds (179, 66, 136, 136);
    panel.knob.setValue (0.55, juce::dontSendNotification);

    const auto scale = (float) state.range (0);
    juce::Image target (juce::Image::ARGB, (int) (136 * scale), (int) (136 * scale), true);

    for (auto _ : state)
    {
        juce::Graphics g (target);
        g.addTransform (juce::AffineTransform::scale (scale));
        panel.knob.paintEntireComponent (g, false);
        benchmark::DoNotOptimize (target.getPixelAt (68, 68));
    }
}
} // namespace

BENCHMARK (knobLayout)->Unit (benchmark::kMillisecond);
BENCHMARK (knobPaintFromCache)->Arg (1)->Arg (2)->Unit (benchmark::kMicrosecond);
