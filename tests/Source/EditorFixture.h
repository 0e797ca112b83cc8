#pragma once

#include "InstanceFixture.h"

#include "PluginEditor.h"

#include <vector>

namespace editortest
{
using Editor = PlemvoAudioProcessorEditor;

/** What a click on a view's window button does: the button toggles, then its click handler runs. */
inline void clickWindowButton (PLEMVO_MainView& view)
{
    view.windowButton.setToggleState (! view.windowButton.getToggleState(), juce::dontSendNotification);
    view.windowButton.onClick();
}

/** Instances with editors; the editors' slides run on a clock of the test's own,
    stepped frame by frame. Editors are deleted before their instances, as a host does. */
class EditorTest : public instancetest::InstanceTest
{
protected:
    static constexpr juce::uint32 frameMs = 16;

    /** Without a clock the editor slides on the test's own. */
    Editor& openEditor (PlemvoPluginInstance& instance, std::function<juce::uint32()> clock = {})
    {
        if (clock == nullptr)
            clock = [this] { return clockMs; };

        editors.push_back (std::make_unique<Editor> (instance, instance.getPlemvoParams(), std::move (clock)));
        return *editors.back();
    }

    void closeEditor (Editor& editor)
    {
        editor.getAudioProcessor()->editorBeingDeleted (&editor);
        editors.erase (std::find_if (editors.begin(), editors.end(), [&] (auto& e) { return e.get() == &editor; }));
    }

    static void set (PlemvoPluginInstance& instance, int setting, const juce::var& value)
    {
        instance.getPlemvoParams().setNonAutomatableParamValue (nullptr, setting, value);
    }

    static void setChannelMode (PlemvoPluginInstance& instance, bool dualMono)
    {
        instance.getPlemvoParams().setParamValue (nullptr, ParamData::channel, dualMono ? 1.0f : 0.0f);
    }

    /** An instance in DUAL MONO with the channel selected and the window as given. */
    PlemvoPluginInstance& createDualMonoInstance (const juce::var& selected, bool doubleWindow)
    {
        auto& instance = createInstance();
        setChannelMode (instance, true);
        set (instance, ParamData::selectedChannel, selected);
        set (instance, ParamData::doubleWindow, doubleWindow);
        return instance;
    }

    /** Runs the editor's frames for the time, then lets the animator's reports arrive. */
    void advance (Editor& editor, int milliseconds)
    {
        for (int left = milliseconds; left > 0; left -= (int) frameMs)
        {
            clockMs += (juce::uint32) juce::jmin ((int) frameMs, left);
            editor.getAnimator().stepFrame (clockMs);
        }

        vqtest::drainMessageLoop();
    }

    /** The pause as the editor's timer ends it; false when no 350 ms pause was running. */
    static bool endPause (Editor& editor)
    {
        if (! editor.isTimerRunning() || editor.getTimerInterval() != Editor::pauseMs)
            return false;

        editor.timerCallback();
        return true;
    }

    /** Plays frames and pauses until nothing is under way. */
    void settleWindow (Editor& editor)
    {
        for (int round = 0; round < 10; ++round)
        {
            advance (editor, 1000);

            if (! endPause (editor) && editor.getAnimator().getTasks().isEmpty())
                return;
        }
    }

    /** Runs a user's switch for the time since the click: the pause of an opening ends at 350 ms. */
    void runSinceClick (Editor& editor, int milliseconds)
    {
        if (milliseconds >= Editor::pauseMs && endPause (editor))
            advance (editor, milliseconds - Editor::pauseMs);
        else
            advance (editor, milliseconds);
    }

    /** The number of listeners of every parameter and setting, in index order. */
    static std::vector<int> listenerCounts (PlemvoPluginInstance& instance)
    {
        auto& params = instance.getPlemvoParams();
        std::vector<int> counts;

        for (int i = 0; i < params.getNumParams(); ++i)
            counts.push_back (params.getNumParamListeners (i));

        for (int i = 0; i < params.getNumNonAutomatableParams(); ++i)
            counts.push_back (params.getNumNonAutomatableParamListeners (i));

        return counts;
    }

    static bool isIdle (Editor& editor)
    {
        return ! editor.isTimerRunning() && editor.getAnimator().getTasks().isEmpty();
    }

    /** The window shows what the settings say: its width, the panels laid out for it, and the
        selected channel's panel visible and in front wherever the panels overlap. */
    static testing::AssertionResult isConsistent (Editor& editor, PlemvoPluginInstance& instance)
    {
        auto& params = instance.getPlemvoParams();
        const bool doubleWindow = params.getNonAutomatableParamValue (ParamData::doubleWindow);
        const auto channel = (int) params.getNonAutomatableParamValue (ParamData::selectedChannel) == 1 ? 1 : 0;
        auto& shown = editor.getChannelView (channel);

        if (editor.getWidth() != Editor::windowWidth (doubleWindow) || editor.getHeight() != Editor::windowHeight)
            return testing::AssertionFailure() << "window " << editor.getWidth() << " x " << editor.getHeight();

        if (! shown.isVisible() || ! editor.getLocalBounds().contains (shown.getBounds()))
            return testing::AssertionFailure() << "panel " << channel << " at " << shown.getBounds().toString()
                                               << (shown.isVisible() ? "" : ", hidden");

        if (doubleWindow && editor.getChannelView (1).getBounds() != Editor::besideBounds())
            return testing::AssertionFailure() << "right panel not beside the left one";

        auto& other = editor.getChannelView (1 - channel);

        if (! doubleWindow && other.isVisible() &&
            editor.getIndexOfChildComponent (&other) > editor.getIndexOfChildComponent (&shown))
            return testing::AssertionFailure() << "panel " << 1 - channel << " in front of the selected one";

        return testing::AssertionSuccess();
    }

    void expectSettlesConsistent (Editor& editor, PlemvoPluginInstance& instance)
    {
        settleWindow (editor);
        EXPECT_TRUE (isIdle (editor));
        EXPECT_TRUE (isConsistent (editor, instance));
    }

    void TearDown() override
    {
        while (! editors.empty())
            closeEditor (*editors.back());

        InstanceTest::TearDown();
    }

    juce::uint32 clockMs = 1000;
    std::vector<std::unique_ptr<Editor>> editors;
};
} // namespace editortest
