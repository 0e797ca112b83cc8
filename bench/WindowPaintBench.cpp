// What the window costs to paint on a display of scale 1 and of scale 2 (a 2x display), painted as a
// window peer paints: only the areas that repaints asked for, clipped to them, through a transform of
// the display's scale, into an image of the window's physical pixels. Measured: a full paint of the
// single and the double window, one change of EQ1 GAIN from the unit or the host (single window, and
// double window in LINK, where both panels follow), both again as the first paint after a snapshot of the
// window at another scale, one step of a mouse drag of that knob, and every frame of the
// slide that opens the double window (median and 95th percentile). Every figure is also given as a
// multiple of one 1:1 draw of an opaque image of the window's physical size, the floor of any full
// repaint, measured in the same run (x_window_draw). Times are the message thread's own CPU time, so
// that other work on the machine does not count. A last benchmark gives the memory the window's
// pictures take once painted at scale 2 beyond what they take at scale 1.
#include "Mouse.h"
#include "PaintingWindow.h"
#include "PluginEditor.h"
#include "PluginInstance.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace
{
using Editor = PlemvoAudioProcessorEditor;

constexpr juce::uint32 frameMs = 16;
constexpr double frameBudgetMs = 1000.0 / 60.0;

double median (std::vector<double> values)
{
    std::sort (values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double percentile95 (std::vector<double> values)
{
    std::sort (values.begin(), values.end());
    return values.empty() ? 0.0 : values[(size_t) std::ceil (0.95 * (double) values.size()) - 1];
}

double threadCpuNs()
{
    timespec t {};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &t);
    return (double) t.tv_sec * 1.0e9 + (double) t.tv_nsec;
}

/** The CPU time the operation takes on this thread, in nanoseconds. */
template <typename Operation> double nanoseconds (Operation&& operation)
{
    const auto start = threadCpuNs();
    operation();
    return threadCpuNs() - start;
}

/** The mean CPU time of the operation over the benchmark's iterations, in nanoseconds. */
template <typename Operation> double meanNanoseconds (benchmark::State& state, Operation&& operation)
{
    double total = 0.0;

    for (auto _ : state)
        total += nanoseconds (operation);

    return total / (double) state.iterations();
}

/** The heap in use: small blocks and those mapped on their own. */
double heapBytes()
{
    const auto info = mallinfo2();
    return (double) info.uordblks + (double) info.hblkhd;
}

/** One 1:1 draw of an opaque image of a window's physical pixels into an image of the same size, in
    nanoseconds: the median of many, measured once per size and scale in this run. */
double windowDrawNs (int width, int height, float scale)
{
    static std::map<std::tuple<int, int, float>, double> measured;
    auto& ns = measured[{ width, height, scale }];

    if (ns == 0.0)
    {
        const auto w = juce::roundToInt ((float) width * scale), h = juce::roundToInt ((float) height * scale);
        juce::Image opaque (juce::Image::RGB, w, h, false);
        {
            juce::Graphics g (opaque);
            g.setGradientFill (
                juce::ColourGradient (juce::Colours::grey, 0.0f, 0.0f, juce::Colours::black, 0.0f, (float) h, false));
            g.fillAll();
        }
        juce::Image screen (juce::Image::ARGB, w, h, true);
        std::vector<double> times;

        for (int i = 0; i < 300; ++i)
        {
            times.push_back (nanoseconds (
                [&]
                {
                    juce::Graphics g (screen);
                    g.drawImageAt (opaque, 0, 0);
                }));
        }

        ns = median (times);
    }

    return ns;
}

/** An instance with its window on a painting peer of the given scale, the slide on a clock of its own. */
struct Window
{
    Window (bool doubleWindow, bool linked, float scale)
    {
        params().setParamValue (nullptr, ParamData::channel, linked ? 0.0f : 1.0f);
        params().setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, doubleWindow);
        editor = std::make_unique<Editor> (instance, params(), [this] { return clockMs; });
        window = std::make_unique<vqtest::PaintingWindow> (*editor, scale);
        window->paintAll();
    }

    ~Window()
    {
        window.reset();
        instance.editorBeingDeleted (editor.get());
        editor.reset();
    }

    PlemvoParamsManager& params() { return instance.getPlemvoParams(); }
    PLEMVO_MainView& view (int channel) { return editor->getChannelView (channel); }

    /** The x_window_draw of a time: its multiple of one 1:1 draw of the window's physical pixels. */
    double timesWindowDraw (double ns) const
    {
        return ns / windowDrawNs (editor->getWidth(), editor->getHeight(), window->getScale());
    }

    void report (benchmark::State& state, double ns) const
    {
        state.counters["ms"] = ns / 1.0e6;
        state.counters["x_window_draw"] = timesWindowDraw (ns);
        state.counters["window_draw_ms"] =
            windowDrawNs (editor->getWidth(), editor->getHeight(), window->getScale()) / 1.0e6;
    }

    PlemvoPluginInstance instance;
    juce::uint32 clockMs = 1000;
    std::unique_ptr<Editor> editor;
    std::unique_ptr<vqtest::PaintingWindow> window;
};

float scaleOf (benchmark::State& state)
{
    return (float) state.range (0);
}

// Arguments: scale, double window (0 or 1).
void windowFullPaint (benchmark::State& state)
{
    Window w (state.range (1) != 0, true, scaleOf (state));
    w.report (state, meanNanoseconds (state, [&] { w.window->paintAll(); }));
}

/** The step-th of a run of values of EQ1 GAIN from the unit (or from the host, as automation plays it
    back), reaching the manager on the message thread; in LINK the second panel follows it a moment
    later. Returns once every panel shows it, with the paint of what it asked to repaint still to come. */
void changeEq1Gain (Window& w, int step)
{
    const auto value = 0.3f + 0.01f * (float) (step % 40);
    w.params().setParamValue (nullptr, ParamData::eq1Gain1, value);

    for (int channel : { 0, 1 })
        while (std::abs (w.view (channel).eq1GainKnob.getValue() - (double) value) > 0.001)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
}

// The paint of one change of EQ1 GAIN. Arguments: scale, double window in LINK (0 or 1).
void windowHostChange (benchmark::State& state)
{
    Window w (state.range (1) != 0, true, scaleOf (state));
    double total = 0.0;
    int step = 0;

    for (auto _ : state)
    {
        changeEq1Gain (w, step++);
        total += nanoseconds ([&] { w.window->paintPending(); });
    }

    w.report (state, total / (double) state.iterations());
}

// The first paint at the display's scale after a snapshot of the window at another scale (the session
// runner's `snapshot` writes the window at scale 1 while it shows at 2; a window moved to another
// display paints at both): a full paint, or the paint of one change of EQ1 GAIN. The snapshot is not
// timed. Arguments: scale, the snapshot's scale, full paint (1) or one change (0).
void windowPaintAfterSnapshot (benchmark::State& state)
{
    Window w (false, true, scaleOf (state));
    const auto snapshotScale = (float) state.range (1);
    const auto fullPaint = state.range (2) != 0;
    double total = 0.0;
    int step = 0;

    for (auto _ : state)
    {
        w.editor->createComponentSnapshot (w.editor->getLocalBounds(), true, snapshotScale);

        if (fullPaint)
        {
            total += nanoseconds ([&] { w.window->paintAll(); });
        }
        else
        {
            changeEq1Gain (w, step++);
            total += nanoseconds ([&] { w.window->paintPending(); });
        }
    }

    w.report (state, total / (double) state.iterations());
}

// One step of a user's drag of EQ1 GAIN in the single window: the mouse event through the window's peer
// and the paint that follows, up and down within the knob's range. Argument: scale.
void windowMouseDrag (benchmark::State& state)
{
    Window w (false, true, scaleOf (state));
    auto& knob = w.view (0).eq1GainKnob;
    const auto centre = knob.getLocalBounds().getCentre().toFloat();
    vqtest::PeerMouse mouse (knob);
    mouse.move (centre);
    mouse.down (centre);
    w.window->paintPending();
    float y = centre.y;
    float direction = -4.0f;

    w.report (state, meanNanoseconds (state,
                                      [&]
                                      {
                                          if (std::abs (y - centre.y) >= 100.0f)
                                              direction = -direction;

                                          y += direction;
                                          mouse.drag ({ centre.x, y });
                                          w.window->paintPending();
                                      }));

    mouse.up ({ centre.x, y });
}

// Every frame of the slide that opens the double window after a click on the window button, each a
// step of the animator and the paint of what it asked to repaint. Argument: scale.
void windowSlideFrames (benchmark::State& state)
{
    Window w (false, true, scaleOf (state));
    std::vector<double> frames;

    for (auto _ : state)
    {
        auto& button = w.view (0).windowButton;
        button.setToggleState (true, juce::dontSendNotification);
        button.onClick();
        w.window->paintPending();

        // The pause before the slide, as the editor's timer ends it.
        w.editor->timerCallback();

        while (! w.editor->getAnimator().getTasks().isEmpty())
        {
            frames.push_back (nanoseconds (
                [&]
                {
                    w.clockMs += frameMs;
                    w.editor->getAnimator().stepFrame (w.clockMs);
                    w.window->paintPending();
                }));
        }

        // Back to the single window at once, untimed.
        state.PauseTiming();
        w.params().setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, false);
        button.setToggleState (false, juce::dontSendNotification);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
        w.window->paintPending();
        state.ResumeTiming();
    }

    const auto overBudget =
        std::count_if (frames.begin(), frames.end(), [] (double ns) { return ns / 1.0e6 > frameBudgetMs; });
    state.counters["frames"] = (double) frames.size();
    state.counters["frames_over_budget"] = (double) overBudget;
    state.counters["median_ms"] = median (frames) / 1.0e6;
    state.counters["p95_ms"] = percentile95 (frames) / 1.0e6;
    state.counters["median_x_window_draw"] = w.timesWindowDraw (median (frames));
    state.counters["p95_x_window_draw"] = w.timesWindowDraw (percentile95 (frames));
    state.counters["window_draw_ms"] =
        windowDrawNs (Editor::windowWidth (true), Editor::windowHeight, w.window->getScale()) / 1.0e6;
}

// The heap the double window's pictures take when it is painted at scale 2 beyond what they take at
// scale 1: the same window painted on a peer of scale 1, then on one of scale 2 (whose screen is not
// counted). The pictures of scale 1 stay kept beside those of scale 2.
void windowPicturesAtScale2Memory (benchmark::State& state)
{
    for (auto _ : state)
    {
        PlemvoPluginInstance instance;
        instance.getPlemvoParams().setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, true);
        Editor editor (instance, instance.getPlemvoParams());
        {
            vqtest::PaintingWindow atOne (editor, 1.0f);
            atOne.paintAll();
        }
        const auto before = heapBytes();
        vqtest::PaintingWindow atTwo (editor, 2.0f);
        atTwo.paintAll();
        const auto screen = (double) atTwo.getScreen().getWidth() * atTwo.getScreen().getHeight() * 4.0;
        state.counters["added_MB"] = (heapBytes() - before - screen) / 1.0e6;
        instance.editorBeingDeleted (&editor);
    }
}
} // namespace

BENCHMARK (windowFullPaint)->ArgsProduct ({ { 1, 2 }, { 0, 1 } })->Unit (benchmark::kMillisecond);
BENCHMARK (windowHostChange)->ArgsProduct ({ { 1, 2 }, { 0, 1 } })->Unit (benchmark::kMillisecond);
BENCHMARK (windowPaintAfterSnapshot)
    ->Args ({ 2, 1, 1 })
    ->Args ({ 2, 1, 0 })
    ->Args ({ 1, 2, 1 })
    ->Args ({ 1, 2, 0 })
    ->Unit (benchmark::kMillisecond);
BENCHMARK (windowMouseDrag)->Arg (1)->Arg (2)->Unit (benchmark::kMillisecond);
BENCHMARK (windowSlideFrames)->Arg (1)->Arg (2)->Iterations (5)->Unit (benchmark::kMillisecond);
BENCHMARK (windowPicturesAtScale2Memory)->Iterations (1)->Unit (benchmark::kMillisecond);
