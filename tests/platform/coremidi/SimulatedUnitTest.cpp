#include "SimulatedUnit.h"
#include "LayerRecorder.h"

#include "vq_midi/VqSysexProtocol.h"

#include <gtest/gtest.h>

using Protocol = juce::VqSysexProtocol;
using vqsim::SimulatedUnit;
using vqsim::VirtualMidiSetup;
using vqsim::test::LayerRecorder;
using Bytes = VirtualMidiSetup::Bytes;
using namespace std::chrono_literals;

namespace
{
struct Transfer
{
    MIDISysexSendRequest request {};
    Bytes bytes;
};

void freeTransfer (MIDISysexSendRequest* request)
{
    delete static_cast<Transfer*> (request->completionRefCon);
}

Bytes parameter (int serial, std::uint8_t command, int id, int value)
{
    const auto m = Protocol::makeParameterMessage (static_cast<std::uint8_t> (serial), command, id, value);
    return Bytes (m.begin(), m.end());
}

Bytes query()
{
    const auto q = Protocol::makeQuery();
    return Bytes (q.begin(), q.end());
}

class SimulatedUnitTest : public ::testing::Test
{
protected:
    VirtualMidiSetup setup { VirtualMidiSetup::ClockMode::manual };
    LayerRecorder plugin;
    SimulatedUnit unit { setup, 5 };

    void SetUp() override { plugIn(); }

    void plugIn()
    {
        unit.plugIn();
        ASSERT_EQ (MIDIPortConnectSource (plugin.port, setup.getSource (unit.getDevice()), nullptr), noErr);
    }

    void send (const Bytes& bytes)
    {
        auto* t = new Transfer { {}, bytes };
        t->request.destination = setup.getDestination (unit.getDevice());
        t->request.data = t->bytes.data();
        t->request.bytesToSend = static_cast<UInt32> (t->bytes.size());
        t->request.completionProc = freeTransfer;
        t->request.completionRefCon = t;

        if (MIDISendSysex (&t->request) != noErr)
            delete t;

        setup.flush();
    }

    /** Everything the plug-in's port has received, one entry per packet. */
    std::vector<Bytes> receivedByPlugin() const
    {
        std::vector<Bytes> result;

        for (auto& d : plugin.getDeliveries())
            result.insert (result.end(), d.packets.begin(), d.packets.end());

        return result;
    }
};
} // namespace

TEST_F (SimulatedUnitTest, TheUnitIsADeviceNamedLikeTheHardwareWithOneSourceAndOneDestination)
{
    CFStringRef name = nullptr;
    ASSERT_EQ (MIDIObjectGetStringProperty (unit.getDevice(), kMIDIPropertyName, &name), noErr);
    char text[32];
    ASSERT_TRUE (CFStringGetCString (name, text, sizeof (text), kCFStringEncodingASCII));
    CFRelease (name);

    EXPECT_STREQ (text, "Kestova PLEM VO");
    EXPECT_NE (setup.getSource (unit.getDevice()), 0u);
    EXPECT_NE (setup.getDestination (unit.getDevice()), 0u);
}

TEST_F (SimulatedUnitTest, TheDiscoveryQueryIsAnsweredAtOnceWithTheSerialNumberInByte4)
{
    send (query());

    ASSERT_EQ (receivedByPlugin().size(), 1u);
    EXPECT_EQ (receivedByPlugin()[0], (Bytes { 0xF0, 0x00, 0x12, 0x34, 0x05, 0x04, 0xF7 }));
}

TEST_F (SimulatedUnitTest, ADelayedAnswerComesAfterTheDelayOnTheSetupsClock)
{
    unit.setReplyDelay (300ms);
    send (query());

    setup.advanceTime (299ms);
    EXPECT_TRUE (receivedByPlugin().empty());
    setup.advanceTime (1ms);
    ASSERT_EQ (receivedByPlugin().size(), 1u);

    const auto traffic = unit.getTraffic();
    ASSERT_EQ (traffic.size(), 2u);
    EXPECT_EQ (traffic[0].direction, SimulatedUnit::Direction::toUnit);
    EXPECT_EQ (traffic[0].time, 0ms);
    EXPECT_EQ (traffic[1].direction, SimulatedUnit::Direction::fromUnit);
    EXPECT_EQ (traffic[1].time, 300ms);
}

TEST_F (SimulatedUnitTest, AUnitThatNeverAnswersStaysSilent)
{
    unit.setAnswersQueries (false);
    send (query());
    setup.advanceTime (10s);

    EXPECT_TRUE (receivedByPlugin().empty());
    EXPECT_EQ (unit.getTraffic (SimulatedUnit::Direction::toUnit).size(), 1u);
}

TEST_F (SimulatedUnitTest, AUnitUnpluggedBeforeItsDelayedAnswerDoesNotAnswer)
{
    unit.setReplyDelay (300ms);
    send (query());
    unit.unplug();
    unit.plugIn();
    setup.advanceTime (1s);

    EXPECT_TRUE (unit.getTraffic (SimulatedUnit::Direction::fromUnit).empty());
}

//==============================================================================
struct Routing
{
    int mode;
    std::uint8_t command;
    int expectedChannel1;
    int expectedChannel2;
};

TEST_F (SimulatedUnitTest, ParameterMessagesChangeTheChannelsTheirCommandByteNames)
{
    // Code 0 means unchanged: the message set code 77 only on the channels it names.
    const std::vector<Routing> table {
        { Protocol::channelsLinked, Protocol::commandSelectedChannel, 77, 77 },
        { Protocol::channelsLinked, Protocol::commandOtherChannel, 0, 0 },
        { Protocol::channel1Selected, Protocol::commandSelectedChannel, 77, 0 },
        { Protocol::channel1Selected, Protocol::commandOtherChannel, 0, 77 },
        { Protocol::channel2Selected, Protocol::commandSelectedChannel, 0, 77 },
        { Protocol::channel2Selected, Protocol::commandOtherChannel, 77, 0 },
    };

    for (auto& row : table)
    {
        for (auto id : Protocol::channelControlIds)
        {
            SCOPED_TRACE (std::to_string (row.mode) + " " + std::to_string (row.command) + " " + std::to_string (id));
            unit.setChannelModeSilently (row.mode);
            unit.setCode (1, id, 0);
            unit.setCode (2, id, 0);

            send (parameter (5, row.command, id, 77));

            EXPECT_EQ (unit.getCode (1, id), row.expectedChannel1);
            EXPECT_EQ (unit.getCode (2, id), row.expectedChannel2);
        }
    }
}

TEST_F (SimulatedUnitTest, ValuesUpTo255AndTheSwitchByteAreStoredWhole)
{
    unit.setChannelModeSilently (Protocol::channel1Selected);
    send (parameter (5, Protocol::commandSelectedChannel, Protocol::eq1Frequency, 255));
    send (parameter (5, Protocol::commandSelectedChannel, Protocol::switches, 0x4C));

    EXPECT_EQ (unit.getCode (1, Protocol::eq1Frequency), 255);
    EXPECT_EQ (unit.getCode (1, Protocol::switches), 0x4C);
    EXPECT_TRUE (receivedByPlugin().empty());
}

TEST_F (SimulatedUnitTest, MessagesForAnotherUnitOrMalformedOnesChangeNothing)
{
    const auto valid = parameter (5, Protocol::commandSelectedChannel, Protocol::eq1Gain, 60);
    auto truncated = Bytes (valid.begin(), valid.end() - 1);
    auto statusInValue = valid;
    statusInValue[Protocol::valueHighByte] = 0xF7;
    auto above255 = valid;
    above255[Protocol::valueHighByte] = 0x02;
    auto noEnd = valid;
    noEnd.back() = 0x00;

    for (auto& bytes : { parameter (6, Protocol::commandSelectedChannel, Protocol::eq1Gain, 60),
                         parameter (0xFF, Protocol::commandSelectedChannel, Protocol::eq1Gain, 60),
                         parameter (5, 0x02, Protocol::eq1Gain, 60), parameter (5, 0x01, 4, 60), truncated,
                         statusInValue, above255, noEnd })
        send (bytes);

    EXPECT_EQ (unit.getCode (1, Protocol::eq1Gain), 0);
    EXPECT_EQ (unit.getCode (2, Protocol::eq1Gain), 0);
    EXPECT_EQ (unit.getCode (1, 4), 0);
    EXPECT_TRUE (receivedByPlugin().empty());
    EXPECT_EQ (unit.getTraffic (SimulatedUnit::Direction::toUnit).size(), 8u); // recorded all the same
}

TEST_F (SimulatedUnitTest, AChannelModeMessageIsAnsweredWithTheSwitchByteOfTheSelectedChannel)
{
    unit.setCode (1, Protocol::switches, 0x44);
    unit.setCode (2, Protocol::switches, 0x08);

    send (parameter (5, Protocol::commandSelectedChannel, Protocol::channelMode, Protocol::channel2Selected));
    send (parameter (5, Protocol::commandSelectedChannel, Protocol::channelMode, Protocol::channelsLinked));
    send (parameter (5, Protocol::commandSelectedChannel, Protocol::channelMode, 3)); // no such mode

    EXPECT_EQ (unit.getChannelMode(), Protocol::channelsLinked);
    EXPECT_EQ (receivedByPlugin(), (std::vector<Bytes> { parameter (5, 0x01, Protocol::switches, 0x08),
                                                         parameter (5, 0x01, Protocol::switches, 0x44) }));
}

//==============================================================================
TEST_F (SimulatedUnitTest, TurningAControlWhileLinkedChangesBothChannelsAndSendsTheCode)
{
    unit.turnControl (Protocol::eq2Gain, 200);
    setup.flush();

    EXPECT_EQ (unit.getCode (1, Protocol::eq2Gain), 200);
    EXPECT_EQ (unit.getCode (2, Protocol::eq2Gain), 200);
    EXPECT_EQ (receivedByPlugin(), (std::vector<Bytes> { parameter (5, 0x01, Protocol::eq2Gain, 200) }));
}

TEST_F (SimulatedUnitTest, PressingASwitchTogglesItsBitOnTheSelectedChannelAndSendsTheWholeByte)
{
    unit.setChannelModeSilently (Protocol::channel2Selected);
    unit.setCode (2, Protocol::switches, Protocol::engageBit);

    unit.pressSwitch (Protocol::eq1EngageBit);
    unit.pressSwitch (Protocol::engageBit);
    setup.flush();

    EXPECT_EQ (unit.getCode (1, Protocol::switches), 0);
    EXPECT_EQ (unit.getCode (2, Protocol::switches), Protocol::eq1EngageBit);
    EXPECT_EQ (receivedByPlugin(), (std::vector<Bytes> { parameter (5, 0x01, Protocol::switches, 0x44),
                                                         parameter (5, 0x01, Protocol::switches, 0x04) }));
}

TEST_F (SimulatedUnitTest, ChangingTheChannelModeOnThePanelSendsIt)
{
    unit.changeChannelMode (Protocol::channel1Selected);
    setup.flush();

    EXPECT_EQ (unit.getChannelMode(), Protocol::channel1Selected);
    EXPECT_EQ (receivedByPlugin(), (std::vector<Bytes> { parameter (5, 0x01, Protocol::channelMode, 2) }));
}

TEST_F (SimulatedUnitTest, UnpluggingAndPluggingInNotifiesTheSetupAndKeepsTheUnitsState)
{
    unit.setCode (1, Protocol::lowPass, 4);
    setup.flush();
    const auto changes = plugin.countSetupChanges();
    const auto first = unit.getDevice();

    unit.unplug();
    EXPECT_FALSE (unit.isPluggedIn());
    EXPECT_EQ (MIDIGetNumberOfDevices(), 0u);
    unit.turnControl (Protocol::lowPass, 8); // the panel still works; nothing goes out

    plugIn();
    setup.flush();
    EXPECT_NE (unit.getDevice(), first);
    EXPECT_EQ (plugin.countSetupChanges(), changes + 2);
    EXPECT_EQ (unit.getCode (1, Protocol::lowPass), 8);
    EXPECT_TRUE (receivedByPlugin().empty());

    send (query());
    EXPECT_EQ (receivedByPlugin().size(), 1u);
}

TEST_F (SimulatedUnitTest, ScriptedPanelActionsRunAtTheirTimesOnTheSetupsClock)
{
    unit.performAfter (100ms, [] (SimulatedUnit& u) { u.turnControl (Protocol::highPass, 63); });
    unit.performAfter (200ms, [] (SimulatedUnit& u) { u.unplug(); });

    setup.advanceTime (150ms);
    ASSERT_EQ (unit.getTraffic().size(), 1u);
    EXPECT_EQ (unit.getTraffic()[0].time, 100ms);
    EXPECT_TRUE (unit.isPluggedIn());

    setup.advanceTime (50ms);
    EXPECT_FALSE (unit.isPluggedIn());
}

TEST_F (SimulatedUnitTest, AtMidiSpeedEachParameterMessageTakesThreePointTwoMilliseconds)
{
    unit.setByteRate (SimulatedUnit::midiBytesPerSecond);

    for (int i = 0; i < 10; ++i)
        unit.turnControl (Protocol::eq1Gain, i);

    setup.advanceTime (31ms);
    EXPECT_EQ (receivedByPlugin().size(), 9u);
    setup.advanceTime (1ms);
    EXPECT_EQ (receivedByPlugin().size(), 10u);
}

TEST (SimulatedUnitNames, AUnitMayBeGivenAnotherNameForDevicesThatMerelyResembleIt)
{
    VirtualMidiSetup setup;
    SimulatedUnit unit (setup, 1, "kestova plem vo");
    unit.plugIn();

    CFStringRef name = nullptr;
    ASSERT_EQ (MIDIObjectGetStringProperty (unit.getDevice(), kMIDIPropertyName, &name), noErr);
    char text[32];
    CFStringGetCString (name, text, sizeof (text), kCFStringEncodingASCII);
    CFRelease (name);
    EXPECT_STREQ (text, "kestova plem vo");
}
