#include "BridgeFixture.h"
#include "CaseNames.h"

namespace bridgetest
{
namespace
{
using namespace ParamData;

// The complete state in order of the objects, with the defaults: gains and frequencies centred,
// Q 1.3, filters bypassed, "ENGAGE" on.
const std::vector<Sent> defaultResendChannel1 { { 1, 1, 60 }, { 1, 2, 128 }, { 1, 3, 128 },
                                                { 1, 6, 60 }, { 1, 7, 128 }, { 1, 8, 128 },
                                                { 1, 10, 0 }, { 1, 11, 0 },  { 1, 15, 64 } };

class SetUp : public BridgeFixture
{
protected:
    void waitForUnit()
    {
        ASSERT_TRUE (
            vqtest::runMessageLoopUntil ([this] { return midiManager->getConnectionList()->size() == 1; }, 3000));
    }

    void connect()
    {
        int serialNo = -1;
        ASSERT_TRUE (midiManager->connectIfOneDevice (bridge.get(), serialNo));
    }

    juce::int64 unitTimeOfMessage (size_t index)
    {
        auto traffic = unit.getTraffic();
        std::vector<vqsim::SimulatedUnit::Message> toUnit;

        for (auto& m : traffic)
            if (m.direction == Direction::toUnit && m.bytes.size() == Protocol::parameterMessageLength)
                toUnit.push_back (m);

        return std::chrono::duration_cast<std::chrono::milliseconds> (toUnit.at (index).time).count();
    }
};

TEST_F (SetUp, AttachingSendsTheModeThenTheCompleteStateWhenTheUnitReportsItsSwitches)
{
    attach();
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([this] { return setUpDone(); }));
    settle();

    auto expected = std::vector<Sent> { { 1, Protocol::channelMode, Protocol::channelsLinked } };
    expected.insert (expected.end(), defaultResendChannel1.begin(), defaultResendChannel1.end());
    EXPECT_EQ (sentToUnit(), expected);
    EXPECT_LT (unitTimeOfMessage (1) - unitTimeOfMessage (0), 450) << "the switch byte ends the lock early";
}

TEST_F (SetUp, WithoutTheUnitsSwitchByteTheLockLasts500MsThenEverythingIsResent)
{
    waitForUnit();
    holdUnitReply();
    connect();

    ASSERT_TRUE (vqtest::runMessageLoopUntil ([this] { return ! sentToUnit().empty(); }));
    vqtest::runMessageLoopFor (300);
    EXPECT_EQ (sentToUnit().size(), 1u) << "only the mode goes out during the lock";

    ASSERT_TRUE (vqtest::runMessageLoopUntil ([this] { return setUpDone(); }));
    // Measured at the unit, whose arrival of the mode may lag under load: far from an early end all the same.
    EXPECT_GE (unitTimeOfMessage (1) - unitTimeOfMessage (0), 400);
    EXPECT_EQ (sentToUnit().size(), 10u);

    // The held switch byte comes after the set-up: it ends nothing and makes nothing go out again.
    releaseHeldReply();
    settle();
    vqtest::runMessageLoopFor (50);
    EXPECT_EQ (sentToUnit().size(), 10u);
}

TEST_F (SetUp, AKnobMovedDuringTheLockSendsOnlyItsLastPositionWhenTheLockEndsThenTheFullResend)
{
    waitForUnit();
    holdUnitReply();
    connect();

    params().setParamValue (nullptr, eq1Gain1, 0.25f);
    params().setParamValue (nullptr, eq1Gain1, 0.75f);
    vqtest::runMessageLoopFor (50);
    EXPECT_EQ (sentToUnit().size(), 1u);

    ASSERT_TRUE (vqtest::runMessageLoopUntil ([this] { return setUpDone(); }));
    const auto sent = sentToUnit();
    ASSERT_EQ (sent.size(), 11u);
    EXPECT_EQ (sent[1], (Sent { 1, Protocol::eq1Gain, 90 }));
    EXPECT_EQ (sent[2], (Sent { 1, Protocol::eq1Gain, 90 }));
}

TEST_F (SetUp, ValuesFromTheUnitDuringTheLockAreDropped)
{
    waitForUnit();
    holdUnitReply();
    connect();

    unit.turnControl (Protocol::eq1Gain, 100);
    releaseHeldReply();
    settle();

    EXPECT_EQ (params().getParamValue (eq1Gain1), 0.5f);
}

TEST_F (SetUp, SwitchingToDualMonoWithChannel2SelectedSendsCode1LocksAndResendsBothChannels)
{
    attachAndSettle();

    params().setNonAutomatableParamValue (nullptr, selectedChannel, 1);
    params().setParamValue (nullptr, channel, 1.0f);
    ASSERT_TRUE (vqtest::runMessageLoopUntil ([this] { return setUpDone(); }));
    settle();

    const auto sent = sentToUnit();
    ASSERT_EQ (sent.size(), 19u) << "one mode message for both changes, then 8 x 2 knobs and 2 switch bytes";
    EXPECT_EQ (sent[0], (Sent { 1, Protocol::channelMode, Protocol::channel2Selected }));
    EXPECT_EQ (sent[1], (Sent { 8, Protocol::eq1Gain, 60 })) << "channel 1 is the other one";
    EXPECT_EQ (sent[2], (Sent { 1, Protocol::eq1Gain, 60 }));
    EXPECT_EQ (sent[17], (Sent { 8, Protocol::switches, 64 }));
    EXPECT_EQ (sent[18], (Sent { 1, Protocol::switches, 64 }));
    EXPECT_EQ (unit.getChannelMode(), Protocol::channel2Selected);
}

TEST_F (SetUp, ChannelAtExactlyOneHalfIsLinkAndGoesOutAsCode4)
{
    setMode (Protocol::channel1Selected);
    attachAndSettle();

    params().setParamValue (nullptr, channel, 0.5f);

    // The linking copy goes out first, as channel 2 changes while the unit is still in dual mono.
    auto findMode = [this]
    {
        setup.flush();
        auto sent = sentToUnit();
        auto found =
            std::find_if (sent.begin(), sent.end(), [] (const Sent& s) { return s.id == Protocol::channelMode; });
        return found == sent.end() ? std::optional<Sent>() : std::optional<Sent> (*found);
    };

    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return findMode().has_value(); }));
    EXPECT_EQ (*findMode(), (Sent { 1, Protocol::channelMode, Protocol::channelsLinked }));
    EXPECT_EQ (unit.getChannelMode(), Protocol::channelsLinked);
}

TEST_F (SetUp, AModeSetAgainOrASelectedChannelChangedWhileLinkedStartsNoCycle)
{
    attachAndSettle();

    params().setParamValue (nullptr, channel, 0.0f);
    params().setNonAutomatableParamValue (nullptr, selectedChannel, 1);
    vqtest::runMessageLoopFor (20);
    settle();

    EXPECT_TRUE (sentToUnit().empty());
    params().setParamValue (nullptr, eq1Gain1, 1.0f);
    setup.flush();
    EXPECT_EQ (sentToUnit(), (std::vector<Sent> { { 1, Protocol::eq1Gain, 120 } })) << "nothing is locked";
}

/** A channel mode that the unit reports itself, from the mode before, and the one channel whose
    complete state must then go out so that the unit and the parameters agree. */
struct UnitModeChange
{
    const char* name;
    int before;
    int after;
    int channelSent; // 0: none
    int command;
};

class UnitModeChangeTest : public BridgeFixture, public testing::WithParamInterface<UnitModeChange>
{
protected:
    // Channel 1 and channel 2 differ in every control, the switches included.
    void setChannelsApart()
    {
        params().setParamValue (nullptr, channel, 1.0f);

        for (int k = 0; k < channelTwinOffset; ++k)
        {
            params().setParamValue (nullptr, engage1 + k, (float) (k + 1) / 16.0f);
            params().setParamValue (nullptr, engage2 + k, 1.0f - (float) (k + 1) / 16.0f);
        }

        for (auto [index, value] : { std::pair { engage1, 1.0f },
                                     { eq1Engage1, 0.0f },
                                     { eq2Engage1, 1.0f },
                                     { engage2, 1.0f },
                                     { eq1Engage2, 1.0f },
                                     { eq2Engage2, 0.0f } })
            params().setParamValue (nullptr, index, value);
    }

    int codeOf (int controlId, int unitChannel)
    {
        const auto offset = (unitChannel - 1) * channelTwinOffset;

        if (controlId != Protocol::switches)
        {
            const auto index = PlemvoMidiBridge::getChannel1Index (controlId) + offset;
            return PlemvoMidiBridge::getLambdaMidiFloatToInt (index) (params().getParamValue (index));
        }

        int code = 0;

        for (auto index : { engage1, eq1Engage1, eq2Engage1 })
            code |=
                PlemvoMidiBridge::getLambdaMidiFloatToInt (index + offset) (params().getParamValue (index + offset));

        return code;
    }

    static std::vector<int> controlIds()
    {
        std::vector<int> ids (Protocol::channelControlIds.begin(), Protocol::channelControlIds.end());
        ids.push_back (Protocol::switches);
        return ids;
    }
};

TEST_P (UnitModeChangeTest, TheUnitIsSentOnceTheChannelItLacksAndThenAgreesWithTheParameters)
{
    const auto& row = GetParam();
    setChannelsApart();

    // Linked with channels apart, as host automation of one channel leaves them.
    if (row.before == Protocol::channelsLinked)
        params().setParamValue (params().getDawParameter (channel), channel, 0.0f);
    else
        setMode (row.before);

    attachAndSettle();

    // Long after the connection's resend: nothing sent can still be on the cable.
    MidiParam::setWallClock ([] { return juce::Time::currentTimeMillis() + 1000; });
    unit.changeChannelMode (row.after);
    settle();
    vqtest::runMessageLoopFor (20);
    settle();

    std::vector<Sent> expected;

    // Between the two channels of "DUAL MONO" both sides agree already: nothing goes out.
    if (row.channelSent != 0)
        for (auto id : controlIds())
            expected.push_back ({ row.command, id, codeOf (id, row.channelSent) });

    EXPECT_EQ (sentToUnit(), expected) << "no mode sent back, no full resend, one switch byte";

    for (int unitChannel = 1; unitChannel <= 2; ++unitChannel)
        for (auto id : controlIds())
            EXPECT_EQ (unit.getCode (unitChannel, id), codeOf (id, unitChannel))
                << "channel " << unitChannel << ", id " << id;
}

INSTANTIATE_TEST_SUITE_P (SelectedChannels, UnitModeChangeTest,
                          testing::Values (UnitModeChange { "linkFromChannel1", 2, 4, 1, 1 },
                                           UnitModeChange { "linkFromChannel2", 1, 4, 1, 1 },
                                           UnitModeChange { "unlinkToChannel1", 4, 2, 2, 8 },
                                           UnitModeChange { "unlinkToChannel2", 4, 1, 2, 1 },
                                           UnitModeChange { "channel1ToChannel2", 2, 1, 0, 0 }),
                          [] (const auto& info) { return std::string (info.param.name); });

struct ModeFromUnit
{
    int code;
    float channelValue;
    int selected;
};

void PrintTo (const ModeFromUnit& row, std::ostream* os)
{
    *os << "mode code " << row.code << " gives CHANNEL " << row.channelValue << " and SELECTED CHANNEL "
        << row.selected;
}

class ModeFromUnitTest : public BridgeFixture, public testing::WithParamInterface<ModeFromUnit>
{
};

TEST_P (ModeFromUnitTest, TheUnitsModeSetsChannelAndSelectedChannelInsideOneGesture)
{
    const auto row = GetParam();
    setMode (row.code == Protocol::channelsLinked ? Protocol::channel1Selected : Protocol::channelsLinked);
    attachAndSettle();
    host.begins.clear();
    host.ends.clear();

    unit.changeChannelMode (row.code);
    settle();

    EXPECT_EQ (params().getParamValue (channel), row.channelValue);
    EXPECT_EQ ((int) params().getNonAutomatableParamValue (selectedChannel), row.selected);
    EXPECT_EQ (host.openGestures (channel), 1);
    EXPECT_TRUE (vqtest::runMessageLoopUntil ([this] { return host.openGestures (channel) == 0; }));
    EXPECT_EQ (host.begins[channel], 1);
}

INSTANTIATE_TEST_SUITE_P (Codes, ModeFromUnitTest,
                          testing::Values (ModeFromUnit { 4, 0.0f, 0 }, ModeFromUnit { 1, 1.0f, 1 },
                                           ModeFromUnit { 2, 1.0f, 0 }),
                          vqtest::NameAsPrinted {});

TEST_F (BridgeFixture, AStrayModeCode3FromTheUnitReadsAsChannel1SelectedInTheParametersAsInTheRouting)
{
    attachAndSettle();

    setup.emit (setup.getSource (unit.getDevice()), { 0xF0, 0x00, 0x12, 0x34, serial, 0x01, 14, 0x03, 0x00, 0xF7 });
    settle();
    unit.setChannelModeSilently (Protocol::channel1Selected);
    unit.turnControl (Protocol::eq1Gain, 0);
    settle();

    EXPECT_EQ (params().getParamValue (channel), 1.0f);
    EXPECT_EQ ((int) params().getNonAutomatableParamValue (selectedChannel), 0);
    EXPECT_EQ (params().getParamValue (eq1Gain1), 0.0f);
    EXPECT_EQ (params().getParamValue (eq1Gain2), 0.5f);
}
} // namespace
} // namespace bridgetest
