#include "EditorFixture.h"
#include "Mouse.h"
#include "ParamsTestRig.h"

using namespace editortest;
using instancetest::Protocol;

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
// The whole road through the open window: a drag on its left panel reaches the unit, and a knob
// turned on the unit reaches the host and turns the window's knob.
TEST_F (EditorOnDisplayTest, ADragInTheWindowReachesTheUnitAndATurnOnTheUnitReachesTheWindowAndTheHost)
{
    auto& unit = addUnit (17);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForFullResend (unit));
    auto& editor = showEditor (instance);
    auto& knob = editor.getChannelView (0).eq1GainKnob;

    {
        vqtest::PeerMouse mouse (editor);
        const auto at = editor.getLocalPoint (&knob, knob.getLocalBounds().getCentre()).toFloat();
        mouse.move (at);
        mouse.down (at);
        for (int dy = 8; dy <= 64; dy += 8)
            mouse.drag (at.translated (0.0f, (float) -dy));
        mouse.up (at.translated (0.0f, -64.0f));
    }

    auto& params = instance.getPlemvoParams();
    ASSERT_GT (params.getParamValue (ParamData::eq1Gain1), 0.5f);
    const auto code =
        ParamTools::valueToCode (ParamTools::getKind (ParamData::eq1Gain1), params.getParamValue (ParamData::eq1Gain1));
    EXPECT_TRUE (vqtest::runMessageLoopUntil (
        [&]
        {
            setup.flush();
            return unit.getCode (1, Protocol::eq1Gain) == code;
        }));

    vqtest::HostRecorder host;
    instance.getParameters()[ParamData::eq1Freq1]->addListener (&host);
    unit.turnControl (Protocol::eq1Frequency,
                      ParamTools::valueToCode (ParamTools::getKind (ParamData::eq1Freq1), 0.9f));

    EXPECT_TRUE (vqtest::runMessageLoopUntil (
        [&]
        {
            setup.flush();
            return std::abs (editor.getChannelView (0).eq1FreqKnob.getValue() - 0.9) < 0.02 && ! host.values.empty();
        }));
    EXPECT_NEAR (host.values.back(), 0.9f, 0.02f);
    instance.getParameters()[ParamData::eq1Freq1]->removeListener (&host);
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
