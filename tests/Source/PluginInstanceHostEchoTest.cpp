#include "SessionAgreement.h"

#include "EchoingHost.h"
#include "vq_core/VqDawParameter.h"

#include <thread>

using namespace instancetest;
using namespace std::chrono_literals;

namespace
{
using Milliseconds = std::chrono::milliseconds;

/** An instance on a unit whose cable carries messages at a real cable's speed, the layer on a clock that
    only the test moves; the host parameters' echo horizon reads the same clock. The message loop runs
    after every millisecond, so what each side does follows the order of the clock. */
class HostEchoTest : public InstanceTest
{
public:
    HostEchoTest()
        : InstanceTest (vqsim::VirtualMidiSetup::ClockMode::manual)
    {
    }

    void SetUp() override
    {
        juce::VqDawParameter::setClock (
            [this] { return (juce::uint32) std::chrono::duration_cast<Milliseconds> (setup.now()).count(); });

        unit = &addUnit (serial);
        plugin = &createInstance();
        plugin->connectWithDevice (serial);
        ASSERT_TRUE (waitForConnection (*plugin));
        ASSERT_TRUE (waitForFullResend (*unit));

        for (auto* parameter : plugin->getParameters())
            parameter->addListener (&gestures);

        unit->setByteRate (vqsim::SimulatedUnit::midiBytesPerSecond);
        settle();

        // What was announced while connecting has long been echoed.
        advance (Milliseconds (juce::VqDawParameter::echoWithinMs + 1));
        unit->clearTraffic();
    }

    void TearDown() override
    {
        for (auto* parameter : plugin->getParameters())
            parameter->removeListener (&gestures);

        InstanceTest::TearDown();
        juce::VqDawParameter::setClock ({});
    }

    PlemvoParamsManager& params() { return plugin->getPlemvoParams(); }
    juce::AudioProcessorParameter& hostParameter (int index) { return *plugin->getParameters()[index]; }

    /** Moves the clock a millisecond at a time, letting the message thread take what arrived each time. */
    void advance (Milliseconds amount)
    {
        for (auto i = 0; i < amount.count(); ++i)
        {
            setup.advanceTime (1ms);
            vqtest::drainMessageLoop();
        }
    }

    /** Until both sides are quiet: the unit's gestures closed and nothing on the cable for 100 ms. */
    void settle()
    {
        auto lastTraffic = unit->getTraffic().size();
        auto quietSince = setup.now();

        ASSERT_TRUE (vqtest::runMessageLoopUntil (
            [&]
            {
                advance (1ms);

                if (const auto traffic = unit->getTraffic().size(); traffic != lastTraffic || gestures.open != 0)
                {
                    lastTraffic = traffic;
                    quietSince = setup.now();
                }

                return setup.now() - quietSince > 100ms;
            },
            10000));
    }

    /** The parameter messages the unit received from the first-th message of its traffic on. */
    int parameterMessagesToUnitFrom (size_t first)
    {
        int count = 0;

        for (auto& message : unit->getTrafficFrom (first))
            count += message.direction == Direction::toUnit && message.bytes.size() == Protocol::parameterMessageLength;

        return count;
    }

    juce::String disagreementOn (int index, float survivor)
    {
        return instancetest::disagreementOn (*plugin, *unit, index, survivor);
    }

    static constexpr int serial = 5;
    vqsim::SimulatedUnit* unit = nullptr;
    PlemvoPluginInstance* plugin = nullptr;
    GestureWatch gestures;
};

//==============================================================================
class LateEchoTest : public HostEchoTest, public testing::WithParamInterface<int>
{
};

TEST_P (LateEchoTest, TheUnitsTurnIsNeverAnsweredWithItsOwnOlderValuesHoweverLateTheHostEchoes)
{
    const auto echoDelay = Milliseconds (GetParam());
    vqtest::EchoingHost host (
        *plugin, [this] (auto delay, auto echo) { setup.runAfter (delay, std::move (echo)); }, echoDelay);

    // The engineer turns EQ1 GAIN through 50 values, 10 ms apart.
    constexpr int numValues = 50;
    const auto codeOf = [] (int k) { return 10 + 2 * k; };
    const auto first = unit->getTraffic().size();

    for (int k = 0; k < numValues; ++k)
        unit->performAfter (10ms * k, [code = codeOf (k)] (auto& u) { u.turnControl (Protocol::eq1Gain, code); });

    advance (10ms * numValues + echoDelay + 10ms);
    const auto sentDuringTurn = parameterMessagesToUnitFrom (first);
    settle();

    EXPECT_EQ (sentDuringTurn, 0) << host.getNumWritten() << " echoes differed from the value shown";
    EXPECT_EQ (parameterMessagesToUnitFrom (first), 0) << "nothing crossed, so nothing is sent back at its end";
    EXPECT_EQ (disagreementOn (ParamData::eq1Gain1, stepOf (ParamData::eq1Gain1, codeOf (numValues - 1))), "");
}

INSTANTIATE_TEST_SUITE_P (EchoDelays, LateEchoTest, testing::Values (0, 15, 40),
                          [] (const auto& info) { return std::to_string (info.param) + "ms"; });

//==============================================================================
/** A state in the XML form that holds one parameter's value and nothing else. */
juce::MemoryBlock stateOfOneValue (int index, float value)
{
    // A tag that is a number is no XML name that juce::XmlElement makes, so the text is written out.
    const auto text =
        juce::String::formatted ("<STATE><parameters><%d value=\"%.9g\"/></parameters></STATE>", index, (double) value);
    return { text.toRawUTF8(), text.getNumBytesAsUTF8() };
}

TEST_F (HostEchoTest, AWriteOfTheValueHeldAfterARestoreReplacesTheRestoredValueInTheSavedStateOfEveryParameter)
{
    for (int index = 0; index < ParamData::numParams; ++index)
    {
        SCOPED_TRACE (ParamData::paramName[index]);
        const auto held = params().getParamValue (index);
        std::vector<float> others;

        if (index == ParamData::channel || ParamTools::getKind (index) == ParamTools::Kind::onOff)
            others = { 1.0f - held, 1.0f - held };
        else
            for (int step = 1; others.size() < 2; ++step)
                if (stepOf (index, step) != held)
                    others.push_back (stepOf (index, step));

        ASSERT_EQ (others.size(), 2u);
        const auto restored = stateOfOneValue (index, others[1]);

        // All on one host thread before the message thread runs.
        std::thread (
            [&]
            {
                hostParameter (index).setValue (others[0]);
                plugin->setStateInformation (restored.getData(), (int) restored.getSize());
                hostParameter (index).setValue (held);
            })
            .join();

        settle();
        EXPECT_EQ (disagreementOn (index, held), "");
    }
}

//==============================================================================
/** The channel whose values a LINK restore keeps on both channels, and the values of both before. */
struct LinkRestore
{
    const char* name;
    int selectedChannel;
    int keptFirst;
};

class LinkRestoreTest : public HostEchoTest, public testing::WithParamInterface<LinkRestore>
{
};

void PrintTo (const LinkRestore& row, std::ostream* os)
{
    *os << row.name;
}

TEST_P (LinkRestoreTest, ALinkStateWithoutTheChannelsValuesCopiesTheSelectedChannelOntoTheOther)
{
    const auto row = GetParam();

    // DUAL MONO, channel 1 at step 2 and channel 2 at step 3 of every control, as the window leaves them.
    params().setParamValue (nullptr, ParamData::channel, 1.0f);
    params().setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, row.selectedChannel);

    for (int k = 1; k <= ParamData::channelTwinOffset; ++k)
    {
        params().setParamValue (nullptr, k, stepOf (k, 2));
        params().setParamValue (nullptr, k + ParamData::channelTwinOffset, stepOf (k, 3));
    }

    settle();

    const auto linkOnly = stateOfOneValue (ParamData::channel, 0.0f);
    std::thread ([&] { plugin->setStateInformation (linkOnly.getData(), (int) linkOnly.getSize()); }).join();
    settle();

    EXPECT_EQ (disagreementOn (ParamData::channel, 0.0f), "");

    for (int k = 1; k <= ParamData::channelTwinOffset; ++k)
    {
        SCOPED_TRACE (ParamData::paramName[k]);
        const auto kept = stepOf (k, row.keptFirst == 1 ? 2 : 3);
        EXPECT_EQ (disagreementOn (k, kept), "");
        EXPECT_EQ (disagreementOn (k + ParamData::channelTwinOffset, kept), "");
    }
}

INSTANTIATE_TEST_SUITE_P (Selections, LinkRestoreTest,
                          testing::Values (LinkRestore { "channel1Selected", 0, 1 },
                                           LinkRestore { "channel2Selected", 1, 2 }),
                          [] (const auto& info) { return std::string (info.param.name); });
} // namespace
