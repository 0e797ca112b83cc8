#include "ChangeOrderFixture.h"

using namespace instancetest;

namespace
{
using Clock = vqsim::VirtualMidiSetup::Clock;

const auto gain = ParamData::eq1Gain1;
const auto gainStep = [] (int step) { return ParamTools::stepToValue (ParamTools::Kind::gain, step); };

/** The engage switches of channel 1 and the bits the unit's switch byte gives them, in the same order. */
const int switches[] = { ParamData::engage1, ParamData::eq1Engage1, ParamData::eq2Engage1 };
const int switchBits[] = { Protocol::engageBit, Protocol::eq1EngageBit, Protocol::eq2EngageBit };

class CrossingTimeTest;
using Case = std::pair<std::string, std::function<void (CrossingTimeTest&)>>;

void PrintTo (const Case& c, std::ostream* os)
{
    *os << c.first;
}

/** An instance on a unit on a real-speed cable, on the cable's clock. */
class CrossingTimeTest : public ChangeOrderTest, public testing::WithParamInterface<Case>
{
public:
    /** The host writes from a thread of its own after a delay, while the test goes on. */
    void hostWritesAfter (int ms, int index, float value)
    {
        setup.runAfter (Clock (ms * 1000), [this, index, value] { hostParameter (index).setValue (value); });
    }
};

void selectChannel (ChangeOrderTest& t, int channel)
{
    t.hostRestores (t.stateWith ({ { ParamData::channel, 1.0f } }, { { ParamData::selectedChannel, channel - 1 } }));
    t.settle();
}

void expectAgreement (ChangeOrderTest& t, const std::map<int, float>& survivors)
{
    for (auto& [index, value] : survivors)
        EXPECT_EQ (t.disagreementOn (index, value), "") << ParamData::paramName[index];
}

int messagesToUnit (ChangeOrderTest& t)
{
    int count = 0;

    for (auto& bytes : t.unitOnCable->getTraffic (Direction::toUnit))
        count += bytes.size() == Protocol::parameterMessageLength ? 1 : 0;

    return count;
}

/** A host write crosses a turn of the unit on the cable, and the message thread is then busy. */
std::function<void (CrossingTimeTest&)> crossingThenBusy (int busyMs)
{
    return [busyMs] (CrossingTimeTest& t)
    {
        t.cable.interleave (
            0, [&] { t.hostWrites (gain, gainStep (100)); }, Protocol::eq1Gain,
            [&]
            {
                t.unitOnCable->turnControl (Protocol::eq1Gain, 20);
                t.busyFor (busyMs);
            });

        expectAgreement (t, { { gain, gainStep (20) } });
    };
}

/** The engineer presses switch k of a channel while the host writes the next switch of its byte, the host
    from `offsetMs` before to `offsetMs` after the unit. */
std::function<void (CrossingTimeTest&)> switchAgainstHostWrite (int channel, int k)
{
    return [channel, k] (CrossingTimeTest& t)
    {
        selectChannel (t, channel);
        const auto twin = channel == 2 ? ParamData::channelTwinOffset : 0;
        const auto pressed = switches[k] + twin;
        const auto written = switches[(k + 1) % 3] + twin;
        const auto untouched = switches[(k + 2) % 3] + twin;

        for (int offsetMs = -4; offsetMs <= 4; ++offsetMs)
        {
            SCOPED_TRACE ("the unit " + std::to_string (offsetMs) + " ms after the host");
            const std::map<int, float> survivors { { written, 1.0f - t.params().getParamValue (written) },
                                                   { pressed, 1.0f - t.params().getParamValue (pressed) },
                                                   { untouched, t.params().getParamValue (untouched) } };
            const auto hostValue = survivors.at (written);

            t.cable.interleave (
                offsetMs * 1000, [&] { t.hostWrites (written, hostValue); }, Protocol::switches,
                [&] { t.unitOnCable->pressSwitch (switchBits[k]); });
            expectAgreement (t, survivors);
        }
    };
}

/** After a crossing, the engineer turns the knob a step at a time, each step a lone value. */
void loneValuesAfterACrossing (CrossingTimeTest& t)
{
    t.unitOnCable->clearTraffic();
    t.cable.interleave (
        0, [&] { t.hostWrites (gain, gainStep (100)); }, Protocol::eq1Gain,
        [&] { t.unitOnCable->turnControl (Protocol::eq1Gain, 20); });

    // Each step once the one before has ended: a lone value.
    for (int step = 1; step <= 3; ++step)
    {
        t.unitOnCable->turnControl (Protocol::eq1Gain, 20 + step);
        t.settle();
    }

    ASSERT_EQ (t.unitOnCable->getTraffic (Direction::fromUnit).size(), 4u);
    EXPECT_EQ (messagesToUnit (t), 2) << "the host's write and the crossing's one resend";
    expectAgreement (t, { { gain, gainStep (23) } });
}

/** The host automates the knob that the engineer turns, both a value each 10 ms: what goes to the unit,
    the host's automation and the crossings' resends, stays within what the cable carries. */
void automationAgainstATurningKnob (CrossingTimeTest& t)
{
    t.unitOnCable->clearTraffic();

    for (int i = 0; i < 50; ++i)
    {
        t.hostWritesAfter (i * 10, gain, gainStep (60 + i));
        t.unitOnCable->performAfter (Clock (i * 10'000 + 5'000),
                                     [i] (auto& unit) { unit.turnControl (Protocol::eq1Gain, 10 + i); });
    }

    // A millisecond at a time, so that the unit's gesture stays open between its values.
    t.cable.advance (std::chrono::milliseconds (500), std::chrono::milliseconds (1));
    t.settle();
    ASSERT_EQ (t.unitOnCable->getTraffic (Direction::fromUnit).size(), 50u);

    std::vector<double> times;

    for (auto& message : t.unitOnCable->getTraffic())
        if (message.direction == Direction::toUnit && message.bytes.size() == Protocol::parameterMessageLength)
            times.push_back (std::chrono::duration<double> (message.time).count());

    ASSERT_GE (times.size(), 2u);
    const auto perSecond = (double) (times.size() - 1) / (times.back() - times.front());
    std::cout << "sent to the unit: " << times.size() << " messages, " << perSecond << " a second\n";
    testing::Test::RecordProperty ("messagesPerSecond", (int) perSecond);

    EXPECT_LT (perSecond, Protocol::wireBytesPerSecond / (double) Protocol::parameterMessageLength);
    expectAgreement (t, { { gain, gainStep (59) } });
}

TEST_P (CrossingTimeTest, TheUnitHostManagerAndStateAgreeOnTheLastChangeReceivedWhateverTheMessageThreadsDelay)
{
    GetParam().second (*this);
}

INSTANTIATE_TEST_SUITE_P (
    Cases, CrossingTimeTest,
    testing::Values (
        std::make_pair (std::string ("BusyFor0Ms"), crossingThenBusy (0)),
        std::make_pair (std::string ("BusyFor120Ms"), crossingThenBusy (120)),
        std::make_pair (std::string ("BusyFor400Ms"), crossingThenBusy (400)),
        std::make_pair (std::string ("EngageAgainstEq1EngageOnChannel1"), switchAgainstHostWrite (1, 0)),
        std::make_pair (std::string ("Eq1EngageAgainstEq2EngageOnChannel1"), switchAgainstHostWrite (1, 1)),
        std::make_pair (std::string ("Eq2EngageAgainstEngageOnChannel1"), switchAgainstHostWrite (1, 2)),
        std::make_pair (std::string ("EngageAgainstEq1EngageOnChannel2"), switchAgainstHostWrite (2, 0)),
        std::make_pair (std::string ("Eq1EngageAgainstEq2EngageOnChannel2"), switchAgainstHostWrite (2, 1)),
        std::make_pair (std::string ("Eq2EngageAgainstEngageOnChannel2"), switchAgainstHostWrite (2, 2)),
        std::make_pair (std::string ("LoneValuesAfterACrossingSendNothingBack"),
                        std::function<void (CrossingTimeTest&)> (loneValuesAfterACrossing)),
        std::make_pair (std::string ("AutomationAgainstATurningKnobStaysWithinTheCable"),
                        std::function<void (CrossingTimeTest&)> (automationAgainstATurningKnob))),
    [] (const auto& info) { return info.param.first; });
} // namespace
