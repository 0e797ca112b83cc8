#include "ComponentImages.h"
#include "widgets/S500_GlobalHelpers.h"
#include "widgets/S500_Knob_s500.h"
#include "widgets/VQ_Knob_LAF_s500.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
const juce::StringArray gainTexts { "-15", ".", ".", ".", ".", "0", ".", ".", ".", ".", "+15" };

/** A panel with one gain and one frequency knob of 136 px, configured as the channel panel does. */
struct KnobPanel : juce::Component
{
    VQ_Knob_s500 gainKnob { VQ_Knob_s500::gain, true };
    VQ_Knob_s500 frequencyKnob { VQ_Knob_s500::frequency, false };

    KnobPanel()
    {
        setBounds (0, 0, 325, 570);
        setVisible (true);

        for (auto* knob : { &gainKnob, &frequencyKnob })
        {
            knob->defineSliderPrms ({}, gainTexts, 0.0f, 1.0f, 0.01f, 0.5f, 0.1f);
            addAndMakeVisible (knob);
        }

        frequencyKnob.setBounds (6, 66, 136, 136);
        gainKnob.setBounds (179, 66, 136, 136);
    }

    VQ_Knob_LAF_s500& lookOf (VQ_Knob& knob) { return *dynamic_cast<VQ_Knob_LAF_s500*> (knob.getKnobLookAndFeel()); }
};
} // namespace

TEST (KnobLeds, AValueOnAMarkLightsThatLedAloneAndHalfWayLightsBoth)
{
    KnobPanel panel;
    auto& knob = panel.gainKnob;
    const auto step = 1.0f / 10.0f; // eleven LEDs

    for (int i = 0; i < 11; ++i)
    {
        SCOPED_TRACE (i);
        knob.setValue (knob.getRulerDiodes()[i]->getValue(), juce::dontSendNotification);
        auto lit = VQ_Knob_LAF_s500::getLitLeds ((float) knob.valueToProportionOfLength (knob.getValue()), step);
        EXPECT_EQ (lit.lower, i);
        EXPECT_FLOAT_EQ (lit.lowerOpacity, 1.0f);
        EXPECT_FLOAT_EQ (lit.upperOpacity, 0.0f);

        if (i == 10)
            continue;

        knob.setValue (i / 10.0 + 0.05, juce::dontSendNotification);
        lit = VQ_Knob_LAF_s500::getLitLeds ((float) knob.valueToProportionOfLength (knob.getValue()), step);
        EXPECT_EQ (lit.lower, i);
        EXPECT_FLOAT_EQ (lit.lowerOpacity, 1.0f);
        EXPECT_FLOAT_EQ (lit.upperOpacity, 1.0f);
    }
}

TEST (KnobLeds, TheLowerLedFadesOutTowardsTheNextMark)
{
    struct Row
    {
        float position, lowerOpacity, upperOpacity;
    };

    for (const auto& row : { Row { 0.525f, 1.0f, 0.5f }, Row { 0.575f, 0.5f, 1.0f }, Row { 0.599f, 0.04f, 1.0f } })
    {
        const auto lit = VQ_Knob_LAF_s500::getLitLeds (row.position, 0.1f);
        EXPECT_EQ (lit.lower, 5) << row.position;
        EXPECT_NEAR (lit.lowerOpacity, row.lowerOpacity, 0.021f) << row.position;
        EXPECT_NEAR (lit.upperOpacity, row.upperOpacity, 0.021f) << row.position;
    }
}

TEST (KnobLeds, PositionsOutsideTheRangeLightTheEndLeds)
{
    const auto nan = std::numeric_limits<float>::quiet_NaN();
    const auto inf = std::numeric_limits<float>::infinity();

    for (const auto position : { nan, -inf, -3.0f })
        EXPECT_EQ (VQ_Knob_LAF_s500::getLitLeds (position, 0.1f).lower, 0) << position;

    for (const auto position : { inf, 7.0f })
        EXPECT_EQ (VQ_Knob_LAF_s500::getLitLeds (position, 0.1f).lower, 10) << position;
}

TEST (KnobPaint, PaintingDrawsTheCachedImagesAndRendersNone)
{
    KnobPanel panel;
    const auto made = VQ_GuiHelper::getImageMakerCallCount();

    for (const auto value : { 0.0, 0.5, 0.55, 1.0 })
    {
        panel.gainKnob.setValue (value, juce::dontSendNotification);
        for (const auto scale : { 1.0f, 2.0f })
            EXPECT_TRUE (vqtest::renderComponent (panel, scale).isValid());
    }

    EXPECT_EQ (VQ_GuiHelper::getImageMakerCallCount(), made);
}

TEST (KnobPaint, TheGainKnobsMiddleLedLightsRedAndEveryOtherWhite)
{
    KnobPanel panel;

    for (int i = 0; i < 11; ++i)
    {
        SCOPED_TRACE (i);
        for (auto* knob : { &panel.gainKnob, &panel.frequencyKnob })
            knob->setValue (knob->getRulerDiodes()[i]->getValue(), juce::dontSendNotification);

        const auto image = vqtest::renderComponent (panel);
        const auto gainLed =
            vqtest::sample (image, panel.gainKnob.getRulerDiodes()[i]->getBounds().toFloat().getCentre());
        const auto frequencyLed =
            vqtest::sample (image, panel.frequencyKnob.getRulerDiodes()[i]->getBounds().toFloat().getCentre());

        const auto isRed = [] (juce::Colour c) { return c.getRed() > 200 && c.getRed() - c.getGreen() > 50; };
        EXPECT_EQ (isRed (gainLed), i == 5) << gainLed.toDisplayString (true);
        EXPECT_FALSE (isRed (frequencyLed)) << frequencyLed.toDisplayString (true);
        EXPECT_GT (frequencyLed.getBlue(), 180) << "lit white, not the unlit yellow";
    }
}

TEST (KnobPaint, WithoutThePointerNoMarkShowsButTheShadingStillTurns)
{
    KnobPanel panel;
    auto& knob = panel.gainKnob;
    knob.setValue (0.0, juce::dontSendNotification);
    const auto& look = *knob.getKnobLookAndFeel();
    const auto angle = knob.getRotaryParameters().startAngleRadians;
    const auto onPointer =
        juce::Point<float> (0.0f, 1.9f * look.getChamferWidth() - look.getKnobRadius() + look.getKnobRadius() / 3.6f)
            .rotatedAboutOrigin (angle) +
        knob.getBounds().toFloat().getCentre();

    EXPECT_LT (vqtest::sample (vqtest::renderComponent (panel), onPointer).getBrightness(), 0.15f);

    knob.setPointerVisible (false);
    const auto atStart = vqtest::renderComponent (panel);
    EXPECT_GT (vqtest::sample (atStart, onPointer).getBrightness(), 0.3f);

    knob.setValue (1.0, juce::dontSendNotification);
    const auto atEnd = vqtest::renderComponent (panel);
    int differing = 0;
    for (int y = 0; y < atEnd.getHeight(); ++y)
        for (int x = 0; x < atEnd.getWidth(); ++x)
            differing += atStart.getPixelAt (x, y) != atEnd.getPixelAt (x, y) ? 1 : 0;

    EXPECT_GT (differing, 200) << "the shading turned, and the lit LED moved";
}

TEST (KnobPaint, ADotRulerTextIsDrawnAsADotCentredOnItsMarkAndAnyOtherTextAsText)
{
    KnobPanel panel;
    auto& knob = panel.gainKnob;
    const auto& look = panel.lookOf (knob);
    const auto& ruler = look.getRulerImage();
    const auto rotary = knob.getRotaryParameters();
    ASSERT_TRUE (ruler.isValid());

    for (int i = 0; i < 11; ++i)
    {
        const auto& text = knob.getRulerLabels()[i]->getText();
        SCOPED_TRACE (text);
        const auto angle =
            rotary.startAngleRadians + (float) i * (rotary.endAngleRadians - rotary.startAngleRadians) / 10.0f;
        const auto mark = juce::Point<float> (0.0f, -knob.getRulerRadius()).rotatedAboutOrigin (angle) +
                          juce::Point<float> (look.getCentre(), look.getCentre());

        // The ink around the mark: how much there is, and where its middle lies.
        float ink = 0.0f;
        juce::Point<float> weighted;
        for (int y = (int) mark.y - 2; y <= (int) mark.y + 2; ++y)
            for (int x = (int) mark.x - 2; x <= (int) mark.x + 2; ++x)
            {
                const auto alpha = ruler.getPixelAt (x, y).getFloatAlpha();
                ink += alpha;
                weighted += juce::Point<float> ((float) x + 0.5f, (float) y + 0.5f) * alpha;
            }

        ASSERT_GT (ink, 0.5f);
        if (text == ".")
        {
            EXPECT_LT (ink, look.getScale() * look.getScale() * 2.0f);
            EXPECT_LT ((weighted / ink).getDistanceFrom (mark), 0.5f);
        }
        else
        {
            EXPECT_GT (ink, 8.0f);
        }
    }
}

TEST (KnobValues, AValueOnAStepIsThatStepsFloatAndNaNKeepsTheKnobWhereItIs)
{
    KnobPanel panel;
    auto& knob = panel.gainKnob;

    for (int i = 0; i <= 100; ++i)
    {
        knob.setValue (i / 100.0, juce::dontSendNotification);
        EXPECT_EQ ((float) knob.getValue(), (float) (i / 100.0)) << i;
    }

    knob.setValue (0.3, juce::dontSendNotification);
    knob.setValue (std::numeric_limits<double>::quiet_NaN(), juce::dontSendNotification);
    EXPECT_EQ ((float) knob.getValue(), 0.3f);
}

TEST (KnobMarks, AKnobGivenNoParametersGetsTwoMarksAndTheUnitRangeWhenAdded)
{
    juce::Component parent;
    VQ_Knob_s500 knob (VQ_Knob_s500::gain, false);
    parent.addAndMakeVisible (knob);

    ASSERT_EQ (knob.getRulerLabels().size(), 2);
    EXPECT_EQ (knob.getRulerLabels()[0]->getText(), "0");
    EXPECT_EQ (knob.getRulerLabels()[1]->getText(), "1");
    EXPECT_EQ (knob.getRulerDiodes().size(), 2);
    EXPECT_EQ (knob.getRange(), juce::Range<double> (0.0, 1.0));
    EXPECT_DOUBLE_EQ (knob.getInterval(), 0.01);
}

TEST (KnobMarks, FewerThanTwoTextsKeepTheMarksAndElevenMakeElevenOfEach)
{
    KnobPanel panel;
    auto& knob = panel.frequencyKnob;
    EXPECT_EQ (knob.getRulerLabels().size(), 11);
    EXPECT_EQ (knob.getRulerDiodes().size(), 11);
    EXPECT_DOUBLE_EQ (knob.getRulerLabels()[5]->getValue(), 0.5);

    knob.defineSliderPrms ("F", { "only" }, 0.0f, 1.0f, 0.01f, 0.5f, 0.1f);
    EXPECT_EQ (knob.getRulerLabels().size(), 11);
    EXPECT_EQ (knob.getRulerLabels()[0]->getText(), "-15");
    EXPECT_EQ (knob.getCaption().getText(), "F");
}

TEST (KnobMarks, TheCaptionAndMarksAreSiblingsThatFollowTheKnobsVisibility)
{
    KnobPanel panel;
    auto& knob = panel.gainKnob;

    for (auto* mark : std::initializer_list<juce::Component*> { &knob.getCaption(), knob.getRulerLabels()[3],
                                                                knob.getRulerDiodes()[7] })
    {
        EXPECT_EQ (mark->getParentComponent(), &panel);
        EXPECT_TRUE (mark->isVisible());
        knob.setVisible (false);
        EXPECT_FALSE (mark->isVisible());
        knob.setVisible (true);
        EXPECT_TRUE (mark->isVisible());
    }
}

TEST (KnobMarks, MarksSitOnTheirCircleInTheParentsCoordinates)
{
    KnobPanel panel;
    auto& knob = panel.gainKnob;
    const auto centre = knob.getBounds().toFloat().getCentre();
    const auto& look = panel.lookOf (knob);

    for (int i = 0; i < 11; ++i)
    {
        const auto ledCentre = knob.getRulerDiodes()[i]->getBounds().toFloat().getCentre();
        EXPECT_NEAR (ledCentre.getDistanceFrom (centre), look.getDecoratorRadius(), 1.5f) << i;

        const auto labelCentre = knob.getRulerLabels()[i]->getBounds().toFloat().getCentre();
        EXPECT_NEAR (labelCentre.getDistanceFrom (centre), knob.getRulerRadius(), 1.5f) << i;
    }

    // The first mark of a gain knob lies lower left, the last lower right.
    EXPECT_LT (knob.getRulerDiodes()[0]->getX(), (int) centre.x);
    EXPECT_GT (knob.getRulerDiodes()[10]->getX(), (int) centre.x);
    EXPECT_GT (knob.getRulerDiodes()[0]->getY(), (int) centre.y);
}

TEST (KnobCaption, TheCaptionSitsByOrientation)
{
    struct Row
    {
        VQ_Knob_s500::Orientation orientation;
        juce::Rectangle<int> bounds;
        juce::Justification justification;
    };
    // At 136 px: scale 1.8133, font 11.79, offsets 22 and 102, height 14, four characters 47 wide.
    for (const auto& row :
         { Row { VQ_Knob_s500::gain, { 10 + 22, 20 + 102, 47, 14 }, juce::Justification::left },
           Row { VQ_Knob_s500::frequency, { 10 + 136 - 22 - 47, 20 + 102, 47, 14 }, juce::Justification::right },
           Row { VQ_Knob_s500::centred, { 10, 20 + 102, 136, 14 }, juce::Justification::centred } })
    {
        juce::Component parent;
        VQ_Knob_s500 knob (row.orientation, false);
        knob.defineSliderPrms ("GAIN", {}, 0.0f, 1.0f, 0.1f, 0.0f, 0.1f);
        parent.addAndMakeVisible (knob);
        knob.setBounds (10, 20, 136, 136);

        EXPECT_EQ (knob.getCaption().getBounds(), row.bounds) << (int) row.orientation;
        EXPECT_EQ (knob.getCaption().getJustificationType(), row.justification) << (int) row.orientation;
        EXPECT_NEAR (knob.getCaption().getFont().getHeight(), 6.5f * 136.0f / 75.0f, 0.01f);
    }
}

TEST (KnobMouse, OnlyTheCircleInscribedInTheSquareTakesTheMouse)
{
    KnobPanel panel;
    auto& knob = panel.gainKnob;

    EXPECT_TRUE (knob.hitTest (68, 68));
    EXPECT_TRUE (knob.hitTest (68, 2));
    EXPECT_FALSE (knob.hitTest (3, 3));
    EXPECT_FALSE (knob.hitTest (133, 133));
    EXPECT_EQ (panel.getComponentAt (knob.getX() + 3, knob.getY() + 3), &panel);
    EXPECT_EQ (panel.getComponentAt (knob.getX() + 68, knob.getY() + 68), &knob);
}

TEST (KnobBadInput, OddSizesAndValuesLayOutAndPaintWithoutFault)
{
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    const auto inf = std::numeric_limits<double>::infinity();

    for (const auto size : { 0, 1, 2, 3, 2000 })
    {
        KnobPanel panel;
        auto& knob = panel.gainKnob;
        knob.setBounds (0, 0, size, size);

        for (const auto value : { nan, inf, -inf, 7.0, -7.0, 0.5 })
        {
            knob.setValue (value, juce::dontSendNotification);
            EXPECT_TRUE (knob.getValue() >= 0.0 && knob.getValue() <= 1.0) << size << " " << value;

            if (size <= 200)
                knob.createComponentSnapshot (
                    knob.getLocalBounds().withSize (juce::jmax (1, size), juce::jmax (1, size)));
        }
    }
}
