#include "Mouse.h"
#include "widgets/S500_Knob_s500.h"

#include <gtest/gtest.h>

namespace
{
/** A panel with one 136 px knob of eleven marks over 0..1 whose callbacks are recorded. */
struct RecordedKnob : juce::Component
{
    VQ_Knob_s500 knob { VQ_Knob_s500::gain, true };
    std::vector<juce::String> calls;
    std::vector<float> values;

    RecordedKnob()
    {
        setBounds (0, 0, 325, 570);
        setVisible (true);
        knob.defineSliderPrms ({}, { "-15", ".", ".", ".", ".", "0", ".", ".", ".", ".", "+15" }, 0.0f, 1.0f, 0.01f,
                               0.5f, 0.1f);
        addAndMakeVisible (knob);
        knob.setBounds (179, 66, 136, 136);
        knob.setValue (0.2, juce::dontSendNotification);

        knob.onDragStart = [this] { calls.push_back ("start"); };
        knob.onValueChange = [this]
        {
            calls.push_back ("change");
            values.push_back ((float) knob.getValue());
        };
        knob.onDragEnd = [this] { calls.push_back ("end"); };
        knob.onMouseEnterFunc = [this] { calls.push_back ("enter"); };
        knob.onMouseExitFunc = [this] { calls.push_back ("exit"); };
    }

    juce::Point<float> centreOf (juce::Component& c) const { return c.getBounds().toFloat().getCentre(); }
    juce::Point<float> knobCentre() const { return knob.getBounds().toFloat().getCentre(); }

    int count (const juce::String& call) const { return (int) std::count (calls.begin(), calls.end(), call); }

    std::vector<juce::String> gestureCalls() const
    {
        std::vector<juce::String> gestures;
        std::copy_if (calls.begin(), calls.end(), std::back_inserter (gestures),
                      [] (const juce::String& c) { return c != "enter" && c != "exit"; });
        return gestures;
    }
};
} // namespace

TEST (KnobMouse, ADragThroughTheWindowGivesOneBeginTheValuesAndOneEnd)
{
    RecordedKnob panel;
    vqtest::PeerMouse mouse (panel);
    const auto centre = panel.knobCentre();

    mouse.dragUp (centre, 64);

    const auto gestures = panel.gestureCalls();
    ASSERT_GE (gestures.size(), 3u);
    EXPECT_EQ (gestures.front(), "start");
    EXPECT_EQ (gestures.back(), "end");
    EXPECT_EQ (panel.count ("start"), 1);
    EXPECT_EQ (panel.count ("end"), 1);
    EXPECT_TRUE (std::is_sorted (panel.values.begin(), panel.values.end()));
    // 256 px turn the whole range: 64 px up from 0.2 is a quarter more.
    EXPECT_NEAR (panel.knob.getValue(), 0.45, 0.011);
}

// The mark's own calls come first; the slider then handles the same press and release as a drag of
// its own, nested inside the mark's.
TEST (KnobMouse, AClickOnTheSixthOfElevenMarksGivesHalfAsStartChangeEndEachBeforeTheSlidersOwnDrag)
{
    for (const bool onLed : { true, false })
    {
        RecordedKnob panel;
        vqtest::PeerMouse mouse (panel);
        auto& mark = onLed ? static_cast<juce::Component&> (*panel.knob.getRulerDiodes()[5])
                           : static_cast<juce::Component&> (*panel.knob.getRulerLabels()[5]);

        mouse.click (panel.centreOf (mark));

        EXPECT_EQ (panel.gestureCalls(), (std::vector<juce::String> { "start", "change", "start", "end", "end" }))
            << onLed;
        ASSERT_EQ (panel.values.size(), 1u);
        EXPECT_EQ (panel.values[0], 0.5f);
        EXPECT_EQ (panel.count ("enter"), 1) << "hovering a mark counts as hovering the knob";
    }
}

TEST (KnobMouse, APressInTheSquareButOutsideTheCircleMisses)
{
    RecordedKnob panel;
    vqtest::PeerMouse mouse (panel);
    const auto corner = panel.knob.getPosition().toFloat().translated (4.0f, 4.0f);

    mouse.move (corner);
    mouse.down (corner);
    mouse.drag (corner.translated (0.0f, -40.0f));
    mouse.up (corner.translated (0.0f, -40.0f));

    EXPECT_TRUE (panel.calls.empty());
    EXPECT_EQ ((float) panel.knob.getValue(), 0.2f);
}

TEST (KnobMouse, AMarkClickOrAWheelDuringADragLeavesTheGesturesBalanced)
{
    for (const bool markClick : { true, false })
    {
        RecordedKnob panel;
        vqtest::PeerMouse mouse (panel);
        const auto centre = panel.knobCentre();

        mouse.move (centre);
        mouse.down (centre);
        mouse.drag (centre.translated (0.0f, -20.0f));

        if (markClick)
            vqtest::DirectMouse (*panel.knob.getRulerDiodes()[9]).click ({ 2.0f, 2.0f });
        else
            mouse.wheel (centre.translated (0.0f, -20.0f), 0.5f);

        mouse.drag (centre.translated (0.0f, -30.0f));
        mouse.up (centre.translated (0.0f, -30.0f));

        EXPECT_EQ (panel.count ("start"), panel.count ("end")) << markClick;
        EXPECT_EQ (panel.gestureCalls().back(), "end") << markClick;
    }
}

TEST (KnobMouse, ADoubleClickDoesNothingEvenWithTheResetClickEnabled)
{
    RecordedKnob panel;
    panel.knob.setDoubleClickReturnValue (true, 0.5, juce::ModifierKeys::altModifier);
    vqtest::PeerMouse mouse (panel);

    mouse.doubleClick (panel.knobCentre());

    EXPECT_EQ ((float) panel.knob.getValue(), 0.2f);
}

TEST (KnobMouse, MarksOutlivingTheirParentStillGiveWholeGestures)
{
    auto panel = std::make_unique<RecordedKnob>();
    auto knob = std::make_unique<VQ_Knob_s500> (VQ_Knob_s500::frequency, false);
    panel->addAndMakeVisible (*knob);
    knob->setBounds (6, 66, 136, 136);
    int starts = 0, ends = 0;
    knob->onDragStart = [&] { ++starts; };
    knob->onDragEnd = [&] { ++ends; };

    panel.reset();
    vqtest::DirectMouse (*knob->getRulerLabels()[1]).click ({ 1.0f, 1.0f });
    vqtest::DirectMouse (*knob).click ({ 68.0f, 68.0f });

    EXPECT_EQ (starts, ends);
    EXPECT_EQ ((float) knob->getValue(), 1.0f);
    EXPECT_EQ (knob->getRulerLabels()[1]->getParentComponent(), nullptr);
}

TEST (KnobMouse, RedefiningTheMarksDuringAMarkPressEndsItsGesture)
{
    RecordedKnob panel;
    vqtest::DirectMouse (*panel.knob.getRulerDiodes()[3]).down ({ 2.0f, 2.0f });

    panel.knob.defineSliderPrms ({}, { "a", "b", "c" }, 0.0f, 1.0f, 0.01f, 0.5f, 0.1f);

    EXPECT_EQ (panel.gestureCalls(), (std::vector<juce::String> { "start", "change", "end" }));
    EXPECT_EQ (panel.knob.getRulerDiodes().size(), 3);
    EXPECT_EQ (panel.knob.getRulerDiodes()[2]->getParentComponent(), &panel);
}

// Through the window the slider drags along with the mark's press; marks replaced under the pointer
// never see the release, and neither would the slider's drag.
TEST (KnobMouse, RedefiningTheMarksDuringAMarkPressInTheWindowEndsTheSlidersDragToo)
{
    RecordedKnob panel;
    vqtest::PeerMouse mouse (panel);
    const auto onMark = panel.centreOf (*panel.knob.getRulerDiodes()[3]);
    mouse.move (onMark);
    mouse.down (onMark);

    panel.knob.defineSliderPrms ({}, { "a", "b", "c" }, 0.0f, 1.0f, 0.01f, 0.5f, 0.1f);

    EXPECT_EQ (panel.count ("start"), panel.count ("end"));
    mouse.up (onMark);
    EXPECT_EQ (panel.count ("start"), panel.count ("end"));
}
