#include "widgets/S500_GlobalHelpers.h"

#include <benchmark/benchmark.h>

// A knob cap of the panel: 64 px with a 4 px chamfer, made at layout.
static void capShading64 (benchmark::State& state)
{
    juce::Image image;
    for (auto _ : state)
    {
        VQ_GuiHelper::prepareConicalGradWithChamfer (image, 64.0f, 4.0f);
        benchmark::DoNotOptimize (image);
    }
}
BENCHMARK (capShading64)->Unit (benchmark::kMicrosecond);

static void litLed (benchmark::State& state)
{
    juce::Image image;
    for (auto _ : state)
    {
        VQ_GuiHelper::prepareOnDiodeImage (image, 8.0f, juce::Colour (0xFFE01515));
        benchmark::DoNotOptimize (image);
    }
}
BENCHMARK (litLed)->Unit (benchmark::kMicrosecond);

static void unlitLed (benchmark::State& state)
{
    juce::Image image;
    for (auto _ : state)
    {
        VQ_GuiHelper::prepareOffDiodeImageEncoder (image, 8, juce::Colour (0xFFE01515));
        benchmark::DoNotOptimize (image);
    }
}
BENCHMARK (unlitLed)->Unit (benchmark::kMicrosecond);
