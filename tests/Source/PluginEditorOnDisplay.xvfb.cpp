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
    auto& right = editor.getChannelView (1);

    clickWindowButton (editor.getChannelView (0));
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! editor.getAnimator().getTasks().isEmpty(); }, 5000));
    EXPECT_TRUE (editor.getAnimator().isDrivenByVBlank());

    bool seenOnTheWay = false;
    ASSERT_TRUE (vqtest::runMessageLoopUntil (
        [&]
        {
            seenOnTheWay = seenOnTheWay || (right.getX() > 0 && right.getX() < Editor::panelWidth);
            return right.getBounds() == Editor::besideBounds();
        },
        10000));
    EXPECT_TRUE (seenOnTheWay);
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return isIdle (editor); }, 5000));
    EXPECT_FALSE (editor.getAnimator().isDrivenByVBlank());
    EXPECT_TRUE (isConsistent (editor, instance));

    clickWindowButton (editor.getChannelView (0));
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return editor.getWidth() == 325; }, 10000));
    EXPECT_TRUE (isIdle (editor));
    EXPECT_TRUE (isConsistent (editor, instance));
}

TEST_F (EditorOnDisplayTest, AWindowDeletedWhileItSlidesOnTheDisplayLeavesNoFrameCallback)
{
    auto& instance = createInstance();
    auto& editor = showEditor (instance);

    clickWindowButton (editor.getChannelView (0));
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! editor.getAnimator().getTasks().isEmpty(); }, 5000));
    vqtest::runMessageLoopFor (200);
    closeEditor (editor);
    vqtest::runMessageLoopFor (100);
}
// Two free units and none remembered: the request waits for a window, whose menu bar then opens the
// selector with both.
TEST_F (EditorOnDisplayTest, AWaitingDeviceSelectorRequestOpensTheSelectorOfTheNewWindow)
{
    addUnit (17);
    addUnit (23);
    auto& instance = createInstance();
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return instance.hasPendingCommand(); }, 3500));
    set (instance, ParamData::shouldBeConnected, false);

    std::unique_ptr<juce::AudioProcessorEditor> window (instance.createEditorIfNeeded());
    ASSERT_NE (dynamic_cast<Editor*> (window.get()), nullptr);
    EXPECT_FALSE (instance.hasPendingCommand());
    window->addToDesktop (0);
    window->setVisible (true);
    vqtest::drainMessageLoop();

    auto* selector = static_cast<Editor&> (*window).getMenuBar().getDeviceSelector();
    ASSERT_NE (selector, nullptr);
    EXPECT_EQ (selector->getNumItems(), 2);
    juce::PopupMenu::dismissAllActiveMenus();
    instance.editorBeingDeleted (window.get());
}
} // namespace
