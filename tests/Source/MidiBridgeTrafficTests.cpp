#include "BridgeFixture.h"
#include "CaseNames.h"

namespace bridgetest
{
namespace
{
using namespace ParamData;

const std::vector<int> modes { Protocol::channelsLinked, Protocol::channel1Selected, Protocol::channel2Selected };

std::string modeName (int code)
{
    return code == Protocol::channelsLinked
               ? "Linked"
               : (code == Protocol::channel1Selected ? "Channel1Selected" : "Channel2Selected");
}

//==============================================================================
struct KnobToWire
{
    int mode;
    int paramIndex;
    float value;
    std::vector<Sent> expected;
};

void PrintTo (const KnobToWire& row, std::ostream* os)
{
    *os << modeName (row.mode) << " " << paramName[row.paramIndex] << " = " << row.value;
}

class KnobToWireTest : public BridgeFixture, public testing::WithParamInterface<KnobToWire>
{
};

// Set as the host does, so that the stereo linker mirrors nothing.
TEST_P (KnobToWireTest, AChangeGoesOutOnceWithTheCommandOfItsChannel)
{
    const auto& row = GetParam();
    setMode (row.mode);
    attachAndSettle();

    params().getDawParameter (row.paramIndex)->setValue (row.value);
    settle();

    EXPECT_EQ (sentToUnit(), row.expected);
}

INSTANTIATE_TEST_SUITE_P (
    Modes, KnobToWireTest,
    testing::Values (KnobToWire { Protocol::channelsLinked, eq1Gain1, 0.25f, { { 1, 1, 30 } } },
                     KnobToWire { Protocol::channelsLinked, eq1Gain2, 0.25f, {} },
                     KnobToWire { Protocol::channelsLinked, engage1, 0.0f, { { 1, 15, 0 } } },
                     KnobToWire { Protocol::channelsLinked, engage2, 0.0f, {} },
                     KnobToWire { Protocol::channel1Selected, eq1Gain1, 0.25f, { { 1, 1, 30 } } },
                     KnobToWire { Protocol::channel1Selected, eq1Gain2, 0.25f, { { 8, 1, 30 } } },
                     KnobToWire { Protocol::channel1Selected, eq1Engage1, 1.0f, { { 1, 15, 0x44 } } },
                     KnobToWire { Protocol::channel1Selected, eq1Engage2, 1.0f, { { 8, 15, 0x44 } } },
                     KnobToWire { Protocol::channel1Selected, eq2Engage1, 0.5f, { { 1, 15, 0x40 } } },
                     KnobToWire { Protocol::channel2Selected, hpf1, 0.25f, { { 8, 11, 63 } } },
                     KnobToWire { Protocol::channel2Selected, hpf2, 0.25f, { { 1, 11, 63 } } },
                     KnobToWire { Protocol::channel2Selected, eq2Engage1, 1.0f, { { 8, 15, 0x48 } } },
                     KnobToWire { Protocol::channel2Selected, eq2Engage2, 1.0f, { { 1, 15, 0x48 } } }),
    vqtest::NameAsPrinted {});

TEST_F (BridgeFixture, SwitchesChangedTogetherInOneTurnGoOutAsOneByteCarryingThemAll)
{
    setMode (Protocol::channel1Selected);
    attachAndSettle();

    params().setParamValue (nullptr, engage1, 0.0f);
    params().setParamValue (nullptr, eq1Engage1, 1.0f);
    params().setParamValue (nullptr, eq2Engage1, 1.0f);
    params().setParamValue (nullptr, eq1Engage2, 1.0f);
    settle();

    EXPECT_EQ (sentToUnit(), (std::vector<Sent> { { 1, 15, 0x0C }, { 8, 15, 0x44 } }));
}

TEST_F (BridgeFixture, AChannel2ChangeInTheWindowWhileLinkedReachesTheUnitOnceThroughChannel1)
{
    attachAndSettle();

    params().setParamValue (nullptr, eq1Q2, 0.0f);
    settle();

    EXPECT_EQ (sentToUnit(), (std::vector<Sent> { { 1, Protocol::eq1Q, 255 } }));
    EXPECT_EQ (params().getParamValue (eq1Q1), 0.0f);
}

//==============================================================================
struct FromUnit
{
    int id;
    int code;
    int paramIndex; // channel 1's
    float value;
};

const std::vector<FromUnit> eachObject {
    { Protocol::eq1Gain, 90, eq1Gain1, 0.75f },     { Protocol::eq1Q, 64, eq1Q1, 0.75f },
    { Protocol::eq1Frequency, 51, eq1Freq1, 0.2f }, { Protocol::eq2Gain, 30, eq2Gain1, 0.25f },
    { Protocol::eq2Q, 224, eq2Q1, 0.125f },         { Protocol::eq2Frequency, 255, eq2Freq1, 1.0f },
    { Protocol::lowPass, 4, lpf1, 0.75f },          { Protocol::highPass, 233, hpf1, 1.0f },
};

class FromUnitTest : public BridgeFixture, public testing::WithParamInterface<int>
{
};

TEST_P (FromUnitTest, EveryObjectSetsTheChannelsSelectedOnTheUnitAndSendsNothingBack)
{
    const auto mode = GetParam();
    setMode (mode);
    attachAndSettle();

    const bool toChannel1 = mode != Protocol::channel2Selected;
    const bool toChannel2 = mode != Protocol::channel1Selected;

    for (auto& row : eachObject)
    {
        unit.turnControl (row.id, row.code);
        settle();

        const auto untouched = ParamData::paramDefault[row.paramIndex];
        EXPECT_EQ (params().getParamValue (row.paramIndex), toChannel1 ? row.value : untouched)
            << paramName[row.paramIndex];
        EXPECT_EQ (params().getParamValue (row.paramIndex + channelTwinOffset), toChannel2 ? row.value : untouched)
            << paramName[row.paramIndex + channelTwinOffset];
    }

    unit.pressSwitch (Protocol::eq1EngageBit);
    unit.pressSwitch (Protocol::engageBit);
    settle();

    for (int index : { engage1, eq1Engage1, eq2Engage1 })
    {
        const auto expected = index == eq1Engage1 ? 1.0f : 0.0f;
        EXPECT_EQ (params().getParamValue (index), toChannel1 ? expected : paramDefault[index]) << paramName[index];
        EXPECT_EQ (params().getParamValue (index + channelTwinOffset), toChannel2 ? expected : paramDefault[index])
            << paramName[index + channelTwinOffset];
    }

    vqtest::runMessageLoopFor (20);
    settle();
    EXPECT_TRUE (sentToUnit().empty());
}

INSTANTIATE_TEST_SUITE_P (Modes, FromUnitTest, testing::ValuesIn (modes),
                          [] (const testing::TestParamInfo<int>& info) { return modeName (info.param); });

TEST_F (BridgeFixture, TheSwitchByte4CWithChannel1SelectedEngagesAllThreeSwitchesAnd0ReleasesThem)
{
    setMode (Protocol::channel1Selected);
    attachAndSettle();

    bridge->paramReceived (Protocol::switches, 0x4C);
    settle();

    for (int index : { engage1, eq1Engage1, eq2Engage1 })
        EXPECT_EQ (params().getParamValue (index), 1.0f) << paramName[index];

    bridge->paramReceived (Protocol::switches, 0);
    settle();

    for (int index : { engage1, eq1Engage1, eq2Engage1 })
        EXPECT_EQ (params().getParamValue (index), 0.0f) << paramName[index];
}

TEST_F (BridgeFixture, IdsThatNameNoControlChangeNothing)
{
    attachAndSettle();
    const auto source = setup.getSource (unit.getDevice());

    for (int id : { 0, 4, 5, 9, 12, 13, 16, 127 })
        setup.emit (source, { 0xF0, 0x00, 0x12, 0x34, serial, 0x01, (Byte) id, 0x10, 0x00, 0xF7 });

    settle();

    for (int i = 0; i < numParams; ++i)
        EXPECT_EQ (params().getParamValue (i), paramDefault[i]) << paramName[i];

    EXPECT_TRUE (sentToUnit().empty());
}

TEST_F (BridgeFixture, CodesOutOfRangeNeverGiveAValueOutsideZeroToOne)
{
    setMode (Protocol::channel1Selected);
    attachAndSettle();
    params().setParamValue (nullptr, lpf1, 0.75f);

    setup.emit (setup.getSource (unit.getDevice()), { 0xF0, 0x00, 0x12, 0x34, serial, 0x01, 10, 0x03, 0x00, 0xF7 });
    bridge->paramReceived (Protocol::eq1Q, 255 + 128); // bytes 7F 02, which the device already drops
    bridge->paramReceived (Protocol::eq1Gain, 300);
    settle();

    EXPECT_EQ (params().getParamValue (lpf1), 0.0f) << "an unknown low-pass code is bypass";
    EXPECT_EQ (params().getParamValue (eq1Q1), 0.0f);
    EXPECT_EQ (params().getParamValue (eq1Gain1), 1.0f);
}

//==============================================================================
class Gestures : public BridgeFixture
{
protected:
    // The clock reads this fixture, which is gone before the bridge is detached.
    ~Gestures() override { MidiParam::setWallClock ({}); }

    void turnAt (juce::int64 timeMs, int code)
    {
        nowMs = timeMs;
        unit.turnControl (Protocol::eq1Gain, code);
        settle();
    }

    std::atomic<juce::int64> nowMs { 0 }; // read on the MIDI thread as a value arrives
};

TEST_F (Gestures, ABurstFromTheUnitIsOneHostGestureOnBothLinkedChannels)
{
    attachAndSettle();
    MidiParam::setWallClock ([this] { return nowMs.load(); });
    host.begins.clear();

    turnAt (0, 61);
    turnAt (50, 62);
    turnAt (100, 63);

    EXPECT_EQ (host.begins[eq1Gain1], 1);
    EXPECT_EQ (host.begins[eq1Gain2], 1) << "mirrored by the linker";
    EXPECT_EQ (host.openGestures (eq1Gain1), 1);
    EXPECT_EQ (params().getDawParameter (eq1Gain1)->getValue(), 63.0f / 120.0f);

    ASSERT_TRUE (vqtest::runMessageLoopUntil (
        [this] { return host.openGestures (eq1Gain1) == 0 && host.openGestures (eq1Gain2) == 0; }));
    turnAt (1000, 64);
    EXPECT_EQ (host.begins[eq1Gain1], 2) << "a value after the quiet time opens a new gesture";
}

TEST_F (Gestures, UnpluggingTheUnitInsideABurstClosesTheGestureAtOnce)
{
    setMode (Protocol::channel1Selected);
    attachAndSettle();
    MidiParam::setWallClock ([this] { return nowMs.load(); });

    turnAt (0, 61);
    turnAt (400, 62); // the quiet time is now 1000 ms
    ASSERT_EQ (host.openGestures (eq1Gain1), 1);

    unit.unplug();
    EXPECT_TRUE (vqtest::runMessageLoopUntil ([this] { return host.openGestures (eq1Gain1) == 0; }, 500));

    params().beginParamGesture (nullptr, eq1Gain1);
    EXPECT_EQ (host.openGestures (eq1Gain1), 1) << "the manager's gesture count is not stuck";
    params().endParamGesture (nullptr, eq1Gain1);
}

//==============================================================================
TEST_F (BridgeFixture, UnpluggedDuringTheSetUpLeavesNoTimerAndSendsNothingMore)
{
    setMode (Protocol::channel1Selected);
    params().setNonAutomatableParamValue (nullptr, isConnected, true);
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([this] { return midiManager->getConnectionList()->size() == 1; }, 3000));
    int serialNo = -1;
    ASSERT_TRUE (midiManager->connectIfOneDevice (bridge.get(), serialNo));

    unit.unplug();
    vqtest::runMessageLoopFor (700);
    settle();

    EXPECT_LE (sentToUnit().size(), 1u);
    EXPECT_FALSE ((bool) params().getNonAutomatableParamValue (isConnected)) << "the instance is told";

    params().setParamValue (nullptr, channel, 0.0f);
    params().setParamValue (nullptr, eq1Gain1, 0.0f);
    vqtest::runMessageLoopFor (20);
    EXPECT_LE (sentToUnit().size(), 1u);
}

TEST_F (BridgeFixture, UnpluggedWhileTheMessageThreadResendsNothingCrashesAndNoGestureStaysOpen)
{
    attachAndSettle();

    for (int round = 0; round < 5; ++round)
    {
        setMode (round % 2 == 0 ? Protocol::channel1Selected : Protocol::channelsLinked);
        std::thread unplugger (
            [this]
            {
                unit.turnControl (Protocol::eq1Gain, 10);
                unit.unplug();
            });
        vqtest::runMessageLoopFor (30);
        unplugger.join();
        settle();

        for (int i = 0; i < numParams; ++i)
            EXPECT_EQ (host.openGestures (i), 0) << paramName[i];

        detach();
        bridge = std::make_unique<PlemvoMidiBridge> (instance, params());
        unit.plugIn();
        attachAndSettle();
    }
}

TEST_F (BridgeFixture, WithoutADeviceNeitherChannelSendsAnything)
{
    PlemvoMidiBridge unattached (instance, params());
    unattached.setConnectedMidiDevice (nullptr);
    setMode (Protocol::channel2Selected);
    vqtest::runMessageLoopFor (10);

    params().setParamValue (nullptr, eq1Gain2, 0.1f);
    params().setParamValue (nullptr, engage2, 0.0f);
    params().setParamValue (nullptr, eq1Gain1, 0.1f);
    settle();

    EXPECT_TRUE (unit.getTraffic (Direction::toUnit).size() <= 1u) << "at most the discovery query";
}
} // namespace
} // namespace bridgetest
