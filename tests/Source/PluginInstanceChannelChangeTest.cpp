#include "SessionAgreement.h"

#include <thread>

namespace
{
using instancetest::Protocol;
using namespace ParamData;

constexpr int dual1 = Protocol::channel1Selected;
constexpr int dual2 = Protocol::channel2Selected;
constexpr int linked = Protocol::channelsLinked;

float gainStep (int step)
{
    return ParamTools::stepToValue (ParamTools::Kind::gain, step);
}

/** The EQ1 GAIN of both channels before each case, apart so that a value on the wrong channel shows. */
const float startGain1 = gainStep (30), startGain2 = gainStep (90);

/** An instance driven by a host through the AudioProcessor API, on a unit whose cable carries bytes at
    real speed on a clock that only the test moves: what each side does, and when, is the same in every run.
*/
class ChannelChangeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        cable.unit = &unit;
        unit.plugIn();
        plugin.reset (static_cast<PlemvoPluginInstance*> (createPluginFilter()));
        plugin->connectWithDevice (serial);

        // The connection's set-up ends with the full resend, whose last message is the switch byte.
        ASSERT_TRUE (vqtest::runMessageLoopUntil (
            [this]
            {
                setup.flush();
                const auto ids = idsSentToUnit();
                return std::find (ids.begin(), ids.end(), (int) Protocol::switches) != ids.end();
            },
            10000));

        unit.setByteRate (vqsim::SimulatedUnit::midiBytesPerSecond);

        for (auto* parameter : plugin->getParameters())
            parameter->addListener (&gestures);
    }

    void TearDown() override
    {
        for (auto* parameter : plugin->getParameters())
            parameter->removeListener (&gestures);

        plugin.reset();
        vqtest::drainMessageLoop();
    }

    PlemvoParamsManager& params() { return plugin->getPlemvoParams(); }
    juce::AudioProcessorParameter& hostParameter (int index) { return *plugin->getParameters()[index]; }

    /** A host's call, on a thread of its own. */
    static void onHostThread (std::function<void()> f) { std::thread (std::move (f)).join(); }

    /** The state as the host saves it, read back. */
    juce::ValueTree savedTree()
    {
        juce::MemoryBlock block;
        plugin->getStateInformation (block);
        return juce::ValueTree::readFromData (block.getData(), block.getSize());
    }

    /** The instance's own state in a channel mode, with some values replaced. */
    juce::MemoryBlock stateWith (int mode, const std::map<int, float>& values)
    {
        auto tree = savedTree();
        auto preset = tree.getChild (0);
        preset.getChild (channel).setProperty ("VALUE", mode == linked ? 0.0 : 1.0, nullptr);
        tree.getChild (1).getChild (selectedChannel).setProperty ("VALUE", mode == dual2 ? 1 : 0, nullptr);

        for (auto& [index, value] : values)
            preset.getChild (index).setProperty ("VALUE", (double) value, nullptr);

        juce::MemoryOutputStream out;
        tree.writeToStream (out);
        return out.getMemoryBlock();
    }

    void hostRestores (const juce::MemoryBlock& state)
    {
        onHostThread ([&] { plugin->setStateInformation (state.getData(), (int) state.getSize()); });
    }

    void hostWrites (int index, float value)
    {
        onHostThread ([&] { hostParameter (index).setValue (value); });
    }

    std::vector<int> idsSentToUnit() { return cable.idsOf (unit.getTraffic (vqsim::SimulatedUnit::Direction::toUnit)); }

    /** Host and unit in a channel mode, with the EQ1 GAIN of both channels apart, all agreeing. */
    void startIn (int mode)
    {
        const auto state = stateWith (mode, { { eq1Gain1, startGain1 }, { eq1Gain2, startGain2 } });
        plugin->setStateInformation (state.getData(), (int) state.getSize());
        cable.settle();
        ASSERT_EQ (unit.getChannelMode(), mode);
        ASSERT_EQ (disagreements ({ { eq1Gain1, startGain1 }, { eq1Gain2, startGain2 } }, mode), "");
        unit.clearTraffic();
    }

    int modeOfParams()
    {
        if (ParamTools::isLinked (params().getParamValue (channel)))
            return linked;

        return (int) params().getNonAutomatableParamValue (selectedChannel) == 1 ? dual2 : dual1;
    }

    /** What disagrees among the host parameters, the manager, the saved state and the unit, about the
        channel mode and the given values, or with those values as the ones received last. Empty when all
        hold them. While linked the unit plays channel 1 on both sides: channel 2 is not compared there.
    */
    juce::String disagreements (const std::map<int, float>& survivors, int mode)
    {
        juce::StringArray faults;
        const auto tree = savedTree();

        if (modeOfParams() != mode || unit.getChannelMode() != mode)
            faults.add ("mode: parameters " + juce::String (modeOfParams()) + ", unit " +
                        juce::String (unit.getChannelMode()) + " for " + juce::String (mode));

        if ((int) tree.getChild (1).getChild (selectedChannel)["VALUE"] != (mode == dual2 ? 1 : 0))
            faults.add ("state: selected channel " + tree.getChild (1).getChild (selectedChannel)["VALUE"].toString());

        auto survivorsWithMode = survivors;
        survivorsWithMode[channel] = mode == linked ? 0.0f : 1.0f;

        for (auto& [index, survivor] : survivorsWithMode)
        {
            const bool channel2 = index > channelTwinOffset;

            if (channel2 && mode == linked)
                continue;

            const std::pair<const char*, float> views[] = { { "host", hostParameter (index).getValue() },
                                                            { "manager", params().getParamValue (index) },
                                                            { "state", (float) (double) tree.getChild (0).getChild (
                                                                           index)["VALUE"] } };

            for (auto& [name, value] : views)
                if (value != survivor)
                    faults.add (juce::String (paramName[index]) + ": " + name + " " + juce::String (value));

            if (index == channel)
                continue;

            const auto toCode = PlemvoMidiBridge::getLambdaMidiFloatToInt (index);
            const auto first = channel2 ? index - channelTwinOffset : index;
            int unitCode = unit.getCode (channel2 ? 2 : 1, Protocol::switches) & toCode (1.0f);

            for (const auto id : Protocol::channelControlIds)
                if (PlemvoMidiBridge::getChannel1Index (id) == first)
                    unitCode = unit.getCode (channel2 ? 2 : 1, id);

            if (unitCode != toCode (survivor))
                faults.add (juce::String (paramName[index]) + ": unit " + juce::String (unitCode) + " for " +
                            juce::String (toCode (survivor)));
        }

        return faults.joinIntoString (", ");
    }

    static constexpr int serial = 5;
    vqsim::VirtualMidiSetup setup { vqsim::VirtualMidiSetup::ClockMode::manual };
    vqsim::SimulatedUnit unit { setup, serial };
    std::unique_ptr<PlemvoPluginInstance> plugin;
    instancetest::GestureWatch gestures;
    instancetest::ManualCable cable { setup, gestures };
};

//==============================================================================
/** A channel mode before and after. */
struct ModeChange
{
    const char* name;
    int before;
    int after;
};

const ModeChange unitChanges[] = { { "Dual1ToDual2", dual1, dual2 },
                                   { "Dual2ToDual1", dual2, dual1 },
                                   { "LinkToDual2", linked, dual2 } };

void PrintTo (const ModeChange& change, std::ostream* os)
{
    *os << change.name;
}

/** A change, and when the unit acts after the host (before it, when negative). */
template <typename Change> struct Row
{
    Change change;
    int unitAfterHostMs;

    std::string name() const
    {
        return std::string (change.name) + "_unit" + (unitAfterHostMs < 0 ? "Before" : "After") +
               std::to_string (std::abs (unitAfterHostMs)) + "ms";
    }

    friend void PrintTo (const Row& row, std::ostream* os) { *os << row.name(); }
};

/** Every change at every offset from first to last milliseconds. */
template <typename Change, size_t numChanges>
std::vector<Row<Change>> rowsOf (const Change (&changes)[numChanges], int first, int last)
{
    std::vector<Row<Change>> rows;

    for (auto& change : changes)
        for (int offset = first; offset <= last; ++offset)
            rows.push_back ({ change, offset });

    return rows;
}

template <typename Change> std::string nameOf (const testing::TestParamInfo<Row<Change>>& info)
{
    return info.param.name();
}

class UnitChannelChange : public ChannelChangeTest, public testing::WithParamInterface<Row<ModeChange>>
{
};

TEST_P (UnitChannelChange, AValueTheHostWritesWhileTheUnitChangesItsChannelLandsOnItsOwnChannel)
{
    const auto& row = GetParam();
    startIn (row.change.before);
    const auto written = gainStep (10);

    cable.interleave (
        row.unitAfterHostMs * 1000, [&] { hostWrites (eq1Gain1, written); }, Protocol::eq1Gain,
        [&] { unit.changeChannelMode (row.change.after); });

    EXPECT_EQ (disagreements ({ { eq1Gain1, written }, { eq1Gain2, startGain2 } }, row.change.after), "");
}

INSTANTIATE_TEST_SUITE_P (Offsets, UnitChannelChange, testing::ValuesIn (rowsOf (unitChanges, -3, 3)),
                          nameOf<ModeChange>);

//==============================================================================
class RestoreAcrossUnitChange : public ChannelChangeTest, public testing::WithParamInterface<ModeChange>
{
};

TEST_P (RestoreAcrossUnitChange, AStateRestoredOnAHostThreadWhileTheUnitChangesItsChannelLandsOnItsOwnChannels)
{
    const auto& change = GetParam();
    startIn (change.before);

    // Every control of both channels moves: some twenty messages, 64 ms on the cable.
    std::map<int, float> restored;

    for (int k = 0; k < channelTwinOffset; ++k)
    {
        const auto kind = ParamTools::getKind (engage1 + k);
        const auto value = [&] (int index, int step)
        {
            return kind == ParamTools::Kind::onOff ? 1.0f - params().getParamValue (index)
                                                   : ParamTools::stepToValue (kind, step);
        };
        restored[engage1 + k] = value (engage1 + k, 1);
        restored[engage2 + k] = value (engage2 + k, 3);
    }

    // The state keeps the mode the instance is in: only the unit changes it.
    const auto state = stateWith (change.before, restored);
    cable.interleave (
        20000, [&] { hostRestores (state); }, -1, [&] { unit.changeChannelMode (change.after); });

    EXPECT_EQ (disagreements (restored, change.after), "");
}

INSTANTIATE_TEST_SUITE_P (Changes, RestoreAcrossUnitChange,
                          testing::Values (ModeChange { "Dual1ToDual2", dual1, dual2 },
                                           ModeChange { "LinkToDual2", linked, dual2 }),
                          [] (const auto& info) { return std::string (info.param.name); });

TEST_F (ChannelChangeTest, AChannelChangeOnTheUnitCountsFromWhenItArrivedHoweverLateTheMessageThreadTakesIt)
{
    startIn (dual1);
    const auto written = gainStep (10);

    cable.interleave (
        1000, [&] { hostWrites (eq1Gain1, written); }, Protocol::eq1Gain,
        [&]
        {
            unit.changeChannelMode (dual2);

            // The message thread is busy while the unit's mode arrives, and long after.
            setup.advanceTime (std::chrono::milliseconds (400));
        });

    EXPECT_EQ (disagreements ({ { eq1Gain1, written }, { eq1Gain2, startGain2 } }, dual2), "");
}

//==============================================================================
TEST_F (ChannelChangeTest, AChannelChangeOnTheUnitWithNothingRecentlySentSendsNothingBack)
{
    for (auto [before, after] : { std::pair { dual1, dual2 }, { dual2, dual1 } })
    {
        SCOPED_TRACE (std::to_string (before) + " to " + std::to_string (after));
        startIn (before);

        unit.changeChannelMode (after);
        cable.settle();

        EXPECT_EQ (idsSentToUnit(), std::vector<int>());
        EXPECT_EQ (disagreements ({ { eq1Gain1, startGain1 }, { eq1Gain2, startGain2 } }, after), "");
    }
}

//==============================================================================
/** A change of the channel mode by the host, and where a knob turned on the unit meanwhile lands: on
    the channel the unit had selected when the engineer turned it. */
struct HostChange
{
    const char* name;
    int before;
    int after;
    int channelTurned;
};

const HostChange hostChanges[] = { { "LinkToDual1ByAutomation", linked, dual1, 1 },
                                   { "Dual1ToLinkByAutomation", dual1, linked, 1 },
                                   { "Dual1ToDual2ByRestore", dual1, dual2, 1 },
                                   { "Dual2ToDual1ByRestore", dual2, dual1, 2 } };

class KnobDuringHostChange : public ChannelChangeTest, public testing::WithParamInterface<Row<HostChange>>
{
};

TEST_P (KnobDuringHostChange, AKnobTurnedOnTheUnitWhileTheHostChangesTheModeIsKeptAndReachesBoth)
{
    const auto& row = GetParam();
    startIn (row.change.before);
    const auto turned = 100;
    const auto turnedValue = ParamTools::codeToValue (ParamTools::Kind::gain, turned);
    const bool byAutomation = (row.change.before == linked) != (row.change.after == linked);
    const auto state = stateWith (row.change.after, {});

    cable.interleave (
        row.unitAfterHostMs * 1000,
        [&]
        {
            if (byAutomation)
                hostWrites (channel, row.change.after == linked ? 0.0f : 1.0f);
            else
                hostRestores (state);
        },
        Protocol::channelMode, [&] { unit.turnControl (Protocol::eq1Gain, turned); });

    auto survivors = std::map<int, float> { { eq1Gain1, startGain1 }, { eq1Gain2, startGain2 } };
    survivors[row.change.channelTurned == 1 ? eq1Gain1 : eq1Gain2] = turnedValue;
    EXPECT_EQ (disagreements (survivors, row.change.after), "");
}

INSTANTIATE_TEST_SUITE_P (Offsets, KnobDuringHostChange, testing::ValuesIn (rowsOf (hostChanges, -1, 3)),
                          nameOf<HostChange>);
} // namespace
