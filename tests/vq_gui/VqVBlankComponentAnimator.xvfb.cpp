#include "MessageLoop.h"

#include "vq_gui/VqVBlankComponentAnimator.h"

#include <gtest/gtest.h>

TEST (VqVBlankComponentAnimatorOnDisplay, TheDisplaysVerticalBlankDrivesASlideToItsEnd)
{
    juce::Component window, panel;
    window.setBounds (100, 100, 400, 200);
    window.addAndMakeVisible (panel);
    panel.setBounds (0, 0, 100, 100);
    window.addToDesktop (0);
    window.setVisible (true);

    juce::VqVBlankComponentAnimator animator;
    animator.animateComponent (&panel, { 200, 50, 100, 100 }, 1.0f, 200, false, 0.0, 0.0);

    // The stand-in timer steps only while there is no vertical blank to follow.
    EXPECT_TRUE (animator.isDrivenByVBlank());
    EXPECT_TRUE (vqtest::runMessageLoopUntil ([&] { return animator.getTasks().isEmpty(); }, 3000));
    EXPECT_EQ (panel.getBounds(), juce::Rectangle<int> (200, 50, 100, 100));
    window.removeFromDesktop();
}
