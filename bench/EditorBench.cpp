// The window: opening it (both views and the menu bar built and laid out, every image rendered), one
// full paint of the 650 x 595 double window at scale 1 and 2, and, on a display (under Xvfb), what the
// window costs while it stays open and untouched for 10 s after its slide.
#include "PluginEditor.h"
#include "PluginInstance.h"

#include <SimulatedUnit.h>
#include <benchmark/benchmark.h>

#include <ctime>
#include <optional>

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

/** Counts the window's paints: it lies behind every child, so any repainted area paints it. A paint
    that lies inside the USB button is the icon's blink, counted apart. */
struct PaintCounter : juce::Component
{
    PaintCounter() { setInterceptsMouseClicks (false, false); }

    void paint (juce::Graphics& g) override
    {
        ++(usbButtonArea.contains (g.getClipBounds()) ? blinkPaints : otherPaints);
    }

    juce::Rectangle<int> usbButtonArea;
    int blinkPaints = 0, otherPaints = 0;
};

void runLoopFor (int milliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;

    while (juce::Time::getMillisecondCounter() < end)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
}

double cpuMsSince (std::clock_t start)
{
    return 1000.0 * (double) (std::clock() - start) / CLOCKS_PER_SEC;
}

// After a user's slide out and back the window is left alone for 10 s. With the argument 1 a unit is
// present and left free (the instance is not to connect), so the USB icon blinks.
void editorIdleOnDisplay (benchmark::State& state)
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        state.SkipWithError ("needs a display (run under xvfb-run)");
        return;
    }

    for (auto _ : state)
    {
        vqsim::VirtualMidiSetup setup;
        std::optional<vqsim::SimulatedUnit> unit;
        Host host;
        auto& params = host.instance.getPlemvoParams();
        params.setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, false);
        params.setNonAutomatableParamValue (nullptr, ParamData::shouldBeConnected, false);

        if (state.range (0) != 0)
            unit.emplace (setup, 17).plugIn();

        // What the instance and this loop cost by themselves, so the window's share can be told apart.
        const auto cpuAlone = std::clock();
        runLoopFor (10000);
        state.counters["cpu_ms_in_10s_no_window"] = cpuMsSince (cpuAlone);

        auto editor = host.open();
        PaintCounter counter;
        editor->addAndMakeVisible (counter, 0);
        editor->addToDesktop (0);
        editor->setVisible (true);

        for (int click = 0; click < 2; ++click)
        {
            auto& button = editor->getChannelView (0).windowButton;
            button.setToggleState (! button.getToggleState(), juce::dontSendNotification);
            button.onClick();
            runLoopFor (1500);
        }

        auto& usbButton = editor->getMenuBar().getUsbButton();
        counter.setBounds (editor->getLocalBounds());
        counter.usbButtonArea = editor->getLocalArea (&usbButton, usbButton.getLocalBounds());
        runLoopFor (500);
        counter.blinkPaints = counter.otherPaints = 0;
        const auto cpuWithWindow = std::clock();
        runLoopFor (10000);

        state.counters["cpu_ms_in_10s"] = cpuMsSince (cpuWithWindow);
        state.counters["paints_in_10s"] = counter.otherPaints;
        state.counters["blink_paints_in_10s"] = counter.blinkPaints;
        state.counters["blink_running"] = usbButton.isTimerRunning();
        state.counters["editor_timer_running"] = editor->isTimerRunning();
        state.counters["slide_tasks"] = editor->getAnimator().getTasks().size();
        state.counters["vblank_held"] = editor->getAnimator().isDrivenByVBlank();
        editor->removeChildComponent (&counter);
    }
}
} // namespace

BENCHMARK (editorOpen)->Unit (benchmark::kMillisecond);
BENCHMARK (editorFullPaint)->Arg (1)->Arg (2)->Unit (benchmark::kMillisecond);
BENCHMARK (editorIdleOnDisplay)->Arg (0)->Arg (1)->Iterations (1)->Unit (benchmark::kMillisecond);
