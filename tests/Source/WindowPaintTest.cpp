#include "ComponentImages.h"
#include "EditorFixture.h"
#include "PaintingWindow.h"

using namespace editortest;

namespace
{
using Slot = PLEMVO_MainView::Slot;

juce::Rectangle<int> inWindow (Editor& editor, juce::Component& component)
{
    return editor.getLocalArea (&component, component.getLocalBounds());
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
