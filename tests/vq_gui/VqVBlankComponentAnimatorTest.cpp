#include "MessageLoop.h"

#include "vq_gui/VqVBlankComponentAnimator.h"

#include <gtest/gtest.h>

namespace
{
using juce::Rectangle;

struct ChangeCounter : juce::ChangeListener
{
    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
    int count = 0;
};

struct MoveCounter : juce::ComponentListener
{
    void componentMovedOrResized (juce::Component&, bool, bool) override { ++count; }
    int count = 0;
};

struct RedComponent : juce::Component
{
    void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::red); }
};

/** A panel in a parent, animated on a clock of the test's own: frames come only from frameAt. */
class AnimatorTest : public testing::Test
{
protected:
    AnimatorTest()
    {
        parent.setBounds (0, 0, 650, 595);
        parent.addAndMakeVisible (*panel);
        panel->setBounds (parked);
        animator.addChangeListener (&changes);
    }

    ~AnimatorTest() override { animator.removeChangeListener (&changes); }

    void slide (juce::Component* c, Rectangle<int> to, int ms, bool useProxy = false)
    {
        animator.animateComponent (c, to, 1.0f, ms, useProxy, 0.0, 0.0);
    }

    void frameAt (juce::uint32 msSinceStart) { animator.stepFrame (now = start + msSinceStart); }

    int messages()
    {
        vqtest::drainMessageLoop();
        return changes.count;
    }

    const Rectangle<int> parked { 0, 25, 325, 570 }, shown { 325, 25, 325, 570 };
    const juce::uint32 start = 1000;
    juce::uint32 now = start;
    juce::Component parent;
    std::unique_ptr<juce::Component> panel = std::make_unique<RedComponent>();
    juce::VqVBlankComponentAnimator animator { [this] { return now; } };
    ChangeCounter changes;
};

TEST_F (AnimatorTest, ASlideOfZeroMillisecondsLandsOnItsDestinationAtTheFirstFrame)
{
    slide (panel.get(), shown, 0);
    frameAt (16);

    EXPECT_EQ (panel->getBounds(), shown);
    EXPECT_TRUE (animator.getTasks().isEmpty());
    EXPECT_EQ (messages(), 1); // start and end, merged in one delivery
}

TEST_F (AnimatorTest, ASlideWithBothSpeedsZeroEasesInAndOutSymmetrically)
{
    slide (panel.get(), shown, 1000);

    // 2t² up to the middle, 1 − 2(1 − t)² after it, of 325 pixels.
    const struct
    {
        juce::uint32 ms;
        double expectedX;
    } frames[] = { { 250, 40.625 }, { 500, 162.5 }, { 750, 284.375 } };

    for (const auto& frame : frames)
    {
        frameAt (frame.ms);
        EXPECT_NEAR (panel->getX(), frame.expectedX, 1.0) << "at " << frame.ms << " ms";
        EXPECT_EQ (panel->getWidth(), 325);
    }

    frameAt (1000);
    EXPECT_EQ (panel->getBounds(), shown);
    EXPECT_TRUE (animator.getTasks().isEmpty());
}

TEST_F (AnimatorTest, RetargetingAMovingComponentRestartsFromWhereItStandsWithoutAMessage)
{
    slide (panel.get(), shown, 1000);
    frameAt (500);
    ASSERT_EQ (messages(), 1);
    const auto halfWay = panel->getX();

    slide (panel.get(), parked, 1000);
    const auto* task = animator.findTaskFor (panel.get());
    ASSERT_NE (task, nullptr);
    EXPECT_EQ (task->msElapsed, 0);
    EXPECT_EQ (task->left, halfWay);
    EXPECT_EQ (messages(), 1);

    frameAt (1000);
    EXPECT_NEAR (panel->getX(), halfWay / 2.0, 1.0);
    EXPECT_EQ (animator.getTasks().size(), 1);
}

TEST_F (AnimatorTest, CancellingWithoutMovingOrMessageLeavesComponentsWhereTheyStand)
{
    slide (panel.get(), shown, 1000);
    frameAt (500);
    ASSERT_EQ (messages(), 1);
    const auto bounds = panel->getBounds();

    animator.cancelAllAnimations (false, false);

    EXPECT_EQ (panel->getBounds(), bounds);
    EXPECT_TRUE (animator.getTasks().isEmpty());
    EXPECT_EQ (messages(), 1);
}

TEST_F (AnimatorTest, CancellingWithMovingAndMessagePutsEveryComponentAtItsDestinationWithOneMessage)
{
    juce::Component other;
    parent.addAndMakeVisible (other);
    slide (panel.get(), shown, 1000);
    animator.animateComponent (&other, { 10, 10, 20, 20 }, 0.5f, 1000, false, 1.0, 1.0);
    frameAt (100);
    ASSERT_EQ (messages(), 1);

    animator.cancelAllAnimations (true, true);

    EXPECT_EQ (panel->getBounds(), shown);
    EXPECT_EQ (other.getBounds(), Rectangle<int> (10, 10, 20, 20));
    EXPECT_NEAR (other.getAlpha(), 0.5f, 0.01f);
    EXPECT_EQ (messages(), 2);
}

TEST_F (AnimatorTest, AFrameSetsBoundsOnlyWhenTheRoundedBoundsChange)
{
    MoveCounter moves;
    panel->addComponentListener (&moves);
    slide (panel.get(), parked.translated (3, 0), 1000);

    for (juce::uint32 ms = 16; ms <= 1008; ms += 16)
        frameAt (ms);

    EXPECT_EQ (panel->getBounds(), parked.translated (3, 0));
    EXPECT_LE (moves.count, 3);
    panel->removeComponentListener (&moves);
}

TEST_F (AnimatorTest, ATaskWhoseComponentWasDeletedEndsOnTheNextFrameWithAMessage)
{
    slide (panel.get(), shown, 1000);
    frameAt (100);
    ASSERT_EQ (messages(), 1);

    panel.reset(); // the component the animator's frames are attached to
    frameAt (116);

    EXPECT_TRUE (animator.getTasks().isEmpty());
    EXPECT_EQ (messages(), 2);
}

TEST_F (AnimatorTest, AProxyStandsBehindTheHiddenComponentUntilTheSlideEnds)
{
    slide (panel.get(), shown, 1000, true);

    const auto* task = animator.findTaskFor (panel.get());
    ASSERT_NE (task->proxy, nullptr);
    EXPECT_FALSE (panel->isVisible());
    EXPECT_EQ (task->proxy->getParentComponent(), &parent);
    EXPECT_EQ (task->proxy->getBounds(), parked);

    // The snapshot is the component's own picture, taken at scale 1 where no display can be asked.
    ASSERT_EQ (juce::Desktop::getInstance().getDisplays().getDisplayForRect (parked), nullptr);
    const auto image = task->proxy->createComponentSnapshot (task->proxy->getLocalBounds());
    EXPECT_EQ (image.getPixelAt (160, 280), juce::Colours::red);

    frameAt (500);
    EXPECT_EQ (panel->getBounds(), parked);
    EXPECT_GT (task->proxy->getX(), 100);

    frameAt (1000);
    EXPECT_EQ (panel->getBounds(), shown);
    EXPECT_TRUE (panel->isVisible());
    EXPECT_EQ (parent.getNumChildComponents(), 1);
}

TEST_F (AnimatorTest, AComponentFadedOutBehindAProxyStaysHiddenSoItTakesNoClicks)
{
    for (const bool byCancelling : { false, true })
    {
        SCOPED_TRACE (byCancelling ? "cancelled to its end" : "played to its end");
        panel->setAlpha (1.0f);
        panel->setVisible (true);
        animator.animateComponent (panel.get(), shown, 0.0f, 1000, true, 0.0, 0.0);

        if (byCancelling)
            animator.cancelAllAnimations (true, false);
        else
            for (int frame = 0; frame < 3; ++frame)
                animator.stepFrame (now += 500);

        EXPECT_TRUE (animator.getTasks().isEmpty());
        EXPECT_EQ (panel->getAlpha(), 0.0f);
        EXPECT_FALSE (panel->isVisible());
        EXPECT_EQ (parent.getNumChildComponents(), 1); // the proxy is gone
        EXPECT_NE (parent.getComponentAt (shown.getCentre()), panel.get());
    }
}

TEST_F (AnimatorTest, BadAnimationsEndWithoutACrashOrATaskLeft)
{
    juce::Component orphan;
    orphan.setBounds (0, 0, 10, 10);
    animator.animateComponent (nullptr, shown, 1.0f, 100, true, 0.0, 0.0);
    slide (&orphan, { 5, 5, 10, 10 }, 100, true);
    animator.animateComponent (panel.get(), shown, 1.0f, 100, false, -1.0, -1.0);

    for (int i = 0; i < 1000; ++i)
        slide (panel.get(), (i % 2) == 0 ? shown : parked, 100, (i % 3) == 0);

    EXPECT_EQ (animator.getTasks().size(), 2);

    panel.reset(); // with its proxy still shown
    frameAt (16);
    frameAt (200);

    EXPECT_TRUE (animator.getTasks().isEmpty());
    EXPECT_EQ (orphan.getBounds(), Rectangle<int> (5, 5, 10, 10));
    EXPECT_EQ (parent.getNumChildComponents(), 0);
}

TEST (VqVBlankComponentAnimator, WithNoWindowTheStandInTimerDrivesASlideToItsEnd)
{
    juce::Component parent, panel;
    parent.addAndMakeVisible (panel);
    panel.setBounds (0, 0, 100, 100);

    juce::VqVBlankComponentAnimator animator;
    animator.animateComponent (&panel, { 50, 0, 100, 100 }, 1.0f, 100, false, 0.0, 0.0);
    EXPECT_FALSE (animator.isDrivenByVBlank());

    EXPECT_TRUE (vqtest::runMessageLoopUntil ([&] { return animator.getTasks().isEmpty(); }));
    EXPECT_EQ (panel.getX(), 50);
}
} // namespace
