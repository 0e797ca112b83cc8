#include "BridgeFixture.h"

using namespace bridgetest;

namespace
{
using Clock = vqsim::VirtualMidiSetup::Clock;
using Kind = ParamTools::Kind;

/** One control of the unit, with two values that its front panel and the host each set. */
struct Control
{
    const char* name;
    int index;
    std::function<void (vqsim::SimulatedUnit&)> turnOnUnit;
    float hostValue;
    bool unitTurnsAnotherControl = false; // so the host's value survives whichever came later
};

void PrintTo (const Control& control, std::ostream* os)
{
    *os << control.name;
}

const Control controls[] = {
    { "knob", ParamData::eq1Gain1, [] (auto& unit) { unit.turnControl (Protocol::eq1Gain, 20); },
      ParamTools::stepToValue (Kind::gain, 100) },
    // The byte carries all three switches: the host engages the channel while the unit's EQ1 is pressed.
    { "switchByte", ParamData::engage1, [] (auto& unit) { unit.pressSwitch (Protocol::eq1EngageBit); }, 0.0f, true },
    { "filter", ParamData::lpf1,
      [] (auto& unit) { unit.turnControl (Protocol::lowPass, ParamTools::valueToCode (Kind::lowPass, 0.25f)); }, 1.0f },
};

class CrossingTest : public BridgeFixture, public testing::WithParamInterface<Control>
{
protected:
    void SetUp() override
    {
        attachAndSettle();
        unit.setByteRate (vqsim::SimulatedUnit::midiBytesPerSecond);
    }

    /** Until the unit's gesture has closed and what it sends back has arrived. */
    void settleGestures()
    {
        settle();
        ASSERT_TRUE (vqtest::runMessageLoopUntil (
            [this]
            {
                setup.flushScheduled();
                for (auto& [index, count] : host.begins)
                    if (host.openGestures (index) != 0)
                        return false;
                return true;
            },
            5000));
        setup.flushScheduled();
        settle();
    }

    /** The unit's code of every parameter of channel 1 against the plug-in's, as a text; empty when equal. */
    juce::String disagreements()
    {
        juce::StringArray faults;

        for (int index = ParamData::engage1; index <= ParamData::hpf1; ++index)
        {
            const auto toCode = PlemvoMidiBridge::getLambdaMidiFloatToInt (index);
            const auto value = params().getParamValue (index);
            int unitCode = unit.getCode (1, Protocol::switches) & toCode (1.0f);

            for (const auto id : Protocol::channelControlIds)
                if (PlemvoMidiBridge::getChannel1Index (id) == index)
                    unitCode = unit.getCode (1, id);

            if (unitCode != toCode (value) || params().getDawParameter (index)->getValue() != value)
                faults.add (juce::String (ParamData::paramName[index]) + ": unit " + juce::String (unitCode) +
                            ", plug-in " + juce::String (toCode (value)));
        }

        return faults.joinIntoString ("; ");
    }

    void hostWrites (float value)
    {
        std::thread ([&] { params().getDawParameter (GetParam().index)->setValue (value); }).join();
    }
};

TEST_P (CrossingTest, AValueFromTheUnitCrossingOneSentToItEndsWithBothHoldingTheSameAtAnyOffset)
{
    const auto& control = GetParam();

    for (int offsetMs = -10; offsetMs <= 10; ++offsetMs)
    {
        SCOPED_TRACE ("unit " + std::to_string (offsetMs) + " ms after the host");

        // Each round starts from the other state of the control, so that both changes change something.
        const auto start = params().getParamValue (control.index);
        hostWrites (start == control.hostValue ? ParamTools::stepToValue (ParamTools::getKind (control.index), 2)
                                               : start);
        settleGestures();
        ASSERT_EQ (disagreements(), "");

        if (offsetMs >= 0)
        {
            unit.performAfter (Clock (offsetMs * 1000), control.turnOnUnit);
            hostWrites (control.hostValue);
        }
        else
        {
            setup.runAfter (Clock (-offsetMs * 1000), [this, &control]
                            { params().getDawParameter (control.index)->setValue (control.hostValue); });
            control.turnOnUnit (unit);
        }

        // Both sides act in real time while the cable carries their messages.
        vqtest::runMessageLoopFor (50);
        settleGestures();

        EXPECT_EQ (disagreements(), "");

        if (control.unitTurnsAnotherControl)
            EXPECT_EQ (params().getParamValue (control.index), control.hostValue) << "the host's write survives";
    }
}

TEST_P (CrossingTest, AGestureOnTheUnitWithNothingCrossingItSendsNothingBack)
{
    // A change sent well before the gesture has reached the unit: it cannot cross the unit's value.
    hostWrites (GetParam().hostValue);
    settleGestures();
    vqtest::runMessageLoopFor (300);
    unit.clearTraffic();

    for (int i = 0; i < 3; ++i)
    {
        GetParam().turnOnUnit (unit);
        setup.flushScheduled();
        vqtest::drainMessageLoop();
    }

    settleGestures();

    EXPECT_EQ (unit.getTraffic (Direction::toUnit).size(), 0u);
    EXPECT_EQ (unit.getTraffic (Direction::fromUnit).size(), 3u);
    EXPECT_EQ (disagreements(), "");
}

INSTANTIATE_TEST_SUITE_P (Controls, CrossingTest, testing::ValuesIn (controls),
                          [] (const auto& info) { return std::string (info.param.name); });
} // namespace
