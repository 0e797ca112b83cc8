#include "EditorFixture.h"

using namespace editortest;

namespace
{
class EditorOnDisplayTest : public EditorTest
{
protected:
    Editor& showEditor (PlemvoPluginInstance& instance)
    {
        auto& editor = openEditor (instance, juce::Time::getMillisecondCounter);
        editor.setTopLeftPosition (100, 100);
        editor.addToDesktop (juce::ComponentPeer::windowHasTitleBar);
        editor.setVisible (true);
        return editor;
    }
};

// The whole sequence on a display: the vertical blank drives the slide, and once it is over the
// window holds no timer and no frame callback.
TEST_F (EditorOnDisplayTest, OnADisplayTheWindowSlidesOutAndBackOnTheVerticalBlankAndThenRestsIdle)
{
    auto& instance = createInstance();
    auto& editor = showEditor (instance);
    auto& right = *editor.getChannelPanel (1).view;

    const auto started = juce::Time::getMillisecondCounter();
    panel (editor, 0).clickWindowButton();
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! editor.getAnimator().getTasks().isEmpty(); }, 5000));
    EXPECT_TRUE (editor.getAnimator().isDrivenByVBlank());

    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return right.getBounds() == Editor::besideBounds(); }, 10000));
    EXPECT_GE (juce::Time::getMillisecondCounter() - started, (juce::uint32) (Editor::pauseMs + Editor::slideMs) - 50);
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return isIdle (editor); }, 5000));
    EXPECT_FALSE (editor.getAnimator().isDrivenByVBlank());
    EXPECT_TRUE (isConsistent (editor, instance));

    panel (editor, 0).clickWindowButton();
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return editor.getWidth() == 325; }, 10000));
    EXPECT_TRUE (isIdle (editor));
    EXPECT_TRUE (isConsistent (editor, instance));
}

TEST_F (EditorOnDisplayTest, AWindowDeletedWhileItSlidesOnTheDisplayLeavesNoFrameCallback)
{
    auto& instance = createInstance();
    auto& editor = showEditor (instance);

    panel (editor, 0).clickWindowButton();
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! editor.getAnimator().getTasks().isEmpty(); }, 5000));
    vqtest::runMessageLoopFor (200);
    closeEditor (editor);
    vqtest::runMessageLoopFor (100);
}
} // namespace
