#include "ComponentImages.h"
#include "EditorFixture.h"

#include "vq_core/VqDawParameter.h"

using namespace editortest;

namespace
{
const juce::Rectangle<int> menuBarSingle { 0, 0, 325, 25 }, menuBarDouble { 0, 0, 650, 25 };

bool inFront (Editor& editor, int channel)
{
    return editor.getIndexOfChildComponent (&editor.getChannelView (channel)) >
           editor.getIndexOfChildComponent (&editor.getChannelView (1 - channel));
}

/** LINK dims nothing and keeps the left panel in front. */
bool showsLink (Editor& editor)
{
    return ! editor.getChannelView (0).overlay.isVisible() && ! editor.getChannelView (1).overlay.isVisible() &&
           inFront (editor, 0);
}

/** The channel-switch light a panel lights: its position, -1 for none and -2 for several. */
int litChannelLight (PLEMVO_MainView& view)
{
    auto lit = -1;
    auto& lights = view.channelSwitch.lightDiodes;

    for (int i = 0; i < lights.size(); ++i)
        if (lights[i]->isVisible())
            lit = lit == -1 ? i : -2;

    return lit;
}

TEST_F (EditorTest, AWindowOpenedSingleIsNarrowWithTheMenuBarThenTheRightAndTheLeftPanel)
{
    auto& editor = openEditor (createInstance());

    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 325, 595));
    EXPECT_EQ (editor.getMenuBar().getBounds(), menuBarSingle);
    EXPECT_EQ (editor.getChildComponent (0), &editor.getMenuBar());
    EXPECT_EQ (editor.getChildComponent (1), &editor.getChannelView (1));
    EXPECT_EQ (editor.getChildComponent (2), &editor.getChannelView (0));
    EXPECT_EQ (editor.getChannelView (0).getBounds(), Editor::parkedBounds());
    EXPECT_EQ (editor.getChannelView (1).getBounds(), Editor::parkedBounds());
    EXPECT_TRUE (editor.getChannelView (0).isVisible());
    EXPECT_FALSE (editor.getChannelView (1).isVisible());
    EXPECT_FALSE (editor.isResizable());
    EXPECT_TRUE (isIdle (editor));
}

TEST_F (EditorTest, AWindowOpenedWithDoubleWindowOnIsWideWithTheRightPanelBesideAndNoSlide)
{
    auto& instance = createInstance();
    set (instance, ParamData::doubleWindow, true);
    auto& editor = openEditor (instance);

    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 650, 595));
    EXPECT_EQ (editor.getMenuBar().getBounds(), menuBarDouble);
    EXPECT_EQ (editor.getChannelView (0).getBounds(), Editor::parkedBounds());
    EXPECT_EQ (editor.getChannelView (1).getBounds(), Editor::besideBounds());
    EXPECT_TRUE (editor.getChannelView (1).isVisible());
    EXPECT_TRUE (isIdle (editor));
}

TEST_F (EditorTest, InLinkAChangeOfSelectedChannelChangesNothingInTheWindow)
{
    for (const bool doubleWindow : { false, true })
    {
        auto& instance = createInstance();
        set (instance, ParamData::doubleWindow, doubleWindow);
        auto& editor = openEditor (instance);
        const auto leftVisible = editor.getChannelView (0).isVisible();
        const auto rightVisible = editor.getChannelView (1).isVisible();

        set (instance, ParamData::selectedChannel, 1);

        EXPECT_EQ (editor.getChannelView (0).isVisible(), leftVisible);
        EXPECT_EQ (editor.getChannelView (1).isVisible(), rightVisible);
        EXPECT_TRUE (showsLink (editor));
        closeEditor (editor);
        destroy (instance);
    }
}

TEST_F (EditorTest, InDualMonoTheSelectedChannelIsUndimmedAndInFrontOrAloneInTheSingleWindow)
{
    struct Case
    {
        bool doubleWindow;
        int selected;
        bool leftVisible, rightVisible, leftDimmed, rightDimmed;
    };

    for (const auto& c : { Case { true, 1, true, true, true, false }, Case { true, 0, true, true, false, true },
                           Case { false, 1, false, true, false, false }, Case { false, 0, true, false, false, false } })
    {
        SCOPED_TRACE (juce::String (c.doubleWindow ? "double" : "single") + ", channel " +
                      juce::String (c.selected + 1));
        auto& instance = createInstance();
        set (instance, ParamData::doubleWindow, c.doubleWindow);
        auto& editor = openEditor (instance);

        setChannelMode (instance, true);
        set (instance, ParamData::selectedChannel, c.selected);

        EXPECT_EQ (editor.getChannelView (0).isVisible(), c.leftVisible);
        EXPECT_EQ (editor.getChannelView (1).isVisible(), c.rightVisible);
        EXPECT_EQ (editor.getChannelView (0).overlay.isVisible(), c.leftDimmed);
        EXPECT_EQ (editor.getChannelView (1).overlay.isVisible(), c.rightDimmed);
        EXPECT_TRUE (inFront (editor, c.selected));
        EXPECT_TRUE (isConsistent (editor, instance));

        // Back to LINK: nothing dimmed, the left panel in front.
        setChannelMode (instance, false);
        EXPECT_TRUE (showsLink (editor));
        closeEditor (editor);
        destroy (instance);
    }
}

// The window reads CHANNEL as the unit does: up to and including 0.5 it is LINK, which dims nothing.
TEST_F (EditorTest, AHostChannelValueUpToOneHalfIsLinkAndDimsNeitherPanelOfTheDoubleWindow)
{
    struct Case
    {
        float from, to;
        bool rightDimmed;
    };

    for (const auto& c : { Case { 0.0f, 0.3f, false }, Case { 1.0f, 0.3f, false }, Case { 1.0f, 0.5f, false },
                           Case { 0.0f, 0.7f, true } })
    {
        SCOPED_TRACE (juce::String (c.from) + " to " + juce::String (c.to));
        auto& instance = createDualMonoInstance (0, true);
        instance.getPlemvoParams().setParamValue (nullptr, ParamData::channel, c.from);
        auto& editor = openEditor (instance);

        instance.getPlemvoParams().getDawParameter (ParamData::channel)->setValue (c.to);
        vqtest::drainMessageLoop();

        ASSERT_FLOAT_EQ (instance.getPlemvoParams().getParamValue (ParamData::channel), c.to);
        EXPECT_FALSE (editor.getChannelView (0).overlay.isVisible());
        EXPECT_EQ (editor.getChannelView (1).overlay.isVisible(), c.rightDimmed);
        EXPECT_TRUE (inFront (editor, 0));
        closeEditor (editor);
        destroy (instance);
    }
}

TEST_F (EditorTest, OpeningWidensAtOncePausesThreeHundredFiftyMsThenSlidesTheRightPanelOutInSixHundredFifty)
{
    auto& instance = createDualMonoInstance (1, false);
    auto& editor = openEditor (instance);

    clickWindowButton (editor.getChannelView (1));

    EXPECT_EQ (editor.getWidth(), 650);
    EXPECT_EQ (editor.getMenuBar().getBounds(), menuBarDouble);
    EXPECT_EQ (editor.getChannelView (1).getBounds(), Editor::parkedBounds());
    EXPECT_TRUE (editor.getChannelView (0).isVisible());
    EXPECT_TRUE (editor.getChannelView (0).overlay.isVisible());
    EXPECT_TRUE (editor.isTimerRunning());
    EXPECT_EQ (editor.getTimerInterval(), 350);
    EXPECT_TRUE (editor.getAnimator().getTasks().isEmpty());

    // Each panel lights its own channel from the start of the pause.
    EXPECT_EQ (litChannelLight (editor.getChannelView (0)), 1);
    EXPECT_EQ (litChannelLight (editor.getChannelView (1)), 2);

    ASSERT_TRUE (endPause (editor));
    auto* slide = editor.getAnimator().findTaskFor (&editor.getChannelView (1));
    ASSERT_NE (slide, nullptr);
    EXPECT_EQ (slide->msTotal, 650);

    advance (editor, 325);
    EXPECT_NEAR (editor.getChannelView (1).getX(), 162, 2); // half the time: half the way
    advance (editor, 325);

    EXPECT_EQ (editor.getChannelView (1).getBounds(), Editor::besideBounds());
    EXPECT_TRUE (isIdle (editor));
    EXPECT_TRUE (isConsistent (editor, instance));
}

TEST_F (EditorTest, ClosingSlidesBackInSixHundredFiftyMsPausesThreeHundredFiftyThenNarrowsKeepingBothPanelsStacked)
{
    auto& instance = createDualMonoInstance (1, true);
    auto& editor = openEditor (instance);

    clickWindowButton (editor.getChannelView (1));

    auto* slide = editor.getAnimator().findTaskFor (&editor.getChannelView (1));
    ASSERT_NE (slide, nullptr);
    EXPECT_EQ (slide->msTotal, 650);
    EXPECT_FALSE (editor.isTimerRunning());

    advance (editor, 600);
    EXPECT_GT (editor.getChannelView (1).getX(), 0);
    EXPECT_EQ (editor.getWidth(), 650);
    EXPECT_FALSE (editor.isTimerRunning());
    advance (editor, 50);

    EXPECT_EQ (editor.getChannelView (1).getBounds(), Editor::parkedBounds());
    EXPECT_EQ (editor.getWidth(), 650);
    ASSERT_TRUE (endPause (editor));

    EXPECT_EQ (editor.getWidth(), 325);
    EXPECT_EQ (editor.getMenuBar().getBounds(), menuBarSingle);
    EXPECT_EQ (editor.getChannelView (1).getBounds(), Editor::parkedBounds());

    // Visibility is not recomputed: both stay shown, the selected one on top.
    EXPECT_TRUE (editor.getChannelView (0).isVisible());
    EXPECT_TRUE (inFront (editor, 1));
    EXPECT_TRUE (isIdle (editor));
    EXPECT_TRUE (isConsistent (editor, instance));
}

TEST_F (EditorTest, AReversalHalfWayTakesExactlyTheTimeTheSlideHadRun)
{
    auto& instance = createInstance();
    auto& editor = openEditor (instance);
    auto& right = editor.getChannelView (1);

    clickWindowButton (editor.getChannelView (0));
    ASSERT_TRUE (endPause (editor));
    advance (editor, 320);
    const auto elapsed = editor.getAnimator().findTaskFor (&right)->msElapsed;
    EXPECT_EQ (elapsed, 320);
    const auto standing = right.getX();
    ASSERT_TRUE (standing > 0 && standing < Editor::panelWidth);

    clickWindowButton (editor.getChannelView (0));

    auto* back = editor.getAnimator().findTaskFor (&right);
    ASSERT_NE (back, nullptr);
    EXPECT_EQ (back->msTotal, elapsed);
    EXPECT_EQ (back->destination, Editor::parkedBounds());
    EXPECT_EQ (editor.getAnimator().getTasks().size(), 1);

    // The way back starts where the panel stands, not from the end of the way out.
    EXPECT_EQ (right.getX(), standing);
    EXPECT_EQ (back->left, standing);
    advance (editor, 16);
    EXPECT_LE (right.getX(), standing);

    advance (editor, elapsed - 32);
    EXPECT_GT (right.getX(), 0);
    advance (editor, 16);
    EXPECT_EQ (right.getBounds(), Editor::parkedBounds());

    ASSERT_TRUE (endPause (editor));
    EXPECT_EQ (editor.getWidth(), 325);
    EXPECT_TRUE (isIdle (editor));
    EXPECT_TRUE (isConsistent (editor, instance));
}

TEST_F (EditorTest, DoubleWindowFromAPresetWidensAtOnceWithBothPanelsSideBySide)
{
    auto& instance = createInstance();
    auto& editor = openEditor (instance);

    set (instance, ParamData::doubleWindow, true);

    EXPECT_EQ (editor.getWidth(), 650);
    EXPECT_EQ (editor.getChannelView (1).getBounds(), Editor::besideBounds());
    EXPECT_TRUE (editor.getChannelView (1).isVisible());
    EXPECT_TRUE (isIdle (editor));

    set (instance, ParamData::doubleWindow, false);

    EXPECT_EQ (editor.getWidth(), 325);
    EXPECT_EQ (editor.getChannelView (1).getBounds(), Editor::parkedBounds());
    EXPECT_FALSE (editor.getChannelView (1).isVisible());
}

// However DOUBLE WINDOW changes, the panels end with the same lights: side by side in DUAL MONO each
// lights its own channel, in the single window both light the selected one; in LINK both light LINK.
TEST_F (EditorTest, TheChannelLightsEndTheSameWhetherTheWindowButtonOrAPresetChangesDoubleWindow)
{
    struct Case
    {
        bool dualMono;
        int selected;
        int doubleLeft, doubleRight, single;
    };

    for (const bool byUser : { true, false })
    {
        for (const auto& c : { Case { true, 0, 1, 2, 1 }, Case { true, 1, 1, 2, 2 }, Case { false, 0, 0, 0, 0 } })
        {
            SCOPED_TRACE (juce::String (byUser ? "window button" : "preset") + (c.dualMono ? ", dual mono" : ", link") +
                          ", channel " + juce::String (c.selected + 1));
            auto& instance = createDualMonoInstance (c.selected, false);
            setChannelMode (instance, c.dualMono);
            auto& editor = openEditor (instance);
            auto& left = editor.getChannelView (0);
            auto& right = editor.getChannelView (1);

            const auto change = [&] (bool doubleWindow)
            {
                if (byUser)
                    clickWindowButton (left.isVisible() ? left : right);
                else
                    set (instance, ParamData::doubleWindow, doubleWindow);

                settleWindow (editor);
                ASSERT_TRUE (isConsistent (editor, instance));
            };

            change (true);
            EXPECT_EQ (litChannelLight (left), c.doubleLeft);
            EXPECT_EQ (litChannelLight (right), c.doubleRight);

            change (false);
            EXPECT_EQ (litChannelLight (left), c.single);
            EXPECT_EQ (litChannelLight (right), c.single);
            closeEditor (editor);
            destroy (instance);
        }
    }
}

// A same-size setBounds calls no resized: a layout flag set for it would make the next real resize
// skip the panels, leaving the right panel at x 325 of a 325-wide window.
TEST_F (EditorTest, AResizeThatDoesNotHappenLeavesNoPanelLayoutSkippedForTheNextOne)
{
    enum class Step
    {
        reopenDuringClosingPause,
        presetNarrowsDuringClosingPause
    };

    for (const auto step : { Step::reopenDuringClosingPause, Step::presetNarrowsDuringClosingPause })
    {
        SCOPED_TRACE ((int) step);
        auto& instance = createDualMonoInstance (1, true);
        auto& editor = openEditor (instance);

        clickWindowButton (editor.getChannelView (1));
        advance (editor, 650);
        ASSERT_TRUE (editor.isTimerRunning());

        if (step == Step::reopenDuringClosingPause)
        {
            clickWindowButton (editor.getChannelView (1));
            EXPECT_EQ (editor.getWidth(), 650);
            settleWindow (editor);
            EXPECT_EQ (editor.getChannelView (1).getBounds(), Editor::besideBounds());
        }
        else
        {
            set (instance, ParamData::doubleWindow, false);
            EXPECT_EQ (editor.getWidth(), 325);
            editor.timerCallback(); // as if the pause ended after all
        }

        // Presets toggling DOUBLE WINDOW: every real resize lays the panels out.
        for (const bool doubleWindow : { false, true, false })
        {
            set (instance, ParamData::doubleWindow, doubleWindow);
            EXPECT_EQ (editor.getChannelView (1).getBounds(),
                       doubleWindow ? Editor::besideBounds() : Editor::parkedBounds());
            EXPECT_TRUE (isConsistent (editor, instance));
        }

        closeEditor (editor);
        destroy (instance);
    }
}

TEST_F (EditorTest, ASelectedChannelOutsideZeroToOneShowsTheFirstChannelsPanel)
{
    for (const auto& stored : { juce::var (5), juce::var (-1), juce::var (0.5), juce::var ("two") })
    {
        SCOPED_TRACE (stored.toString());
        auto& instance = createDualMonoInstance (stored, false);

        for (const bool doubleWindow : { false, true })
        {
            set (instance, ParamData::doubleWindow, doubleWindow);
            auto& editor = openEditor (instance);

            EXPECT_TRUE (editor.getChannelView (0).isVisible());
            EXPECT_FALSE (editor.getChannelView (0).overlay.isVisible());
            EXPECT_EQ (editor.getChannelView (1).overlay.isVisible(), doubleWindow);
            closeEditor (editor);
        }

        destroy (instance);
    }
}

TEST_F (EditorTest, DoubleWindowSetByTheHostInAnyPhaseOfTheSlideEndsTheSlideInAConsistentWindow)
{
    struct Phase
    {
        const char* name;
        bool startDouble;
        int msIntoIt; // after the click; -1: into the pause that follows the slide back
    };

    for (const auto& phase : { Phase { "opening pause", false, 100 }, Phase { "opening slide", false, 350 + 300 },
                               Phase { "closing slide", true, 300 }, Phase { "closing pause", true, -1 } })
        for (const bool hostSets : { false, true })
            for (const int selected : { 0, 1 })
            {
                SCOPED_TRACE (juce::String (phase.name) + ", host sets " + (hostSets ? "on" : "off") + ", channel " +
                              juce::String (selected + 1));
                auto& instance = createDualMonoInstance (selected, phase.startDouble);
                auto& editor = openEditor (instance);

                clickWindowButton (editor.getChannelView (0));

                runSinceClick (editor, phase.msIntoIt < 0 ? Editor::slideMs : phase.msIntoIt);

                if (phase.msIntoIt < 0)
                {
                    ASSERT_TRUE (editor.isTimerRunning());
                }

                set (instance, ParamData::doubleWindow, hostSets);
                expectSettlesConsistent (editor, instance);
                closeEditor (editor);
                destroy (instance);
            }
}

TEST_F (EditorTest, TenClicksWithinOneSlideEndInAConsistentWindow)
{
    for (const int gapMs : { 0, 16, 48, 100 })
    {
        SCOPED_TRACE (gapMs);
        auto& instance = createInstance();
        auto& editor = openEditor (instance);

        clickWindowButton (editor.getChannelView (0));
        ASSERT_TRUE (endPause (editor));

        for (int click = 0; click < 10; ++click)
        {
            advance (editor, gapMs);
            clickWindowButton (editor.getChannelView (click % 2));
        }

        expectSettlesConsistent (editor, instance);
        closeEditor (editor);
        destroy (instance);
    }
}

TEST_F (EditorTest, AnEditorDeletedMidSlideOrDuringThePauseLeavesNothingRunningOrListening)
{
    for (const int msAfterClick : { 0, 100, 350 + 200, 350 + 650 + 100 })
    {
        SCOPED_TRACE (msAfterClick);
        auto& instance = createInstance();
        const auto listenersBefore = listenerCounts (instance);
        auto& editor = openEditor (instance);

        clickWindowButton (editor.getChannelView (0));
        runSinceClick (editor, msAfterClick);
        closeEditor (editor);

        // Nothing left to call back into the deleted window, and the click's setting kept.
        EXPECT_EQ (listenerCounts (instance), listenersBefore);
        EXPECT_TRUE ((bool) instance.getPlemvoParams().getNonAutomatableParamValue (ParamData::doubleWindow));
        setChannelMode (instance, true);
        set (instance, ParamData::selectedChannel, 1);
        set (instance, ParamData::doubleWindow, false);
        vqtest::runMessageLoopFor (50);

        // The next window opens at rest, as the settings say.
        auto& next = openEditor (instance);
        EXPECT_TRUE (isIdle (next));
        EXPECT_TRUE (isConsistent (next, instance));
        closeEditor (next);
        destroy (instance);
    }
}

TEST_F (EditorTest, TwoEditorsOfTwoInstancesSlideIndependently)
{
    auto& first = createInstance();
    auto& second = createInstance();
    auto& a = openEditor (first);
    auto& b = openEditor (second);

    clickWindowButton (a.getChannelView (0));
    set (second, ParamData::doubleWindow, true);

    EXPECT_TRUE (a.isTimerRunning());
    EXPECT_TRUE (isIdle (b));
    EXPECT_EQ (b.getChannelView (1).getBounds(), Editor::besideBounds());

    expectSettlesConsistent (a, first);
    EXPECT_TRUE (isConsistent (b, second));
}

TEST_F (EditorTest, AnEditorClosedAtEveryStageOfItsSlideOpensConsistentEveryTime)
{
    auto& instance = createInstance();
    setChannelMode (instance, true);

    // Ten rounds close the window at each of five stages of its slide twice: once on the way to each
    // width, each time with the other channel selected.
    for (int round = 0; round < 10; ++round)
    {
        set (instance, ParamData::selectedChannel, round % 2);
        auto& editor = openEditor (instance);
        EXPECT_TRUE (isConsistent (editor, instance));

        clickWindowButton (editor.getChannelView (0));
        advance (editor, 48 * (round % 5));
        closeEditor (editor);
    }

    EXPECT_TRUE (isConsistent (openEditor (instance), instance));
}
} // namespace
