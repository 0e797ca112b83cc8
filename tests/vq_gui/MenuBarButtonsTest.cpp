#include "vq_gui/MenuBarUsbButton.h"

#include <gtest/gtest.h>

namespace
{
const juce::MainMenuColours colours;

juce::Path square()
{
    juce::Path p;
    p.addRectangle (0.0f, 0.0f, 10.0f, 10.0f);
    return p;
}

/** A USB button with the bar's colours and an icon, in a parent that can be disabled. */
struct UsbButtonTest : testing::Test
{
    UsbButtonTest()
    {
        parent.addAndMakeVisible (button);
        button.setBounds (0, 0, 25, 25);
        button.setShape (square());
        button.setColours (colours);
    }

    juce::Component parent;
    juce::MenuBarUsbButton button;
};

TEST_F (UsbButtonTest, TheIconIsDimWithNoUnitBlinksFromDimWhileAUnitWaitsAndIsSteadyBrightWhenConnected)
{
    const struct
    {
        bool present, connected, blinking;
        juce::Colour colour;
    } states[] = {
        { false, false, false, colours.iconNormalColour }, { true, false, true, colours.iconNormalColour },
        { true, true, false, colours.usbConnectedColour }, { false, true, false, colours.usbConnectedColour },
        { true, true, false, colours.usbConnectedColour }, { true, false, true, colours.iconNormalColour },
        { false, false, false, colours.iconNormalColour },
    };

    for (const auto& state : states)
    {
        button.setDevicesPresent (state.present);
        button.setIsConnected (state.connected);
        EXPECT_EQ (button.isTimerRunning(), state.blinking) << state.present << state.connected;
        EXPECT_EQ (button.getIconColour(), state.colour) << state.present << state.connected;
    }
}

TEST_F (UsbButtonTest, EachBlinkSwapsDimAndBrightAndASetterWithTheCurrentValueRestartsNothing)
{
    button.setDevicesPresent (true);
    button.timerCallback();
    EXPECT_EQ (button.getIconColour(), colours.usbConnectedColour);

    button.setDevicesPresent (true);
    button.setIsConnected (false);
    EXPECT_EQ (button.getIconColour(), colours.usbConnectedColour);

    button.timerCallback();
    EXPECT_EQ (button.getIconColour(), colours.iconNormalColour);
    EXPECT_TRUE (button.isTimerRunning());
}

TEST_F (UsbButtonTest, DisabledWinsOverToggledOnAndHoveringChangesNothing)
{
    button.setIsConnected (true);
    button.setState (juce::Button::buttonOver);
    EXPECT_EQ (button.getIconColour(), colours.usbConnectedColour);

    button.setToggleState (true, juce::dontSendNotification);
    EXPECT_EQ (button.getIconColour(), colours.iconHighlightedColour);

    parent.setEnabled (false);
    EXPECT_EQ (button.getIconColour(), colours.iconDisabledColour);

    parent.setEnabled (true);
    button.setEnabled (false);
    EXPECT_EQ (button.getIconColour(), colours.iconDisabledColour);
}

TEST (MenuBarShapeButton, AHeldIconShrinksFourPercentFromEachSide)
{
    juce::MenuBarShapeButton button;
    button.setBounds (0, 0, 25, 25);
    button.setShape (square());
    button.setContentHeight (17.5f);

    const auto up = button.getIconArea (false), down = button.getIconArea (true);
    EXPECT_FLOAT_EQ (up.getHeight(), 17.5f);
    EXPECT_FLOAT_EQ (down.getWidth(), up.getWidth() * 0.92f);
    EXPECT_FLOAT_EQ (down.getHeight(), up.getHeight() * 0.92f);
    EXPECT_EQ (down.getCentre(), up.getCentre());
}

TEST (MenuBarShapeButton, AnIconKeepsItsProportionsWhenFittedAndReplaced)
{
    juce::MenuBarShapeButton button;
    EXPECT_EQ (button.getContentWidthForHeight (10.0f), 0);

    juce::Path wide;
    wide.addRectangle (0.0f, 0.0f, 45.0f, 20.0f);
    button.setShape (wide);
    button.setBounds (0, 0, 100, 25);
    EXPECT_EQ (button.getIconArea (false).getCentre(), juce::Point<float> (50.0f, 12.5f));

    button.setContentHeight (10.0f);
    EXPECT_EQ (button.getContentWidthForHeight (10.0f), 22);
    EXPECT_EQ (button.getIconArea (false), juce::Rectangle<float> (38.75f, 7.5f, 22.5f, 10.0f));

    // A new icon takes the old one's height, centred.
    button.setShape (square());
    EXPECT_EQ (button.getIconArea (false), juce::Rectangle<float> (45.0f, 7.5f, 10.0f, 10.0f));
}
} // namespace
