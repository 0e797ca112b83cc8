#include "EditorFixture.h"
#include "Mouse.h"
#include "ParamsTestRig.h"

using namespace editortest;
using instancetest::Direction;
using instancetest::Protocol;

namespace
{
class EditorOnDisplayTest : public EditorTest
{
protected:
    Editor& showEditor (PlemvoPluginInstance& instance,
                        std::function<juce::uint32()> clock = juce::Time::getMillisecondCounter)
    {
        auto& editor = openEditor (instance, std::move (clock));
        editor.setTopLeftPosition (100, 100);
        editor.addToDesktop (juce::ComponentPeer::windowHasTitleBar);
        editor.setVisible (true);
        return editor;
    }

    /** An instance with two free units and none remembered, whose device-selector request waits for a
        window; it asks no more. */
    PlemvoPluginInstance& createInstanceWithWaitingRequest()
    {
        addUnit (17);
        addUnit (23);
        auto& instance = createInstance();
        vqtest::runMessageLoopUntil ([&] { return instance.hasPendingCommand(); }, 3500);
        set (instance, ParamData::shouldBeConnected, false);
        return instance;
    }
};

// The whole sequence on a display: the vertical blank drives the slide, and once it is over the
// window holds no timer and no frame callback.
TEST_F (EditorOnDisplayTest, OnADisplayTheWindowSlidesOutAndBackOnTheVerticalBlankAndThenRestsIdle)
{
    // Each frame is 50 ms later, however slowly a loaded machine or a sanitizer runs them, so the
    // slide always has frames in between; each frame also notes what drives it and where the
    // right panel stands, as the checks between turns of the message loop may miss a whole slide.
    juce::uint32 frameClock = 1000;
    Editor* shown = nullptr;
    bool drivenByVBlank = false, seenOnTheWay = false;
    auto& instance = createInstance();
    auto& editor = showEditor (instance,
                               [&]
                               {
                                   if (shown != nullptr)
                                   {
                                       const auto x = shown->getChannelView (1).getX();
                                       drivenByVBlank = drivenByVBlank || shown->getAnimator().isDrivenByVBlank();
                                       seenOnTheWay = seenOnTheWay || (x > 0 && x < Editor::panelWidth);
                                   }

                                   return frameClock += 50;
                               });
    shown = &editor;
    auto& right = editor.getChannelView (1);

    clickWindowButton (editor.getChannelView (0));
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return right.getBounds() == Editor::besideBounds(); }, 30000));
    EXPECT_TRUE (drivenByVBlank);
    EXPECT_TRUE (seenOnTheWay);
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return isIdle (editor); }, 5000));
    EXPECT_FALSE (editor.getAnimator().isDrivenByVBlank());
    EXPECT_TRUE (isConsistent (editor, instance));

    clickWindowButton (editor.getChannelView (0));
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return editor.getWidth() == 325; }, 30000));
    EXPECT_TRUE (isIdle (editor));
    EXPECT_TRUE (isConsistent (editor, instance));
}

TEST_F (EditorOnDisplayTest, AWindowDeletedWhileItSlidesOnTheDisplayLeavesNoPeerFrameCallbackOrListener)
{
    auto& instance = createInstance();
    const auto listenersBefore = listenerCounts (instance);
    const auto peersBefore = juce::ComponentPeer::getNumPeers();
    auto& editor = showEditor (instance);

    clickWindowButton (editor.getChannelView (0));
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! editor.getAnimator().getTasks().isEmpty(); }, 5000));
    EXPECT_TRUE (editor.getAnimator().isDrivenByVBlank());
    vqtest::runMessageLoopFor (200);
    closeEditor (editor);
    vqtest::runMessageLoopFor (100);

    // The window's peer went with it, and with the peer its vertical blank; no listener is left.
    EXPECT_EQ (juce::ComponentPeer::getNumPeers(), peersBefore);
    EXPECT_EQ (listenerCounts (instance), listenersBefore);
}

// A host may close the window while the user holds a menu open: the menu goes with it, and the
// choice it never got runs no command (a save or load would open a file dialog, a modal window too).
TEST_F (EditorOnDisplayTest, AnEditorDeletedWithItsMainMenuOpenTakesTheMenuAlongAndRunsNoCommand)
{
    auto& instance = createInstance();
    auto& editor = showEditor (instance);
    auto& button = editor.getMenuBar().getMenuButton();
    auto& modal = *juce::ModalComponentManager::getInstance();

    vqtest::PeerMouse (button).click (button.getLocalBounds().getCentre().toFloat());
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return modal.getNumModalComponents() == 1; }));

    closeEditor (editor);
    EXPECT_TRUE (vqtest::runMessageLoopUntil ([&] { return modal.getNumModalComponents() == 0; }));
    vqtest::runMessageLoopFor (200);
    EXPECT_EQ (modal.getNumModalComponents(), 0);
}

// The window closed in the middle of a knob's drag: the gesture the host saw begin is ended.
TEST_F (EditorOnDisplayTest, AnEditorDeletedDuringADragEndsTheKnobsGestureAtTheHost)
{
    auto& instance = createInstance();
    auto& editor = showEditor (instance);
    auto& knob = editor.getChannelView (0).eq1GainKnob;
    auto& parameter = *instance.getParameters()[ParamData::eq1Gain1];
    vqtest::HostRecorder host;
    parameter.addListener (&host);

    const auto at = editor.getLocalPoint (&knob, knob.getLocalBounds().getCentre()).toFloat();
    vqtest::PeerMouse mouse (editor);
    mouse.move (at);
    mouse.down (at);
    for (int dy = 8; dy <= 40; dy += 8)
        mouse.drag (at.translated (0.0f, (float) -dy));

    ASSERT_EQ (host.gestures, std::vector<bool> { true });
    closeEditor (editor);
    vqtest::drainMessageLoop();
    EXPECT_EQ (host.gestures, (std::vector<bool> { true, false }));

    parameter.removeListener (&host);
}

// The window closed with the pointer resting on a knob: the knob never gets its exit, so the view
// takes back the hover its knob set, or the next window would blank and show as if a knob were hovered.
TEST_F (EditorOnDisplayTest, AWindowClosedWithThePointerOverAKnobLeavesThatKnobsHoverSettingOff)
{
    const std::pair<VQ_Knob_s500 PLEMVO_MainView::*, int> knobs[] {
        { &PLEMVO_MainView::eq1FreqKnob, ParamData::mouseOverFreq1Knob },
        { &PLEMVO_MainView::eq1GainKnob, ParamData::mouseOverGain1Knob },
        { &PLEMVO_MainView::eq2FreqKnob, ParamData::mouseOverFreq2Knob },
        { &PLEMVO_MainView::eq2GainKnob, ParamData::mouseOverGain2Knob },
    };
    auto& instance = createInstance();
    auto& params = instance.getPlemvoParams();

    for (const auto& [knobOfView, hoverSetting] : knobs)
    {
        auto& editor = showEditor (instance);
        auto& knob = editor.getChannelView (0).*knobOfView;
        vqtest::PeerMouse mouse (editor);
        mouse.move (editor.getLocalPoint (&knob, knob.getLocalBounds().getCentre()).toFloat());
        ASSERT_TRUE ((bool) params.getNonAutomatableParamValue (hoverSetting)) << hoverSetting;

        closeEditor (editor);

        EXPECT_FALSE ((bool) params.getNonAutomatableParamValue (hoverSetting)) << hoverSetting;
    }
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

    vqtest::PeerMouse (editor).dragUp (editor.getLocalPoint (&knob, knob.getLocalBounds().getCentre()).toFloat(), 64);

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

/** The switches of one panel with the parameter slot each drives. */
std::vector<std::pair<VQ_Switch_PLEMVO*, int>> switchesOf (PLEMVO_MainView& view)
{
    return { { &view.eq1QSwitch, PLEMVO_MainView::eq1QSlot },
             { &view.eq2QSwitch, PLEMVO_MainView::eq2QSlot },
             { &view.hpSwitch, PLEMVO_MainView::hpfSlot },
             { &view.lpSwitch, PLEMVO_MainView::lpfSlot } };
}

/** A user's click through the window on a switch's button: the first steps a Q switch up, the second down. */
void clickSwitchButton (Editor& editor, VQ_Switch_PLEMVO& widget, int button)
{
    auto& target = *widget.buttons[button];
    const auto at = editor.getLocalPoint (&target, target.getLocalBounds().getCentre()).toFloat();
    vqtest::PeerMouse mouse (editor);
    mouse.move (at);
    mouse.click (at);
    mouse.leave();
}

// Each click on a switch is a user's change of one parameter: the host sees it begin, the value, and
// the end, as for a knob.
TEST_F (EditorOnDisplayTest, EachSwitchOfBothPanelsClickedInTheWindowTellsTheHostOneGestureAroundItsValue)
{
    auto& instance = createDualMonoInstance (0, true);
    auto& editor = showEditor (instance);
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return isIdle (editor); }, 5000));
    ASSERT_TRUE (isConsistent (editor, instance));

    for (int panel = 0; panel < 2; ++panel)
    {
        for (auto [widget, slot] : switchesOf (editor.getChannelView (panel)))
        {
            const auto index = editor.getChannelView (panel).getParamIndex (slot);
            auto& parameter = *instance.getParameters()[index];
            vqtest::HostRecorder host;
            parameter.addListener (&host);

            // From their defaults, Q 0.50 steps up to 0.63 and a filter from BYP to its first frequency.
            clickSwitchButton (editor, *widget, 0);

            parameter.removeListener (&host);
            const auto* value =
                slot == PLEMVO_MainView::eq1QSlot || slot == PLEMVO_MainView::eq2QSlot ? "0.63" : "0.25";
            EXPECT_EQ (host.told.joinIntoString (", "), "begin, " + juce::String (value) + ", end")
                << "parameter " << index;
        }
    }
}

// A Q switch at either end of its range has nowhere to step: the unit gets no message and the host is
// told nothing.
TEST_F (EditorOnDisplayTest, AQSwitchAtEitherEndOfItsRangeIgnoresAFurtherStepThatWay)
{
    auto& unit = addUnit (17);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForFullResend (unit));
    auto& editor = showEditor (instance);
    auto& view = editor.getChannelView (0);

    for (const auto& [value, button] : { std::pair { 1.0f, 0 }, std::pair { 0.0f, 1 } })
    {
        instance.getPlemvoParams().setParamValue (nullptr, ParamData::eq1Q1, value);
        vqtest::runMessageLoopFor (100);
        setup.flush();
        unit.clearTraffic();
        auto& parameter = *instance.getParameters()[ParamData::eq1Q1];
        vqtest::HostRecorder host;
        parameter.addListener (&host);

        clickSwitchButton (editor, view.eq1QSwitch, button);
        vqtest::runMessageLoopFor (100);
        setup.flush();

        parameter.removeListener (&host);
        EXPECT_TRUE (host.told.isEmpty()) << host.told.joinIntoString (", ");
        EXPECT_TRUE (unit.getTraffic (Direction::toUnit).empty()) << "Q " << value;
        EXPECT_EQ (view.eq1QSwitch.getValue(), value);
    }
}

// Two free units and none remembered: the request waits for a window, whose menu bar then opens the
// selector with both while the host is in front.
TEST_F (EditorOnDisplayTest, AWaitingDeviceSelectorRequestOpensTheSelectorOfTheNewWindow)
{
    auto& instance = createInstanceWithWaitingRequest();
    ASSERT_TRUE (instance.hasPendingCommand());

    std::unique_ptr<juce::AudioProcessorEditor> window (instance.createEditorIfNeeded());
    ASSERT_NE (dynamic_cast<Editor*> (window.get()), nullptr);
    EXPECT_FALSE (instance.hasPendingCommand());
    window->addToDesktop (0);
    window->setVisible (true);
    window->getPeer()->grabFocus(); // the host is in front
    vqtest::drainMessageLoop();

    auto* selector = static_cast<Editor&> (*window).getMenuBar().getDeviceSelector();
    ASSERT_NE (selector, nullptr);
    EXPECT_EQ (selector->getNumItems(), 2);
    juce::PopupMenu::dismissAllActiveMenus();
    instance.editorBeingDeleted (window.get());
}

// A window kept off the display shows no popup: the request goes on waiting, and the window asks for it
// once it is put on the display.
TEST_F (EditorOnDisplayTest, AWindowOffTheDisplayLeavesTheRequestWaitingAndAsksForItOnceShown)
{
    auto& instance = createInstanceWithWaitingRequest();
    ASSERT_TRUE (instance.hasPendingCommand());

    std::unique_ptr<juce::AudioProcessorEditor> window (instance.createEditorIfNeeded());
    auto& bar = static_cast<Editor&> (*window).getMenuBar();
    vqtest::drainMessageLoop();
    EXPECT_TRUE (instance.hasPendingCommand());
    EXPECT_EQ (juce::ModalComponentManager::getInstance()->getNumModalComponents(), 0);

    window->setVisible (true);
    window->addToDesktop (0);
    window->getPeer()->grabFocus(); // the host is in front
    ASSERT_TRUE (vqtest::runMessageLoopUntil (
        [&] { return juce::ModalComponentManager::getInstance()->getNumModalComponents() > 0; }));
    EXPECT_FALSE (instance.hasPendingCommand());
    ASSERT_NE (bar.getDeviceSelector(), nullptr);
    EXPECT_EQ (bar.getDeviceSelector()->getNumItems(), 2);
    juce::PopupMenu::dismissAllActiveMenus();
    instance.editorBeingDeleted (window.get());
}
} // namespace
