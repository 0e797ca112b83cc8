#include "Mouse.h"

#include "Probe.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

TEST (DisplayHarness, ATestOfThisKindRunsOnARealDisplayWhereAWindowOpens)
{
    ASSERT_NE (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay(), nullptr);

    juce::Component window;
    window.setBounds (10, 10, 40, 30);
    window.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    window.setVisible (true);

    ASSERT_NE (window.getPeer(), nullptr);
    EXPECT_NE (window.getPeer()->getNativeHandle(), nullptr);
    window.removeFromDesktop();
}

TEST (GuiTestBench, TheMouseThroughThePeerReachesTheChildUnderItWithEnterAndSingleClicks)
{
    juce::Component parent;
    vqtest::Probe child;
    parent.setSize (100, 100);
    parent.addAndMakeVisible (child);
    child.setBounds (10, 10, 20, 20);

    {
        vqtest::PeerMouse mouse (child);
        mouse.click ({ 5.0f, 5.0f });
        mouse.click ({ 5.0f, 5.0f });
        mouse.down ({ 5.0f, 5.0f });
        mouse.drag ({ 8.0f, 5.0f });
        mouse.up ({ 8.0f, 5.0f });
    }

    const std::vector<juce::String> expected { "enter", "down", "up", "down", "up", "down", "drag", "up", "exit" };
    EXPECT_EQ (child.events, expected);
    EXPECT_EQ (child.lastClicks, 1);
}
