// The panel's Q switch (72 px: two metal buttons, ten lights): the layout that renders all its
// images, and one paint from those images into a context of scale 1 and 2 (a 2x display).
#include "widgets/VQ_Button_s500.h"

#include <benchmark/benchmark.h>

namespace
{
struct Panel : juce::Component
{
    QSwitch q;

    Panel()
    {
        setBounds (0, 0, 325, 570);
        q.setDiodeLabelsText ({ "3", "", "1/5", "", "3" });
        addAndMakeVisible (q);
        q.setBounds (125, 158, 72, 72);
        q.updateCurrentState (5, juce::dontSendNotification);
    }
};

void qSwitchLayout (benchmark::State& state)
{
    Panel panel;
    int size = 72;

    // A size that changes every time, so that every light and button renders again.
    for (auto _ : state)
    {
        size = size == 72 ? 73 : 72;
        panel.q.setBounds (125, 158, size, size);
    }
}

void qSwitchPaintFromCache (benchmark::State& state)
{
    Panel panel;
    const auto scale = (float) state.range (0);
    juce::Image target (juce::Image::ARGB, (int) (72 * scale), (int) (72 * scale), true);

    for (auto _ : state)
    {
        juce::Graphics g (target);
        g.addTransform (juce::AffineTransform::scale (scale));
        panel.q.paintEntireComponent (g, false);
        benchmark::DoNotOptimize (target.getPixelAt (36, 36));
    }
}
} // namespace

BENCHMARK (qSwitchLayout)->Unit (benchmark::kMicrosecond);
BENCHMARK (qSwitchPaintFromCache)->Arg (1)->Arg (2)->Unit (benchmark::kMicrosecond);
