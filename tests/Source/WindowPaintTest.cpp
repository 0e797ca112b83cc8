#include "ComponentImages.h"
#include "EditorFixture.h"
#include "PaintingWindow.h"

using namespace editortest;

namespace
{
using Slot = PLEMVO_MainView::Slot;

/** Counts the paints of a view's children: it lies behind every widget and over the whole view, so a
    paint of any widget anywhere paints it too. It draws nothing. */
struct WidgetPaintProbe : juce::Component
{
    WidgetPaintProbe() { setInterceptsMouseClicks (false, false); }

    void paint (juce::Graphics&) override { ++paints; }

    int paints = 0;
};

juce::Rectangle<int> inWindow (Editor& editor, juce::Component& component)
{
    return editor.getLocalArea (&component, component.getLocalBounds());
}

juce::Image screenArea (const vqtest::PaintingWindow& window, juce::Rectangle<int> area)
{
    const auto pixels = (area.toFloat() * window.getScale()).getSmallestIntegerContainer();
    return window.getScreen().getClippedImage (pixels).createCopy();
}

using Widgets = std::vector<juce::Component*>;

PLEMVO_MainView& left (Editor& editor)
{
    return editor.getChannelView (0);
}

/** A change from outside the window, with the widgets that show it. */
struct OutsideChange
{
    juce::String what;
    std::function<void (PlemvoParamsManager&, PLEMVO_MainView&)> apply;
    Widgets (*widgets) (Editor&);
};

OutsideChange hostValue (Slot slot, float value, Widgets (*widgets) (Editor&))
{
    return { "a host value of slot " + juce::String ((int) slot),
             [slot, value] (PlemvoParamsManager& params, PLEMVO_MainView& view)
             { params.setParamValue (nullptr, view.getParamIndex (slot), value); },
             widgets };
}

OutsideChange setting (const char* what, int index, const juce::var& value, Widgets (*widgets) (Editor&))
{
    return { what,
             [index, value] (PlemvoParamsManager& params, PLEMVO_MainView&)
             { params.setNonAutomatableParamValue (nullptr, index, value); },
             widgets };
}

// In order: each row starts from the state the rows before it left.
const OutsideChange outsideChanges[] {
    hostValue (Slot::eq1GainSlot, 0.8f, [] (Editor& e) -> Widgets { return { &left (e).eq1GainKnob }; }),
    hostValue (Slot::eq1FreqSlot, 0.2f, [] (Editor& e) -> Widgets { return { &left (e).eq1FreqKnob }; }),
    hostValue (Slot::eq2GainSlot, 0.3f, [] (Editor& e) -> Widgets { return { &left (e).eq2GainKnob }; }),
    hostValue (Slot::eq2FreqSlot, 0.9f, [] (Editor& e) -> Widgets { return { &left (e).eq2FreqKnob }; }),
    hostValue (Slot::eq1QSlot, 0.75f, [] (Editor& e) -> Widgets { return { &left (e).eq1QSwitch }; }),
    hostValue (Slot::eq2QSlot, 0.13f, [] (Editor& e) -> Widgets { return { &left (e).eq2QSwitch }; }),
    hostValue (Slot::hpfSlot, 0.5f, [] (Editor& e) -> Widgets { return { &left (e).hpSwitch }; }),
    hostValue (Slot::lpfSlot, 0.25f, [] (Editor& e) -> Widgets { return { &left (e).lpSwitch }; }),
    hostValue (Slot::engageSlot, 0.0f, [] (Editor& e) -> Widgets { return { &left (e).engageButton }; }),
    hostValue (Slot::eq1EngageSlot, 1.0f, [] (Editor& e) -> Widgets { return { &left (e).eq1InButton }; }),
    hostValue (Slot::eq2EngageSlot, 1.0f, [] (Editor& e) -> Widgets { return { &left (e).eq2InButton }; }),

    // The read-out: a knob the pointer rests on in the other window, its value from the host, the hold's end.
    setting ("the pointer on EQ1 GAIN elsewhere", ParamData::mouseOverGain1Knob, true,
             [] (Editor& e) -> Widgets { return { &left (e).readOut }; }),
    hostValue (Slot::eq1GainSlot, 0.35f,
               [] (Editor& e) -> Widgets {
                   return { &left (e).eq1GainKnob, &left (e).readOut };
               }),
    { "the read-out's hold ends",
      [] (PlemvoParamsManager& params, PLEMVO_MainView& view)
      {
          params.setNonAutomatableParamValue (nullptr, ParamData::mouseOverGain1Knob, false);
          view.readOut.timerCallback();
      },
      [] (Editor& e) -> Widgets { return { &left (e).readOut }; } },

    // The lights.
    setting ("the unit connected", ParamData::isConnected, true,
             [] (Editor& e) -> Widgets {
                 return { &left (e).usbLight, &e.getMenuBar().getUsbButton() };
             }),
    setting ("clip left", ParamData::clipperDiodeStateL, true,
             [] (Editor& e) -> Widgets { return { &left (e).clipLights }; }),
    setting ("clip right", ParamData::clipperDiodeStateR, true,
             [] (Editor& e) -> Widgets { return { &left (e).clipLights }; }),
    setting ("clip left cleared", ParamData::clipperDiodeStateL, false,
             [] (Editor& e) -> Widgets { return { &left (e).clipLights }; }),
    { "DUAL MONO",
      [] (PlemvoParamsManager& params, PLEMVO_MainView&) { params.setParamValue (nullptr, ParamData::channel, 1.0f); },
      [] (Editor& e) -> Widgets { return { &left (e).channelSwitch }; } },
    setting ("the unit gone", ParamData::isConnected, false,
             [] (Editor& e) -> Widgets {
                 return { &left (e).usbLight, &e.getMenuBar().getUsbButton() };
             }),
};

class WindowPaint : public EditorTest
{
protected:
    /** One frame of the slide: the animator's step and the paint of what it asked to repaint; false
        when it asked for none. */
    bool frame (Editor& editor, vqtest::PaintingWindow& window)
    {
        clockMs += frameMs;
        editor.getAnimator().stepFrame (clockMs);
        return ! window.paintPending().isEmpty();
    }
};
} // namespace

TEST_F (WindowPaint, AChangeFromOutsideRepaintsOnlyTheWidgetsShowingItAndTheWindowThenShowsWhatAFullPaintShows)
{
    for (const auto scale : { 1.0f, 2.0f })
    {
        auto& instance = createInstance();
        auto& editor = openEditor (instance);
        auto& view = editor.getChannelView (0);
        vqtest::PaintingWindow window (editor, scale);
        window.paintAll();

        for (const auto& change : outsideChanges)
        {
            SCOPED_TRACE (juce::String (scale) + " x, " + change.what);
            change.apply (instance.getPlemvoParams(), view);

            juce::RectangleList<int> shown;
            for (auto* widget : change.widgets (editor))
                shown.add (inWindow (editor, *widget));

            const auto asked = window.getPendingArea();
            EXPECT_FALSE (asked.isEmpty());

            for (const auto& r : asked)
                EXPECT_TRUE (shown.containsRectangle (r)) << r.toString() << " beyond the widgets showing the change";

            window.paintPending();
            const auto partial = window.getScreen().createCopy();
            window.paintAll();
            EXPECT_EQ (vqtest::countDifferentPixels (partial, window.getScreen()), 0);
        }
    }
}

TEST_F (WindowPaint, InTheDoubleWindowInLinkAValueFromTheUnitRepaintsTheKnobOfEachPanelAndNothingElse)
{
    auto& instance = createInstance();
    set (instance, ParamData::doubleWindow, true);
    auto& editor = openEditor (instance);

    // The read-outs blank themselves a second after the window opens; that is not the change watched here.
    for (int channel : { 0, 1 })
        editor.getChannelView (channel).readOut.stopTimer();

    vqtest::PaintingWindow window (editor, 2.0f);
    window.paintAll();

    // The second panel follows a moment later, as a value from the unit reaches both in LINK.
    instance.getPlemvoParams().setParamValue (nullptr, ParamData::eq1Gain1, 0.7f);
    vqtest::drainMessageLoop();

    juce::RectangleList<int> knobs;
    for (int channel : { 0, 1 })
        knobs.add (inWindow (editor, editor.getChannelView (channel).eq1GainKnob));

    const auto asked = window.getPendingArea();

    for (const auto& r : asked)
        EXPECT_TRUE (knobs.containsRectangle (r)) << r.toString();

    for (const auto& knob : knobs)
        EXPECT_TRUE (asked.containsRectangle (knob)) << knob.toString();
}

TEST_F (WindowPaint, WhileThePanelSlidesAFramePaintsNoWidgetAndAValueFromTheHostShowsAtTheNextFrame)
{
    for (const auto opening : { true, false })
    {
        SCOPED_TRACE (opening ? "opening" : "closing");
        auto& instance = createInstance();
        set (instance, ParamData::doubleWindow, ! opening);
        auto& editor = openEditor (instance);
        WidgetPaintProbe probes[2];

        for (int channel : { 0, 1 })
        {
            auto& view = editor.getChannelView (channel);
            view.addAndMakeVisible (probes[channel], 1);
            probes[channel].setBounds (view.getLocalBounds());
        }

        auto& left = editor.getChannelView (0);
        const auto knob = inWindow (editor, left.eq1GainKnob);
        auto windowOnScreen = std::make_unique<vqtest::PaintingWindow> (editor, 2.0f);
        auto& window = *windowOnScreen;
        window.paintAll();

        clickWindowButton (left);
        window.paintPending();

        if (opening)
        {
            ASSERT_TRUE (endPause (editor));
        }

        // The first frame that moves the panel renders the pictures of both.
        while (! editor.getAnimator().getTasks().isEmpty() && ! frame (editor, window))
        {
        }

        int frames = 0, framesPaintingWidgets = 0;
        const auto before = screenArea (window, knob);
        juce::Image shownAtOnce;

        while (! editor.getAnimator().getTasks().isEmpty())
        {
            probes[0].paints = probes[1].paints = 0;
            const auto changing = ++frames == 10;

            if (changing)
                instance.getPlemvoParams().setParamValue (nullptr, left.getParamIndex (Slot::eq1GainSlot), 0.95f);

            frame (editor, window);

            if (changing)
                shownAtOnce = screenArea (window, knob);
            else if (probes[0].paints + probes[1].paints > 0)
                ++framesPaintingWidgets;
        }

        EXPECT_GT (frames, 30);
        EXPECT_EQ (framesPaintingWidgets, 0);

        vqtest::drainMessageLoop();
        EXPECT_EQ (left.getCachedComponentImage(), nullptr) << "the pictures go with the slide";
        EXPECT_EQ (editor.getChannelView (1).getCachedComponentImage(), nullptr);

        window.paintAll();
        EXPECT_GT (vqtest::countDifferentPixels (before, shownAtOnce, 2), 100);
        EXPECT_EQ (vqtest::countDifferentPixels (screenArea (window, knob), shownAtOnce, 2), 0);

        for (int channel : { 0, 1 })
            editor.getChannelView (channel).removeChildComponent (&probes[channel]);

        windowOnScreen.reset();
        closeEditor (editor);
    }
}

TEST_F (WindowPaint, AfterASnapshotAtAnotherScaleTheWindowShowsWhatItShowedAndAChangeRepaintsAsAFullPaintDoes)
{
    // A knob, and a button: a partial repaint of either must not show its cap beside caps of another render.
    const OutsideChange* changes[] { &outsideChanges[0], &outsideChanges[9] };

    for (const auto scale : { 2.0f, 1.0f })
        for (const auto* changing : changes)
        {
            const auto& change = *changing;
            SCOPED_TRACE (juce::String (scale) + " x, " + change.what);
            auto& instance = createInstance();
            auto& editor = openEditor (instance);
            auto& view = editor.getChannelView (0);
            vqtest::PaintingWindow window (editor, scale);
            window.paintAll();
            const auto shownBefore = window.getScreen().createCopy();

            vqtest::renderComponent (editor, 3.0f - scale);
            change.apply (instance.getPlemvoParams(), view);
            window.paintPending();
            const auto shown = window.getScreen().createCopy();
            window.paintAll();
            EXPECT_EQ (vqtest::countDifferentPixels (shown, window.getScreen()), 0);

            // Beyond the widget that changed, the window shows what it showed before the snapshot.
            auto outside = shownBefore.createCopy(), outsideNow = window.getScreen().createCopy();

            for (auto* widget : change.widgets (editor))
            {
                const auto area = (inWindow (editor, *widget).toFloat() * scale).getSmallestIntegerContainer();
                outside.clear (area);
                outsideNow.clear (area);
            }

            EXPECT_EQ (vqtest::countDifferentPixels (outside, outsideNow), 0);
        }
}
