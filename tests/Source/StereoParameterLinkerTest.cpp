#include "MessageLoop.h"
#include "ParamsTestRig.h"

#include "StereoParameterLinker.h"

#include <gtest/gtest.h>

#include <limits>

using Manager = juce::VqParamsManager;

namespace
{
constexpr int channel = 0, left = 3, right = 14;
constexpr float linkMode = 0.0f, dualMono = 1.0f;

using Gestures = std::vector<bool>;

class Linker : public testing::Test
{
protected:
    Linker()
    {
        manager.addParamListener (&leftSide, left, Manager::registerOnly);
        manager.addParamListener (&rightSide, right, Manager::registerOnly);
    }

    ~Linker() override
    {
        linker.reset();
        manager.removeParamListener (&leftSide, left);
        manager.removeParamListener (&rightSide, right);
    }

    static Gestures gesturesOf (const vqtest::RecordingListener& listener)
    {
        Gestures result;
        for (const auto& g : listener.gestures)
            result.push_back (g.starting);
        return result;
    }

    vqtest::RigInstance instance;
    Manager& manager = instance.getParamsManager();
    vqtest::RecordingListener window, leftSide, rightSide;
    std::unique_ptr<StereoParameterLinker> linker = std::make_unique<StereoParameterLinker> (manager, left, right);
};
} // namespace

TEST_F (Linker, InLinkModeAChangeReachesTheTwinAMomentLaterAndIsNotMirroredBack)
{
    manager.setParamValue (&window, left, 0.25f);
    EXPECT_EQ (manager.getParamValue (right), 0.0f);

    vqtest::drainMessageLoop();
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.getParamValue (right), 0.25f);
    EXPECT_EQ (leftSide.values.size(), 1u);
    EXPECT_EQ (rightSide.values.size(), 1u);
}

TEST_F (Linker, ChannelTwoChangesReachChannelOneToo)
{
    manager.setParamValue (&window, right, 0.6f);
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.getParamValue (left), 0.6f);
}

TEST_F (Linker, HostAutomationOfOneChannelNeverMovesTheOther)
{
    instance.daw (right).setValue (0.8f);
    vqtest::drainMessageLoop();
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.getParamValue (right), 0.8f);
    EXPECT_EQ (manager.getParamValue (left), 0.0f);
}

TEST_F (Linker, TheModeFollowsChannelWithExactlyHalfCountingAsLink)
{
    struct Case
    {
        float channelValue;
        bool linked;
    };
    const Case cases[] = { { 0.0f, true }, { 0.49f, true }, { 0.5f, true }, { 0.51f, false }, { 1.0f, false } };

    for (const auto& c : cases)
    {
        manager.setParamValue (nullptr, left, 0.0f);
        manager.setParamValue (nullptr, right, 0.0f);
        manager.setParamValue (nullptr, channel, c.channelValue);

        manager.setParamValue (&window, left, 0.7f);
        vqtest::drainMessageLoop();

        EXPECT_EQ (linker->isLinked(), c.linked) << c.channelValue;
        EXPECT_EQ (manager.getParamValue (right), c.linked ? 0.7f : 0.0f) << c.channelValue;
    }
}

TEST_F (Linker, TheModeIsTakenAtConstructionAndFromTheHostToo)
{
    manager.setParamValue (nullptr, channel, dualMono);
    StereoParameterLinker late (manager, 1, 12);
    EXPECT_FALSE (late.isLinked());

    instance.daw (channel).setValue (linkMode);
    vqtest::drainMessageLoop();
    EXPECT_TRUE (late.isLinked());
}

TEST_F (Linker, ChangesOnBothSidesWithinOneTurnJoinTheTwinsAtTheLatestInsteadOfSwappingThem)
{
    // As when the window and the unit move opposite sides at once.
    manager.setParamValue (nullptr, left, 0.25f);
    manager.setParamValue (nullptr, right, 0.75f);
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.getParamValue (left), 0.75f);
    EXPECT_EQ (manager.getParamValue (right), 0.75f);

    manager.setParamValue (&window, right, 0.9f);
    vqtest::drainMessageLoop();
    EXPECT_EQ (manager.getParamValue (left), 0.9f) << "alone, channel 2 still leads";

    // A newer change of the origin overtakes the mirror of an older one.
    manager.setParamValue (&window, left, 0.4f);
    manager.setParamValue (&window, left, 0.6f);
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.getParamValue (right), 0.6f);
}

TEST_F (Linker, TheTwinGetsExactlyTheSameValueEvenAtAStepTie)
{
    for (const auto value : { 1.0f / 3.0f, 1.0f / 240.0f, 1.0f / 1910.0f, 0.0625f })
    {
        manager.setParamValue (&window, left, value);
        vqtest::drainMessageLoop();

        EXPECT_EQ (manager.getParamValue (right), value);
    }
}

TEST_F (Linker, TheTwinGetsExactlyTheSameValueAlsoWhenItIsFarSmallerThanOneStep)
{
    for (const auto value : { 1.0e-7f, 1.2345678e-12f, 1.0e-20f, std::numeric_limits<float>::denorm_min() })
    {
        manager.setParamValue (&window, left, value);
        vqtest::drainMessageLoop();

        EXPECT_EQ (manager.getParamValue (right), value);
    }
}

TEST_F (Linker, AGestureOnChannelTwoInLinkModeIsMirroredOnChannelOne)
{
    manager.beginParamGesture (&window, right);
    vqtest::drainMessageLoop();
    EXPECT_EQ (gesturesOf (leftSide), (Gestures { true }));

    manager.endParamGesture (&window, right);
    vqtest::drainMessageLoop();
    EXPECT_EQ (gesturesOf (leftSide), (Gestures { true, false }));
    EXPECT_EQ (gesturesOf (rightSide), (Gestures { true, false }));
}

TEST_F (Linker, InDualMonoNothingIsMirrored)
{
    manager.setParamValue (nullptr, channel, dualMono);

    manager.beginParamGesture (&window, left);
    manager.setParamValue (&window, left, 0.9f);
    manager.endParamGesture (&window, left);
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.getParamValue (right), 0.0f);
    EXPECT_TRUE (rightSide.gestures.empty());
}

TEST_F (Linker, AGestureBegunLinkedAndEndedUnlinkedReleasesTheTwin)
{
    manager.beginParamGesture (&window, left);
    vqtest::drainMessageLoop();
    manager.setParamValue (nullptr, channel, dualMono);
    manager.endParamGesture (&window, left);
    vqtest::drainMessageLoop();

    EXPECT_EQ (gesturesOf (rightSide), (Gestures { true, false }));
}

TEST_F (Linker, AGestureBegunUnlinkedAndEndedLinkedLeavesTheTwinAlone)
{
    manager.setParamValue (nullptr, channel, dualMono);
    manager.beginParamGesture (&window, left);
    vqtest::drainMessageLoop();
    manager.setParamValue (nullptr, channel, linkMode);
    manager.endParamGesture (&window, left);
    vqtest::drainMessageLoop();

    EXPECT_TRUE (rightSide.gestures.empty());

    // And the twin's own gestures are not swallowed afterwards.
    manager.beginParamGesture (&window, right);
    manager.endParamGesture (&window, right);
    EXPECT_EQ (gesturesOf (rightSide), (Gestures { true, false }));
}

TEST_F (Linker, ModeFlipsWithinOneTurnStillLeaveEveryTwinGestureClosed)
{
    manager.beginParamGesture (&window, left);
    manager.setParamValue (nullptr, channel, dualMono);
    manager.endParamGesture (&window, left);
    manager.beginParamGesture (&window, left);
    manager.setParamValue (nullptr, channel, linkMode);
    manager.endParamGesture (&window, left);
    vqtest::drainMessageLoop();

    EXPECT_EQ (gesturesOf (rightSide), (Gestures { true, false }));
}

TEST_F (Linker, ALinkerGoingAwayReleasesATwinItStillHolds)
{
    manager.beginParamGesture (&window, left);
    vqtest::drainMessageLoop();

    linker.reset();

    EXPECT_EQ (gesturesOf (rightSide), (Gestures { true, false }));
    manager.endParamGesture (&window, left);
}

TEST_F (Linker, ALinkerGoingAwayBeforeItsMessagesArriveTouchesNothing)
{
    manager.beginParamGesture (&window, left);
    manager.setParamValue (&window, left, 0.4f);

    linker.reset();
    vqtest::drainMessageLoop();

    EXPECT_TRUE (rightSide.gestures.empty());
    EXPECT_EQ (manager.getParamValue (right), 0.0f);
    manager.endParamGesture (&window, left);
}

TEST_F (Linker, AMirrorStillQueuedWhenTheModeLeavesLinkIsDropped)
{
    manager.setParamValue (nullptr, left, 0.3f);
    manager.setParamValue (nullptr, channel, dualMono);
    manager.setParamValue (nullptr, right, 0.9f);
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.getParamValue (left), 0.3f);
    EXPECT_EQ (manager.getParamValue (right), 0.9f);
}
