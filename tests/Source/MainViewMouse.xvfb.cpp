#include "InstanceFixture.h"
#include "MainViewFixture.h"
#include "Mouse.h"
#include "ParamsTestRig.h"

using namespace mainviewtest;
using instancetest::Direction;
using instancetest::Protocol;

namespace
{
juce::Point<float> centreInView (juce::Component& child)
{
    return child.getBounds().toFloat().getCentre();
}
} // namespace

TEST_F (MainViewTest, ADragOfTheFirstChannelsGainThroughTheWindowIsOneGestureOfTheViewsValuesShownOnTheReadOut)
{
    auto& v = view();
    EventLog log (params(), { ParamData::eq1Gain1 });
    log.names.push_back ({ sourceOf (v), "view" });
    const auto callsBefore = v.callsBack;

    {
        vqtest::PeerMouse mouse (v);
        mouse.dragUp (centreInView (v.eq1GainKnob), 64);
        EXPECT_TRUE (readOutShows (v.readOut, params().getCurrentValueAsText (ParamData::eq1Gain1)));
    }

    ASSERT_GE (log.events.size(), 3u);
    EXPECT_EQ (log.events.front(), "begin 3 view");
    EXPECT_EQ (log.events.back(), "end 3 view");
    for (size_t i = 1; i + 1 < log.events.size(); ++i)
        EXPECT_EQ (log.events[i].rfind ("set 3 ", 0), 0u) << log.events[i];
    for (size_t i = 1; i + 1 < log.events.size(); ++i)
        EXPECT_NE (log.events[i].find (" view"), std::string::npos) << log.events[i];
    EXPECT_NEAR (params().getParamValue (ParamData::eq1Gain1), 0.75f, 0.011f);
    EXPECT_EQ (v.callsBack, callsBefore);
}

TEST_F (MainViewTest, ADragThatStartsOnOneKnobAndEndsOnAnotherChangesOnlyTheFirstInOneBalancedGesture)
{
    auto& v = view();
    EventLog log (params(), { ParamData::eq1Gain1, ParamData::eq2Freq1 });

    {
        vqtest::PeerMouse mouse (v);
        const auto from = centreInView (v.eq1GainKnob), to = centreInView (v.eq2FreqKnob);
        mouse.move (from);
        mouse.down (from);
        for (int step = 1; step <= 8; ++step)
            mouse.drag (from + (to - from) * ((float) step / 8.0f));
        mouse.up (to);
    }

    const std::vector<std::string> expected { "begin 3 other", "end 3 other" };
    EXPECT_EQ (log.gesturesAndSettings(), expected);
    EXPECT_EQ (params().getParamValue (ParamData::eq2Freq1), 0.5f);
}

// The slider handles a press on a ruler mark as its own press too: the knob jumps to the mark and
// the drag turns it on from there, and the two nested gestures reach the host as one.
TEST_F (MainViewTest, ADragThatStartsOnARulerMarkTurnsTheKnobOnFromTheMarksValueInsideOneHostGesture)
{
    auto& knob = view().eq1GainKnob;

    for (const bool onLed : { false, true })
    {
        auto& mark = onLed ? static_cast<juce::Component&> (*knob.getRulerDiodes()[5])
                           : static_cast<juce::Component&> (*knob.getRulerLabels()[5]);
        params().setParamValue (nullptr, ParamData::eq1Gain1, 0.2f);
        auto& parameter = *instance->getParameters()[ParamData::eq1Gain1];
        vqtest::HostRecorder host;
        parameter.addListener (&host);

        vqtest::PeerMouse (view()).dragUp (centreInView (mark), 64);

        parameter.removeListener (&host);
        EXPECT_EQ (host.gestures, (std::vector<bool> { true, false })) << onLed;
        ASSERT_FALSE (host.values.empty()) << onLed;
        EXPECT_EQ (host.values.front(), 0.5f) << onLed;
        EXPECT_TRUE (std::is_sorted (host.values.begin(), host.values.end())) << onLed;
        // 256 px turn the whole range: 64 px up from the mark's 0.5 is a quarter more.
        EXPECT_NEAR (params().getParamValue (ParamData::eq1Gain1), 0.75f, 0.011f) << onLed;
    }
}

// The hover settings are shared by both views: a view that goes away takes back only what its own
// knobs set on, not what the other view or anyone else set.
TEST_F (MainViewTest, AViewThatGoesAwayTurnsOffOnlyTheHoverSettingsItsOwnKnobsTurnedOn)
{
    auto isOn = [this] (int setting) { return (bool) params().getNonAutomatableParamValue (setting); };
    vqtest::PeerMouse mouse (view (0));
    mouse.move (centreInView (view (0).eq1GainKnob));
    params().setNonAutomatableParamValue (nullptr, ParamData::mouseOverFreq2Knob, true);

    views[1].reset();
    EXPECT_TRUE (isOn (ParamData::mouseOverGain1Knob));

    views[0].reset();
    EXPECT_FALSE (isOn (ParamData::mouseOverGain1Knob));
    EXPECT_TRUE (isOn (ParamData::mouseOverFreq2Knob));
}

//==============================================================================
namespace
{
/** A connected instance with its unit, and one view of the first channel on it. */
class MainViewUnitTest : public instancetest::InstanceTest
{
protected:
    void SetUp() override
    {
        unit = &addUnit (serial);
        auto& instance = createInstance();
        ASSERT_TRUE (waitForConnection (instance));
        ASSERT_TRUE (waitForFullResend (*unit));
        setup.flush();
        vqtest::drainMessageLoop();
        unit->clearTraffic();

        view = std::make_unique<PLEMVO_MainView> (instance, instance.getPlemvoParams(), PLEMVO_MainView::channel1,
                                                  windowChangeByUser);
        view->setSize (325, 570);
        view->setVisible (true);
    }

    void TearDown() override
    {
        view.reset();
        InstanceTest::TearDown();
    }

    PlemvoParamsManager& params() { return instances.front()->getPlemvoParams(); }

    static constexpr int serial = 9;
    vqsim::SimulatedUnit* unit = nullptr;
    bool windowChangeByUser = false;
    std::unique_ptr<PLEMVO_MainView> view;
};
} // namespace

TEST_F (MainViewUnitTest, ADragOnThePanelReachesTheUnitAsTheGainMessageOfItsValue)
{
    {
        vqtest::PeerMouse mouse (*view);
        mouse.dragUp (centreInView (view->eq1GainKnob), 64);
    }

    const auto kind = ParamTools::getKind (ParamData::eq1Gain1);
    const auto code = ParamTools::valueToCode (kind, params().getParamValue (ParamData::eq1Gain1));
    ASSERT_TRUE (vqtest::runMessageLoopUntil (
        [&]
        {
            setup.flush();
            return unit->getCode (1, Protocol::eq1Gain) == code;
        }));

    const auto sent = unit->getTraffic (Direction::toUnit);
    ASSERT_FALSE (sent.empty());
    const auto& last = sent.back();
    ASSERT_EQ (last.size(), Protocol::parameterMessageLength);
    EXPECT_TRUE (std::equal (Protocol::header.begin(), Protocol::header.end(), last.begin()));
    EXPECT_EQ (last[Protocol::idByte], Protocol::eq1Gain);
    EXPECT_EQ (last[Protocol::valueLowByte] + 128 * last[Protocol::valueHighByte], code);
    EXPECT_EQ (last.back(), Protocol::sysexEnd);
}

TEST_F (MainViewUnitTest, AKnobTurnedOnTheUnitTurnsThePanelsKnob)
{
    const auto kind = ParamTools::getKind (ParamData::eq1Freq1);
    const auto code = ParamTools::valueToCode (kind, 0.9f);
    unit->turnControl (Protocol::eq1Frequency, code);

    EXPECT_TRUE (vqtest::runMessageLoopUntil (
        [&]
        {
            setup.flush();
            return std::abs (view->eq1FreqKnob.getValue() - 0.9) < 0.02;
        }));
    // The knob moves in steps of 0.01: it shows the unit's value to the nearest step.
    EXPECT_NEAR (view->eq1FreqKnob.getValue(), params().getParamValue (ParamData::eq1Freq1), 0.005);
}

TEST_F (MainViewUnitTest, SelectingAChannelOnThePanelSendsTheModeAndThenTheWholeStateAfterTheLock)
{
    {
        vqtest::PeerMouse mouse (*view);
        auto& button = view->channelSwitch.getChannelButton();
        mouse.click (button.getBounds().toFloat().getCentre() + view->channelSwitch.getPosition().toFloat());
    }

    EXPECT_EQ ((int) params().getNonAutomatableParamValue (ParamData::selectedChannel), 0);
    ASSERT_TRUE (waitForFullResend (*unit));
    EXPECT_EQ (unit->getChannelMode(), Protocol::channel1Selected);
}
