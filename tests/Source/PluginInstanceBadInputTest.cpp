#include "InstanceFixture.h"

#include "Ids.h"
#include "PluginEditor.h"

using namespace instancetest;

namespace
{
std::vector<float> valuesOf (PlemvoPluginInstance& instance)
{
    std::vector<float> values;

    for (int i = 0; i < ParamData::numParams; ++i)
        values.push_back (instance.getPlemvoParams().getParamValue (i));

    return values;
}
} // namespace

TEST_F (InstanceTest, AnInstanceDestroyedWhileConnectedFreesItsUnitForTheNext)
{
    auto& unit = addUnit (17);
    auto& first = createInstance();
    ASSERT_TRUE (waitForConnection (first));
    ASSERT_TRUE (waitForFullResend (unit));

    auto& second = createInstance();
    destroy (first);
    vqtest::drainMessageLoop();
    EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 17, false } }));

    unit.clearTraffic();
    ASSERT_TRUE (waitForConnection (second));
    EXPECT_TRUE (waitForFullResend (unit));
}

TEST_F (InstanceTest, AnInstanceDestroyedDuringItsSetUpSendsNothingMore)
{
    auto& unit = addUnit (17);
    // A real cable's speed keeps the set-up running for a few milliseconds after the attach.
    unit.setByteRate (vqsim::SimulatedUnit::midiBytesPerSecond);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForConnection (instance));
    ASSERT_FALSE (receivedFullResend (unit));

    destroy (instance);
    setup.flush();
    vqtest::runMessageLoopFor (700);
    setup.flush();

    EXPECT_FALSE (receivedFullResend (unit));
    EXPECT_EQ (listedUnits(), (std::map<int, bool> {}));
}

TEST_F (InstanceTest, AUnitVanishingDuringTheSetUpIsTakenAgainWhenItReturns)
{
    auto& unit = addUnit (17);
    unit.setByteRate (vqsim::SimulatedUnit::midiBytesPerSecond);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForConnection (instance));

    unit.unplug();
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! isConnected (instance); }));
    vqtest::runMessageLoopFor (700);

    unit.setByteRate (0);
    unit.clearTraffic();
    unit.plugIn();
    ASSERT_TRUE (waitForConnection (instance));
    EXPECT_TRUE (waitForFullResend (unit));
}

TEST_F (InstanceTest, GarbageFromTheHostChangesNothingAndKeepsTheConnection)
{
    auto& unit = addUnit (17);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForConnection (instance));
    instance.getPlemvoParams().setParamValue (nullptr, ParamData::eq2Gain1, 0.25f);
    vqtest::drainMessageLoop(); // the linked channel follows
    const auto before = valuesOf (instance);

    juce::MemoryBlock state;
    instance.getStateInformation (state);
    juce::Random random (42);
    juce::MemoryBlock noise (300);
    random.fillBitsRandomly (noise.getData(), noise.getSize());

    instance.setStateInformation (noise.getData(), (int) noise.getSize());
    instance.setStateInformation (nullptr, 0);
    instance.setStateInformation (state.getData(), 0);
    instance.setStateInformation (state.getData(), -5);
    instance.setStateInformation ("<not a tree", 11);
    vqtest::drainMessageLoop();

    EXPECT_EQ (valuesOf (instance), before);
    EXPECT_TRUE (isConnected (instance));
    EXPECT_EQ ((int) setting (instance, ParamData::connectedDevSn), 17);
    EXPECT_EQ (listedUnits(), (std::map<int, bool> { { 17, true } }));
    (void) unit;
}

TEST_F (InstanceTest, ASettingValueOutsideItsRangeReachesNeitherTheWindowNorTheUnitNorTheSavedState)
{
    auto& unit = addUnit (17);
    auto& instance = createInstance();
    ASSERT_TRUE (waitForConnection (instance));
    ASSERT_TRUE (waitForFullResend (unit));

    // The switch to DUAL MONO tells the unit its mode and then everything again; only once that is over
    // does the traffic below belong to the values tried.
    unit.clearTraffic();
    instance.getPlemvoParams().setParamValue (nullptr, ParamData::channel, 1.0f); // DUAL MONO, channel 1
    ASSERT_TRUE (waitForFullResend (unit));
    std::unique_ptr<juce::AudioProcessorEditor> window (instance.createEditorIfNeeded());
    auto& editor = dynamic_cast<PlemvoAudioProcessorEditor&> (*window);
    vqtest::drainMessageLoop();

    juce::MemoryBlock before;
    instance.getStateInformation (before);
    const auto shown = [&]
    { return std::make_pair (editor.getChannelView (0).isVisible(), editor.getChannelView (1).isVisible()); };
    ASSERT_EQ (shown(), std::make_pair (true, false));

    const std::pair<int, juce::var> invalid[] = {
        { ParamData::selectedChannel, 7 },   { ParamData::selectedChannel, -1 },
        { ParamData::selectedChannel, 1.0 }, { ParamData::selectedChannel, "1" },
        { ParamData::connectedDevSn, 256 },  { ParamData::connectedDevSn, -2 },
        { ParamData::doubleWindow, 2 },      { ParamData::shouldBeConnected, juce::var() },
    };

    for (const auto& [index, value] : invalid)
    {
        unit.clearTraffic();
        setSetting (instance, index, value);
        vqtest::drainMessageLoop();

        juce::MemoryBlock after;
        instance.getStateInformation (after);
        EXPECT_EQ (after, before) << index << " " << value.toString();
        const auto ids = idsSentTo (unit);
        EXPECT_EQ (std::count (ids.begin(), ids.end(), (int) Protocol::channelMode), 0)
            << index << " " << value.toString();
        EXPECT_EQ (shown(), std::make_pair (true, false)) << index << " " << value.toString();
    }

    // A valid value still goes everywhere: channel 2 is shown and told to the unit.
    unit.clearTraffic();
    setSetting (instance, ParamData::selectedChannel, 1);
    const auto toldChannel = [&]
    {
        const auto ids = idsSentTo (unit);
        return std::count (ids.begin(), ids.end(), (int) Protocol::channelMode) == 1;
    };
    EXPECT_TRUE (vqtest::runMessageLoopUntil (toldChannel, 5000));
    EXPECT_EQ (shown(), std::make_pair (false, true));
    instance.editorBeingDeleted (window.get());
}

TEST_F (InstanceTest, CommandsOtherThanTheSelectorAreDroppedAndOnlyTheNewestSelectorRequestWaits)
{
    // Two free units: a choice for a selector request to wait for.
    addUnit (17);
    addUnit (23);
    auto& instance = createInstance();
    setSetting (instance, ParamData::shouldBeConnected, false);
    ASSERT_TRUE (waitForListedUnits (2));

    instance.sendCommand (std::make_unique<juce::VqCommand> (juce::Identifier ("somethingElse")));
    vqtest::drainMessageLoop();
    EXPECT_FALSE (instance.hasPendingCommand());

    instance.sendCommand (std::make_unique<juce::VqCommand> (Ids::vqPlemvo::showDeviceSelector));
    instance.sendCommand (std::make_unique<juce::VqCommand> (Ids::vqPlemvo::showDeviceSelector));
    vqtest::drainMessageLoop();
    vqtest::drainMessageLoop();
    EXPECT_TRUE (instance.hasPendingCommand());

    // Destroyed with a request waiting and another queued: both simply go.
    instance.sendCommand (std::make_unique<juce::VqCommand> (Ids::vqPlemvo::showDeviceSelector));
    destroy (instance);
}
