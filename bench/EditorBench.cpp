// The window: opening it (both views and the menu bar built and laid out, every image rendered), one
// full paint of the 650 x 595 double window at scale 1 and 2, and, on a display (under Xvfb), what the
// window costs while it stays open and untouched for 10 s after its slide.
#include "PluginEditor.h"
#include "PluginInstance.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace
{
struct Host
{
    Host() { instance.getPlemvoParams().setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, true); }

    std::unique_ptr<PlemvoAudioProcessorEditor> open()
    {
        return std::make_unique<PlemvoAudioProcessorEditor> (instance, instance.getPlemvoParams());
    }

    PlemvoPluginInstance instance;
};

void editorOpen (benchmark::State& state)
{
    Host host;
    auto keep = host.open(); // holds the decoded picture in the cache, as a second window finds it

    for (auto _ : state)
        benchmark::DoNotOptimize (host.open());
}

void editorFullPaint (benchmark::State& state)
{
    Host host;
    auto editor = host.open();
    const auto scale = (float) state.range (0);
    juce::Image target (juce::Image::ARGB, (int) (650 * scale), (int) (595 * scale), true);

    for (auto _ : state)
    {
        juce::Graphics g (target);
        g.addTransform (juce::AffineTransform::scale (scale));
        editor->paintEntireComponent (g, false);
        benchmark::DoNotOptimize (target.getPixelAt (100, 100));
    }
}

/** Counts the window's paints: it lies behind every child, so any repainted area paints it. */
struct PaintCounter : juce::Component
{
    PaintCounter() { setInterceptsMouseClicks (false, false); }
    void paint (juce::Graphics&) override { ++paints; }
    int paints = 0;
};

void runLoopFor (int milliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;

    while (juce::Time::getMillisecondCounter() < end)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
}

// After a user's slide out and back the window is left alone for 10 s; a unit that is present and
// free makes the USB icon blink, whose paints are counted apart by the setting it depends on.
void editorIdleOnDisplay (benchmark::State& state)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        state.SkipWithError ("needs a display (run under xvfb-run)");
        return;
    }

    for (auto _ : state)
    {
        Host host;
        host.instance.getPlemvoParams().setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, false);
        auto editor = host.open();
        PaintCounter counter;
        editor->addAndMakeVisible (counter, 0);
        counter.setBounds (editor->getLocalBounds());
        editor->addToDesktop (0);
        editor->setVisible (true);

        for (auto& view : { &editor->getChannelView (0), &editor->getChannelView (0) })
        {
            view->windowButton.setToggleState (! view->windowButton.getToggleState(), juce::dontSendNotification);
            view->windowButton.onClick();
            runLoopFor (1500);
        }

        counter.setBounds (editor->getLocalBounds());
        runLoopFor (500);
        const auto paintsBefore = counter.paints;
        const auto cpuBefore = std::clock();
        runLoopFor (10000);

        state.counters["cpu_ms_in_10s"] = 1000.0 * (double) (std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        state.counters["paints_in_10s"] = counter.paints - paintsBefore;
        state.counters["blink_running"] = editor->getMenuBar().getUsbButton().isTimerRunning();
        state.counters["editor_timer_running"] = editor->isTimerRunning();
        state.counters["slide_tasks"] = editor->getAnimator().getTasks().size();
        state.counters["vblank_held"] = editor->getAnimator().isDrivenByVBlank();
        editor->removeChildComponent (&counter);
    }
}
} // namespace

BENCHMARK (editorOpen)->Unit (benchmark::kMillisecond);
BENCHMARK (editorFullPaint)->Arg (1)->Arg (2)->Unit (benchmark::kMillisecond);
BENCHMARK (editorIdleOnDisplay)->Iterations (1)->Unit (benchmark::kMillisecond);
