// One channel's view: decoding the front-panel picture (once per process, then shared), building
// the view with its layout (every widget renders its images), and one paint of the whole 325 x 570
// panel from those images into a context of scale 1 and 2 (a 2x display).
#include "PLEMVO_MainView.h"
#include "PluginInstance.h"

#include <benchmark/benchmark.h>

namespace
{
struct Views
{
    PlemvoPluginInstance instance;
    bool windowChangeByUser = false;

    std::unique_ptr<PLEMVO_MainView> make()
    {
        auto view = std::make_unique<PLEMVO_MainView> (instance, instance.getPlemvoParams(), PLEMVO_MainView::channel1,
                                                       windowChangeByUser);
        view->setSize (325, 570);
        return view;
    }
};

void panelPictureDecode (benchmark::State& state)
{
    // The same picture as a PNG of the same kind as the embedded one.
    juce::MemoryOutputStream png;
    juce::PNGImageFormat().writeImageToStream (PLEMVO_Panel::loadFrontPanelPicture(), png);

    for (auto _ : state)
        benchmark::DoNotOptimize (juce::ImageFileFormat::loadFrom (png.getData(), png.getDataSize()));
}

void viewBuildWithLayout (benchmark::State& state)
{
    Views views;
    auto keep = views.make(); // holds the decoded picture in the cache, as an open editor does

    for (auto _ : state)
        benchmark::DoNotOptimize (views.make());
}

void viewPaintFromCache (benchmark::State& state)
{
    Views views;
    auto view = views.make();
    const auto scale = (float) state.range (0);
    juce::Image target (juce::Image::ARGB, (int) (325 * scale), (int) (570 * scale), true);

    for (auto _ : state)
    {
        juce::Graphics g (target);
        g.addTransform (juce::AffineTransform::scale (scale));
        view->paintEntireComponent (g, false);
        benchmark::DoNotOptimize (target.getPixelAt (100, 100));
    }
}
} // namespace

BENCHMARK (panelPictureDecode)->Unit (benchmark::kMillisecond);
BENCHMARK (viewBuildWithLayout)->Unit (benchmark::kMillisecond);
BENCHMARK (viewPaintFromCache)->Arg (1)->Arg (2)->Unit (benchmark::kMillisecond);
