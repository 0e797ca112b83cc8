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

/** A value of each control of the first channel from the host, with the widget that shows it. */
struct HostValue
{
    Slot slot;
    float value;
    juce::Component& (*widget) (PLEMVO_MainView&);
};

const HostValue hostValues[] {
    { Slot::eq1GainSlot, 0.8f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq1GainKnob; } },
    { Slot::eq1FreqSlot, 0.2f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq1FreqKnob; } },
    { Slot::eq2GainSlot, 0.3f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq2GainKnob; } },
    { Slot::eq2FreqSlot, 0.9f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq2FreqKnob; } },
    { Slot::eq1QSlot, 0.75f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq1QSwitch; } },
    { Slot::eq2QSlot, 0.13f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq2QSwitch; } },
    { Slot::hpfSlot, 0.5f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.hpSwitch; } },
    { Slot::lpfSlot, 0.25f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.lpSwitch; } },
    { Slot::engageSlot, 0.0f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.engageButton; } },
    { Slot::eq1EngageSlot, 1.0f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq1InButton; } },
    { Slot::eq2EngageSlot, 1.0f, [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq2InButton; } },
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

TEST_F (WindowPaint, AValueFromTheHostRepaintsOnlyTheWidgetShowingItAndTheWindowThenShowsWhatAFullPaintShows)
{
    for (const auto scale : { 1.0f, 2.0f })
    {
        auto& instance = createInstance();
        auto& editor = openEditor (instance);
        auto& view = editor.getChannelView (0);
        vqtest::PaintingWindow window (editor, scale);
        window.paintAll();

        for (const auto& row : hostValues)
        {
            SCOPED_TRACE (juce::String (scale) + " x, slot " + juce::String ((int) row.slot));
            instance.getPlemvoParams().setParamValue (nullptr, view.getParamIndex (row.slot), row.value);

            const auto asked = window.getPendingArea();
            EXPECT_FALSE (asked.isEmpty());
            EXPECT_TRUE (inWindow (editor, row.widget (view)).contains (asked.getBounds()))
                << asked.getBounds().toString() << " beyond " << inWindow (editor, row.widget (view)).toString();

            window.paintPending();
            const auto shown = window.getScreen().createCopy();
            window.paintAll();
            EXPECT_EQ (vqtest::countDifferentPixels (shown, window.getScreen()), 0);
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
    const HostValue* changes[] { &hostValues[0], &hostValues[9] };

    for (const auto scale : { 2.0f, 1.0f })
        for (const auto* changing : changes)
        {
            const auto& change = *changing;
            SCOPED_TRACE (juce::String (scale) + " x, slot " + juce::String ((int) change.slot));
            auto& instance = createInstance();
            auto& editor = openEditor (instance);
            auto& view = editor.getChannelView (0);
            vqtest::PaintingWindow window (editor, scale);
            window.paintAll();
            const auto shownBefore = window.getScreen().createCopy();

            vqtest::renderComponent (editor, 3.0f - scale);
            instance.getPlemvoParams().setParamValue (nullptr, view.getParamIndex (change.slot), change.value);
            window.paintPending();
            const auto shown = window.getScreen().createCopy();
            window.paintAll();
            EXPECT_EQ (vqtest::countDifferentPixels (shown, window.getScreen()), 0);

            // Beyond the widget that changed, the window shows what it showed before the snapshot.
            const auto widget =
                (inWindow (editor, change.widget (view)).toFloat() * scale).getSmallestIntegerContainer();
            auto outside = shownBefore.createCopy(), outsideNow = window.getScreen().createCopy();
            outside.clear (widget);
            outsideNow.clear (widget);
            EXPECT_EQ (vqtest::countDifferentPixels (outside, outsideNow), 0);
        }
}
