#include "widgets/VQ_Label.h"
#include "ComponentImages.h"
#include "Mouse.h"
#include "widgets/S500_GlobalHelpers.h"
#include "widgets/VQ_Button.h"

#include <gtest/gtest.h>

namespace
{
juce::Image paintedWindowButton (bool on, bool highlighted, bool down)
{
    WindowButton button;
    button.setSize (40, 40);
    button.setToggleState (on, juce::dontSendNotification);
    juce::Image image (juce::Image::ARGB, 40, 40, true);
    juce::Graphics g (image);
    button.paintButton (g, highlighted, down);
    return image;
}
} // namespace

TEST (ButtonDiode, ALightRendersItsImageOnLayoutOnlyAndPaintingRendersNothing)
{
    ButtonLightDiode lit;
    ButtonDarkDiode dark;
    const auto before = VQ_GuiHelper::getImageMakerCallCount();

    lit.setDiodeColour (juce::Colours::red);
    EXPECT_EQ (VQ_GuiHelper::getImageMakerCallCount(), before) << "no size yet: the colour is only stored";

    lit.setSize (16, 16);
    dark.setSize (16, 16);
    EXPECT_EQ (VQ_GuiHelper::getImageMakerCallCount(), before + 2);

    lit.setDiodeColour (juce::Colours::blue);
    EXPECT_EQ (VQ_GuiHelper::getImageMakerCallCount(), before + 3);
    EXPECT_EQ (vqtest::imageMakerCallsWhilePainting (lit), 0);
    EXPECT_EQ (vqtest::imageMakerCallsWhilePainting (dark), 0);
    EXPECT_GT (vqtest::renderComponent (lit).getPixelAt (8, 8).getAlpha(), 0);
}

TEST (ButtonDiode, ALightLaidOutAtZeroOrOnePixelDrawsNothing)
{
    for (const int size : { 0, 1 })
    {
        ButtonDarkDiode dark;
        dark.setSize (size, size);
        juce::Image image (juce::Image::ARGB, 4, 4, true);
        juce::Graphics g (image);
        dark.paint (g);
        EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0);
    }
}

TEST (ClipperDiodes, APressTellsTheUnlitLightUnderItAndNothingElse)
{
    struct Case
    {
        juce::Point<float> at;
        int left, right;
    };
    juce::Component parent;
    parent.setSize (100, 100);
    ClipperDiodes clip;
    parent.addAndMakeVisible (clip);
    clip.setBounds (10, 10, 36, 49);
    clip.leftLightDiode->setVisible (true); // lit lights ignore the mouse: the press still counts
    int left = 0, right = 0;
    clip.onLeftDiodeClicked = [&] { ++left; };
    clip.onRightDiodeClicked = [&] { ++right; };

    const auto leftCentre = clip.leftDarkDiode->getBounds().getCentre().toFloat();
    const auto rightCentre = clip.rightDarkDiode->getBounds().getCentre().toFloat();
    const Case cases[] = {
        { leftCentre, 1, 0 }, { rightCentre, 1, 1 }, { { 18.0f, 45.0f }, 1, 1 }, { { 1.0f, 2.0f }, 1, 1 }
    };
    EXPECT_EQ (clip.getComponentAt (leftCentre.toInt()), &clip);
    vqtest::DirectMouse mouse (clip);

    for (const auto& c : cases)
    {
        mouse.click (c.at);
        EXPECT_EQ (left, c.left) << c.at.toString();
        EXPECT_EQ (right, c.right) << c.at.toString();
    }
}

TEST (ClipperDiodes, ItsLabelsLiveInTheParentAtItsPlaceAndFollowItsVisibility)
{
    juce::Component parent;
    parent.setSize (300, 300);
    ClipperDiodes clip;
    UsbDiode usb;
    parent.addAndMakeVisible (clip);
    parent.addAndMakeVisible (usb);
    clip.setBounds (205, 100, 36, 49);
    usb.setBounds (120, 100, 28, 49);

    for (auto* label : { &clip.clipLabel, static_cast<juce::Label*> (clip.leftNumberLabel.get()),
                         static_cast<juce::Label*> (usb.usbLabel.get()) })
    {
        EXPECT_EQ (label->getParentComponent(), &parent);
        EXPECT_TRUE (label->isVisible());
    }

    EXPECT_EQ (clip.leftNumberLabel->getBounds().getCentreX(), 205 + clip.leftDarkDiode->getBounds().getCentreX());
    EXPECT_EQ (clip.clipLabel.getBounds(), juce::Rectangle<int> (205, 132, 36, 14));
    EXPECT_EQ (usb.usbLabel->getText(), "USB");

    clip.setVisible (false);
    usb.setVisible (false);
    EXPECT_FALSE (clip.clipLabel.isVisible());
    EXPECT_FALSE (clip.rightNumberLabel->isVisible());
    EXPECT_FALSE (usb.usbLabel->isVisible());
}

TEST (DiodeLabel, APressOnALabelDoesNotRunItsHandler)
{
    juce::Component parent;
    parent.setSize (50, 50);
    DiodeLabel label;
    label.setText ("LINK", juce::dontSendNotification);
    parent.addAndMakeVisible (label);
    label.setBounds (0, 0, 50, 50);
    int clicks = 0;
    label.onClick = [&] { ++clicks; };

    vqtest::DirectMouse (label).click ({ 25.0f, 25.0f });
    EXPECT_EQ (clicks, 0);
}

TEST (WindowButton, EachStateDrawsTheFoldOrTheCircledCrossWithItsAlpha)
{
    struct Case
    {
        bool on, highlighted, down;
        juce::Point<int> at;
        juce::Colour expected;
    };
    const auto black = [] (int alpha) { return juce::Colours::black.withAlpha ((juce::uint8) alpha); };
    const auto white = [] (int alpha) { return juce::Colours::white.withAlpha ((juce::uint8) alpha); };
    const juce::Point<int> fold { 26, 20 }, corner { 38, 2 }, ring { 9, 20 }, centre { 20, 20 };
    const Case cases[] = {
        { false, false, false, fold, black (0x40) },
        { false, false, false, corner, white (0x66) },
        { false, false, false, ring, {} },
        { false, true, false, fold, black (0x60) },
        { false, true, false, corner, white (0x33) },
        { false, true, true, fold, black (0x80) },
        { false, true, true, corner, {} },
        { true, false, false, ring, juce::Colours::grey },
        { true, false, false, centre, juce::Colours::grey },
        { true, false, false, corner, {} },
        { true, true, false, ring, juce::Colours::darkgrey },
        { true, true, true, ring, juce::Colour (0xFF9F9FA0) },
    };

    for (const auto& c : cases)
        EXPECT_TRUE (vqtest::coloursNear (paintedWindowButton (c.on, c.highlighted, c.down).getPixelAt (c.at.x, c.at.y),
                                          c.expected, 3))
            << "on " << c.on << " highlighted " << c.highlighted << " down " << c.down << " at " << c.at.toString();
}

TEST (VQ_Layout, SpreadApartKeepsTextsThatFitAndMovesOnlyTheCrowdedOnesAsLittleAsTheGapAllows)
{
    struct Case
    {
        const char* what;
        std::vector<float> wanted, widths, expected;
    };

    const Case cases[] {
        { "room enough", { 0, 20, 40 }, { 10, 10, 10 }, { 0, 20, 40 } },
        { "exactly the gap", { 0, 13 }, { 10, 10 }, { 0, 13 } },
        { "a crowded pair parts evenly", { 0, 10 }, { 10, 10 }, { -1.5f, 11.5f } },
        { "a wide text pushes only its crowded neighbour's pair", { 0, 30, 42 }, { 10, 14, 10 }, { 0, 28.5f, 43.5f } },
        { "three in a row keep their middle", { 0, 10, 20 }, { 10, 10, 10 }, { -3, 10, 23 } },
        { "one text", { 5 }, { 100 }, { 5 } },
        { "none", {}, {}, {} },
    };

    for (const auto& c : cases)
    {
        const auto centres = VQ_Layout::spreadApart (c.wanted, c.widths, 3.0f);
        ASSERT_EQ (centres.size(), c.expected.size()) << c.what;

        for (size_t i = 0; i < centres.size(); ++i)
            EXPECT_NEAR (centres[i], c.expected[i], 1.0e-4f) << c.what << ", text " << i;
    }
}
