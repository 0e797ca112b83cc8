#include "BridgeFixture.h"
#include "SessionAgreement.h"

using namespace bridgetest;

namespace
{
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

/** The bridge on a unit whose cable carries messages at real speed on a clock that only the test moves. */
class CrossingTest : public BridgeFixture, public testing::WithParamInterface<Control>
{
protected:
    CrossingTest()
        : BridgeFixture (vqsim::VirtualMidiSetup::ClockMode::manual)
    {
        cable.unit = &unit;

        for (int i = 0; i < params().getNumParams(); ++i)
            params().getDawParameter (i)->addListener (&gestures);
    }

    ~CrossingTest() override
    {
        for (int i = 0; i < params().getNumParams(); ++i)
            params().getDawParameter (i)->removeListener (&gestures);
    }

    void SetUp() override
    {
        attachAndSettle();
        unit.setByteRate (vqsim::SimulatedUnit::midiBytesPerSecond);
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

    instancetest::GestureWatch gestures;
    instancetest::ManualCable cable { setup, gestures };
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
        cable.settle();
        ASSERT_EQ (disagreements(), "");

        cable.interleave (
            offsetMs * 1000, [&] { hostWrites (control.hostValue); }, -1, [&] { control.turnOnUnit (unit); });

        EXPECT_EQ (disagreements(), "");

        if (control.unitTurnsAnotherControl)
            EXPECT_EQ (params().getParamValue (control.index), control.hostValue) << "the host's write survives";
    }
}

TEST_P (CrossingTest, AGestureOnTheUnitWithNothingCrossingItSendsNothingBack)
{
    // A change sent well before the gesture has reached the unit: it cannot cross the unit's value.
    hostWrites (GetParam().hostValue);
    cable.settle();
    unit.clearTraffic();

    for (int i = 0; i < 3; ++i)
    {
        GetParam().turnOnUnit (unit);
        cable.advance (std::chrono::milliseconds (4));
    }

    cable.settle();

    EXPECT_EQ (unit.getTraffic (Direction::toUnit).size(), 0u);
    EXPECT_EQ (unit.getTraffic (Direction::fromUnit).size(), 3u);
    EXPECT_EQ (disagreements(), "");
}

INSTANTIATE_TEST_SUITE_P (Controls, CrossingTest, testing::ValuesIn (controls),
                          [] (const auto& info) { return std::string (info.param.name); });
} // namespace
