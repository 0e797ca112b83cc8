#include "CaseNames.h"
#include "MessageLoop.h"
#include "ParamsTestRig.h"
#include "RepositoryFile.h"

#include "MidiChannelParam.h"
#include "MidiLRParam.h"
#include "ParamTools.h"
#include "PluginInstance.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
using Protocol = juce::VqSysexProtocol;

/** Records the changes it is told and whether each came on the message thread. */
struct ThreadLog : juce::VqParamsManager::AutomatableParamListener
{
    juce::StringArray events;
    std::atomic<int> callsOffMessageThread { 0 };

    using AutomatableParamListener::paramGestureChanged;
    using AutomatableParamListener::paramValueChanged;

    void paramValueChanged (int index, float value) override
    {
        note();
        events.add ("value " + juce::String (index) + " " + juce::String (value));
    }

    void paramGestureChanged (int index, bool starting) override
    {
        note();
        events.add ((starting ? "begin " : "end ") + juce::String (index));
    }

    void note()
    {
        if (! juce::MessageManager::existsAndIsCurrentThread())
            ++callsOffMessageThread;
    }
};

/** A file of this folder's test data. */
juce::File findTestData (const juce::String& name)
{
    return vqtest::findRepositoryFile ("tests/Source/data/" + name);
}

// The values that the golden state file holds: parameter i is ((7 i + 16) mod 23 + 10) / 32, so
// "CHANNEL" is "DUAL MONO" and the channels differ.
float goldenValue (int index)
{
    return (float) ((index * 7 + 16) % 23 + 10) / 32.0f;
}

class SessionStateTest : public testing::Test
{
protected:
    SessionStateTest()
    {
        for (int i = 0; i < ParamData::numParams; ++i)
            manager.addParamListener (&log, i, juce::VqParamsManager::registerOnly);
    }

    ~SessionStateTest() override
    {
        for (int i = 0; i < ParamData::numParams; ++i)
            manager.removeParamListener (&log, i);
    }

    std::unique_ptr<PlemvoPluginInstance> instance = std::make_unique<PlemvoPluginInstance>();
    PlemvoParamsManager& manager = instance->getPlemvoParams();
    ThreadLog log;

    static juce::MemoryBlock stateOf (const PlemvoParamsManager& m)
    {
        juce::MemoryBlock block;
        m.getStateInformation (block);
        return block;
    }

    static void restore (PlemvoParamsManager& m, const juce::MemoryBlock& block)
    {
        m.setStateInformation (block.getData(), (int) block.getSize());
    }

    // Every parameter distinct, set while "DUAL MONO" so that nothing is copied, then the mode asked for.
    static void setDistinctValues (PlemvoParamsManager& m, float offset, float channel)
    {
        m.setParamValue (nullptr, ParamData::channel, 1.0f);

        for (int i = 1; i < ParamData::numParams; ++i)
            m.setParamValue (nullptr, i, offset + (float) i / 64.0f);

        m.setParamValue (nullptr, ParamData::channel, channel);
    }

    /** Distinct values in "DUAL MONO", and every setting that a state restores changed from its default. */
    static juce::MemoryBlock setEverythingRestoredAndWrite (PlemvoParamsManager& m)
    {
        setDistinctValues (m, 0.1f, 1.0f);
        m.setNonAutomatableParamValue (nullptr, ParamData::connectedDevSn, 9);
        m.setNonAutomatableParamValue (nullptr, ParamData::shouldBeConnected, false);
        m.setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, 1);
        m.setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, true);
        return stateOf (m);
    }

    void setSetting (int index, juce::var value) { manager.setNonAutomatableParamValue (nullptr, index, value); }

    juce::var setting (int index) const { return manager.getNonAutomatableParamValue (index); }
};

//==============================================================================
TEST_F (SessionStateTest, AStateWrittenAndReadBackRestoresEveryValueAndWritesTheSameBytes)
{
    PlemvoPluginInstance source;
    auto& sourceManager = source.getPlemvoParams();
    const auto written = setEverythingRestoredAndWrite (sourceManager);

    restore (manager, written);

    for (int i = 0; i < ParamData::numParams; ++i)
        EXPECT_EQ (manager.getParamValue (i), sourceManager.getParamValue (i)) << i;

    EXPECT_EQ (stateOf (manager), written) << "read right after the restore, before the settings are applied";

    vqtest::drainMessageLoop();
    EXPECT_EQ (setting (ParamData::connectedDevSn), juce::var (9));
    EXPECT_EQ (setting (ParamData::shouldBeConnected), juce::var (false));
    EXPECT_EQ (setting (ParamData::selectedChannel), juce::var (1));
    EXPECT_EQ (setting (ParamData::doubleWindow), juce::var (true));
    EXPECT_EQ (stateOf (manager), written);
}

TEST_F (SessionStateTest, AStateHoldsEveryValueExactlyEvenAHairFromTheOneWrittenBefore)
{
    // A value tree takes doubles within its tolerance, and false for 0, as unchanged.
    manager.setParamValue (nullptr, ParamData::eq1Gain1, 0.0f);
    manager.setParamValue (nullptr, ParamData::eq1Freq1, 0.0f);
    setSetting (ParamData::connectedDevSn, false);
    stateOf (manager);

    manager.setParamValue (nullptr, ParamData::eq1Gain1, 1.0e-20f);
    manager.setParamValue (nullptr, ParamData::eq1Freq1, -0.0f);
    setSetting (ParamData::connectedDevSn, 0);
    const auto block = stateOf (manager);
    const auto tree = juce::ValueTree::readFromData (block.getData(), block.getSize());

    EXPECT_EQ ((double) tree.getChild (0).getChild (ParamData::eq1Gain1)["VALUE"], (double) 1.0e-20f);
    EXPECT_TRUE (std::signbit ((double) tree.getChild (0).getChild (ParamData::eq1Freq1)["VALUE"]));
    EXPECT_TRUE (tree.getChild (1).getChild (ParamData::connectedDevSn)["VALUE"].isInt());
}

TEST_F (SessionStateTest, TheSessionsOwnSettingsAreNeverRestored)
{
    PlemvoPluginInstance source;
    const auto written = stateOf (source.getPlemvoParams());
    const int kept[] = { ParamData::isConnected,        ParamData::clipperDiodeStateL, ParamData::clipperDiodeStateR,
                         ParamData::mouseOverFreq1Knob, ParamData::mouseOverGain1Knob, ParamData::mouseOverFreq2Knob,
                         ParamData::mouseOverGain2Knob };

    for (auto index : kept)
        setSetting (index, true);

    restore (manager, written);
    vqtest::drainMessageLoop();

    for (auto index : kept)
        EXPECT_EQ (setting (index), juce::var (true)) << ParamData::naParamName[index];
}

TEST_F (SessionStateTest, TheHostGetsExactlyTheBytesOfAPresetFile)
{
    setDistinctValues (manager, 0.2f, 0.0f);

    juce::MemoryBlock hostBlock ("previous content that is longer than nothing", 45);
    instance->getStateInformation (hostBlock);

    EXPECT_EQ (hostBlock, stateOf (manager));
}

TEST_F (SessionStateTest, EveryRestoredParameterIsItsOwnGestureAndReachesTheHost)
{
    vqtest::HostRecorder host;
    instance->getParameters()[3]->addListener (&host);

    const juce::String xml ("<S><parameters><3 value=\"0.25\"/><21 value=\"0.75\"/></parameters></S>");
    manager.setStateInformation (xml.toRawUTF8(), (int) xml.getNumBytesAsUTF8());

    EXPECT_EQ (log.events,
               juce::StringArray ({ "begin 3", "value 3 0.25", "end 3", "begin 21", "value 21 0.75", "end 21" }));
    EXPECT_EQ (host.gestures, (std::vector<bool> { true, false }));
    EXPECT_EQ (host.values, (std::vector<float> { 0.25f }));

    instance->getParameters()[3]->removeListener (&host);
}

TEST_F (SessionStateTest, RestoringLinkOverDualMonoEndsWithTheRestoredValuesOnBothChannels)
{
    PlemvoPluginInstance source;
    setDistinctValues (source.getPlemvoParams(), 0.3f, 0.0f);
    const auto written = stateOf (source.getPlemvoParams());

    setDistinctValues (manager, 0.0f, 1.0f);
    restore (manager, written);

    for (int i = 0; i < ParamData::numParams; ++i)
        EXPECT_EQ (manager.getParamValue (i), source.getPlemvoParams().getParamValue (i)) << i;
}

TEST_F (SessionStateTest, ALinkedStateWhoseChannelsDifferComesBackAsSavedNotSwapped)
{
    // Host automation of one channel moves only that channel, so a linked state may hold two.
    PlemvoPluginInstance source;
    source.getParameters()[ParamData::hpf1]->setValue (1.0f);
    vqtest::drainMessageLoop();
    const auto written = stateOf (source.getPlemvoParams());

    restore (manager, written);
    vqtest::drainMessageLoop();
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.getParamValue (ParamData::hpf1), 1.0f);
    EXPECT_EQ (manager.getParamValue (ParamData::hpf2), 0.0f);
}

TEST_F (SessionStateTest, DataInNoFormChangesNothingAndTellsNobody)
{
    const auto before = stateOf (manager);
    const char* const inputs[] = { "", "garbage", "<S/>", "<S><other/></S>", "VQ_PLEMVO_3_0_0" };

    for (auto* input : inputs)
        manager.setStateInformation (input, (int) std::strlen (input));

    manager.setStateInformation ("x", -1);
    manager.setStateInformation (nullptr, 100);
    vqtest::drainMessageLoop();

    EXPECT_TRUE (log.events.isEmpty());
    EXPECT_EQ (stateOf (manager), before);
}

//==============================================================================
TEST_F (SessionStateTest, TheGoldenPresetFileRestoresItsValuesAndIsWrittenByteForByte)
{
    juce::MemoryBlock golden;
    ASSERT_TRUE (findTestData ("golden.vqrp").loadFileAsData (golden));

    restore (manager, golden);
    vqtest::drainMessageLoop();

    for (int i = 0; i < ParamData::numParams; ++i)
        EXPECT_EQ (manager.getParamValue (i), goldenValue (i)) << ParamData::paramName[i];

    EXPECT_EQ (setting (ParamData::connectedDevSn), juce::var (42));
    EXPECT_EQ (setting (ParamData::shouldBeConnected), juce::var (false));
    EXPECT_EQ (setting (ParamData::selectedChannel), juce::var (1));
    EXPECT_EQ (setting (ParamData::doubleWindow), juce::var (true));
    EXPECT_EQ (setting (ParamData::isConnected), juce::var (false));
    EXPECT_EQ (setting (ParamData::clipperDiodeStateL), juce::var (false));

    // The file also holds the session's own settings as they were when it was saved.
    setSetting (ParamData::isConnected, true);
    setSetting (ParamData::clipperDiodeStateL, true);
    EXPECT_EQ (stateOf (manager), golden);
}

struct BankCase
{
    const char* rule;
    bool isConnected;
    juce::var expectedSerial;
    juce::var expectedShouldConnect;
};

class SessionStateBank : public SessionStateTest, public testing::WithParamInterface<BankCase>
{
};

TEST_P (SessionStateBank, TheGoldenBankAppliesItsActivePresetAndItsUnitOnlyWhileConnected)
{
    juce::MemoryBlock bank;
    ASSERT_TRUE (findTestData ("golden.vqrb").loadFileAsData (bank));

    setSetting (ParamData::isConnected, GetParam().isConnected);
    setSetting (ParamData::shouldBeConnected, false);
    restore (manager, bank);
    vqtest::drainMessageLoop();

    const std::pair<int, float> expected[] = { { 0, 1.0f },  { 1, 0.0f },    { 3, 0.75f }, { 4, 0.5f },
                                               { 8, 0.25f }, { 14, 0.625f }, { 22, 1.0f } };

    for (auto [index, value] : expected)
        EXPECT_EQ (manager.getParamValue (index), value) << ParamData::paramName[index];

    EXPECT_EQ (setting (ParamData::connectedDevSn), GetParam().expectedSerial) << GetParam().rule;
    EXPECT_EQ (setting (ParamData::shouldBeConnected), GetParam().expectedShouldConnect) << GetParam().rule;
}

INSTANTIATE_TEST_SUITE_P (Table, SessionStateBank,
                          testing::Values (BankCase { "connected", true, 3, true },
                                           BankCase { "disconnected", false, -1, false }),
                          vqtest::NameByRule {});

TEST_F (SessionStateTest, ABankWithoutUnitNumberLeavesTheRememberedUnit)
{
    setSetting (ParamData::isConnected, true);
    setSetting (ParamData::connectedDevSn, 7);

    const juce::String bank (
        "<B active=\"0\"><presets><0><parameters><3 value=\"0.5\"/></parameters></0></presets></B>");
    manager.setStateInformation (bank.toRawUTF8(), (int) bank.getNumBytesAsUTF8());
    vqtest::drainMessageLoop();

    EXPECT_EQ (setting (ParamData::connectedDevSn), juce::var (7));
}

//==============================================================================
TEST_F (SessionStateTest, ARestoreOnAHostThreadIsReadBackAtOnceAndSetOnlyOnTheMessageThread)
{
    PlemvoPluginInstance source;
    setDistinctValues (source.getPlemvoParams(), 0.1f, 1.0f);
    const auto written = stateOf (source.getPlemvoParams());
    juce::MemoryBlock readBack;

    std::thread host (
        [&]
        {
            restore (manager, written);
            manager.getStateInformation (readBack);
        });
    host.join();

    EXPECT_EQ (readBack, written);
    EXPECT_TRUE (log.events.isEmpty()) << "nothing is told before the message thread runs";

    vqtest::drainMessageLoop();

    EXPECT_EQ (log.callsOffMessageThread.load(), 0);
    EXPECT_FALSE (log.events.isEmpty());

    for (int i = 0; i < ParamData::numParams; ++i)
        EXPECT_EQ (manager.getParamValue (i), source.getPlemvoParams().getParamValue (i)) << i;
}

/** Every host parameter's value, as a host's plug-in wrapper reads them right after a restore to hand
    them to the host. */
std::vector<float> readHostParameters (juce::AudioProcessor& processor)
{
    std::vector<float> read;

    for (auto* parameter : processor.getParameters())
        read.push_back (parameter->getValue());

    return read;
}

struct HostRestoreCase
{
    const char* name;
    juce::String xml; // empty: the state written by a second instance
};

class HostRestoreTest : public SessionStateTest, public testing::WithParamInterface<HostRestoreCase>
{
};

TEST_P (HostRestoreTest, ARestoreOnAHostThreadShowsItsValuesToTheHostAtOnceAndItsEchoChangesNothing)
{
    // "DUAL MONO" with channels that differ, so that a restored "LINK" copies channel 1 onto channel 2.
    setDistinctValues (manager, 0.2f, 1.0f);
    PlemvoPluginInstance source;
    setDistinctValues (source.getPlemvoParams(), 0.1f, 0.0f);

    juce::MemoryBlock data = stateOf (source.getPlemvoParams());

    if (GetParam().xml.isNotEmpty())
        data = juce::MemoryBlock (GetParam().xml.toRawUTF8(), GetParam().xml.getNumBytesAsUTF8());

    // The values the manager holds once the restore is applied, found by restoring on the message thread.
    std::vector<float> expected;
    {
        PlemvoPluginInstance reference;
        setDistinctValues (reference.getPlemvoParams(), 0.2f, 1.0f);
        restore (reference.getPlemvoParams(), data);

        for (int i = 0; i < ParamData::numParams; ++i)
            expected.push_back (reference.getPlemvoParams().getParamValue (i));
    }

    std::vector<float> readByHost;
    std::thread host (
        [&]
        {
            instance->setStateInformation (data.getData(), (int) data.getSize());
            readByHost = readHostParameters (*instance);
        });
    host.join();

    EXPECT_EQ (readByHost, expected) << "read on the host thread as soon as the restore returned";

    vqtest::drainMessageLoop();

    // The host hands back later what it was given.
    std::thread echo (
        [&]
        {
            for (int i = 0; i < ParamData::numParams; ++i)
                instance->getParameters()[i]->setValue (readByHost[(size_t) i]);
        });
    echo.join();
    vqtest::drainMessageLoop();

    for (int i = 0; i < ParamData::numParams; ++i)
    {
        EXPECT_EQ (manager.getParamValue (i), expected[(size_t) i]) << i;
        EXPECT_EQ (instance->getParameters()[i]->getValue(), expected[(size_t) i]) << i;
    }

    EXPECT_EQ (log.callsOffMessageThread.load(), 0);
}

INSTANTIATE_TEST_SUITE_P (
    Forms, HostRestoreTest,
    testing::Values (HostRestoreCase { "stateTree", {} },
                     HostRestoreCase { "linkingParameterList",
                                       "<S><parameters><0 value=\"0.0\"/><3 value=\"0.9\"/></parameters></S>" }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST_F (SessionStateTest, RestoresApplyInTheOrderTheyWereMadeWhicheverThreadMadeThem)
{
    manager.setParamValue (nullptr, ParamData::channel, 1.0f);
    log.events.clear();

    const juce::String first ("<S><parameters><3 value=\"0.25\"/></parameters></S>");
    const juce::String second ("<S><parameters><3 value=\"0.75\"/></parameters></S>");

    std::thread host ([&] { manager.setStateInformation (first.toRawUTF8(), (int) first.getNumBytesAsUTF8()); });
    host.join();

    manager.setStateInformation (second.toRawUTF8(), (int) second.getNumBytesAsUTF8());
    EXPECT_EQ (manager.getParamValue (3), 0.75f);

    vqtest::drainMessageLoop();
    EXPECT_EQ (manager.getParamValue (3), 0.75f);
    EXPECT_EQ (log.events,
               juce::StringArray ({ "begin 3", "value 3 0.25", "end 3", "begin 3", "value 3 0.75", "end 3" }));
}

/** The unit's EQ1 GAIN knob and channel switch, taken by their MIDI objects without a device: values
    that come in on a MIDI thread and reach the manager on a later message-thread turn, several of them
    there as the last one. */
struct UnitControls
{
    explicit UnitControls (PlemvoParamsManager& m)
        : gain (
              nullptr, m, ParamData::eq1Gain1, ParamData::eq1Gain2, 0, [] (int code) { return (float) code / 10.0f; },
              [] (float value) { return juce::roundToInt (value * 10.0f); }),
          channel (nullptr, m, ParamData::channel, ParamData::selectedChannel)
    {
        channel.addChannelListener (&gain);
    }

    ~UnitControls() { channel.removeChannelListener (&gain); }

    MidiLRParam gain;
    MidiChannelParam channel;
};

using Step = std::function<void (PlemvoPluginInstance&, UnitControls&)>;

/** A change of EQ1 GAIN 1, DOUBLE WINDOW or SELECTED CHANNEL made right after a host thread restored
    a state, before the message thread ran; and the values that must hold afterwards. */
struct LaterChange
{
    const char* source;
    bool onHostThread;
    Step make;
    float gain;
    bool doubleWindow;
    int selectedChannel;
    Step before = {}; // made before the restore, still on its way to the message thread then
};

void restoreGain (PlemvoParamsManager& m, float gain)
{
    const auto xml = "<S><parameters><" + juce::String (ParamData::eq1Gain1) + " value=\"" + juce::String (gain) +
                     "\"/></parameters></S>";
    m.setStateInformation (xml.toRawUTF8(), (int) xml.getNumBytesAsUTF8());
}

TEST_F (SessionStateTest, EveryChangeMadeAfterARestoreOnAHostThreadWinsOverTheRestoredValue)
{
    // What the host restores: EQ1 GAIN 1 at 0.2, DOUBLE WINDOW on, channel 2 selected.
    PlemvoPluginInstance saved;
    saved.getPlemvoParams().setParamValue (nullptr, ParamData::eq1Gain1, 0.2f);
    saved.getPlemvoParams().setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, true);
    saved.getPlemvoParams().setNonAutomatableParamValue (nullptr, ParamData::selectedChannel, 1);
    const auto restored = stateOf (saved.getPlemvoParams());
    const juce::MemoryBlock secondState = [&]
    {
        PlemvoPluginInstance other;
        other.getPlemvoParams().setParamValue (nullptr, ParamData::eq1Gain1, 0.5f);
        return stateOf (other.getPlemvoParams());
    }();

    auto gainOf = [] (PlemvoPluginInstance& p) { return p.getParameters()[ParamData::eq1Gain1]; };

    const LaterChange changes[] = {
        { "nothing", false, [] (auto&, auto&) {}, 0.2f, true, 1 },
        { "the host's automation", true, [&] (auto& p, auto&) { gainOf (p)->setValue (0.9f); }, 0.9f, true, 1 },
        { "a knob in the window", false,
          [] (auto& p, auto&) { p.getPlemvoParams().setParamValue (nullptr, ParamData::eq1Gain1, 0.7f); }, 0.7f, true,
          1 },
        { "the unit's knob", false, [] (auto&, auto& unit) { unit.gain.paramMidiChanged (6); }, 0.6f, true, 1,
          [] (auto&, auto& unit) { unit.gain.paramMidiChanged (1); } },
        { "the window button", false,
          [] (auto& p, auto&)
          { p.getPlemvoParams().setNonAutomatableParamValue (nullptr, ParamData::doubleWindow, false); },
          0.2f, false, 1 },
        { "the unit's channel switch", false,
          [] (auto&, auto& unit) { unit.channel.paramMidiChanged (Protocol::channel1Selected); }, 0.2f, true, 0,
          [] (auto&, auto& unit) { unit.channel.paramMidiChanged (Protocol::channel2Selected); } },
        { "a second restore", true, [&] (auto& p, auto&) { restore (p.getPlemvoParams(), secondState); }, 0.5f, false,
          0 },
        { "the host's automation, then a second restore", true,
          [&] (auto& p, auto&)
          {
              gainOf (p)->setValue (0.9f);
              restoreGain (p.getPlemvoParams(), 0.4f);
          },
          0.4f, true, 1 },
        { "a restore on the message thread after the host's automation", false,
          [&] (auto& p, auto&)
          {
              std::thread automation ([&] { gainOf (p)->setValue (0.9f); });
              automation.join();
              restoreGain (p.getPlemvoParams(), 0.3f);
          },
          0.3f, true, 1 },
    };

    for (auto& change : changes)
    {
        SCOPED_TRACE (change.source);
        PlemvoPluginInstance target;
        auto& m = target.getPlemvoParams();
        UnitControls unit (m);

        if (change.before)
            change.before (target, unit);

        std::thread host (
            [&]
            {
                restore (m, restored);

                if (change.onHostThread)
                    change.make (target, unit);
            });
        host.join();

        if (! change.onHostThread)
            change.make (target, unit);

        vqtest::drainMessageLoop();

        EXPECT_EQ (m.getParamValue (ParamData::eq1Gain1), change.gain);
        EXPECT_EQ (gainOf (target)->getValue(), change.gain);
        EXPECT_EQ (m.getNonAutomatableParamValue (ParamData::doubleWindow), juce::var (change.doubleWindow));
        EXPECT_EQ (m.getNonAutomatableParamValue (ParamData::selectedChannel), juce::var (change.selectedChannel));
    }
}

TEST_F (SessionStateTest, AKnobTurnedInTheWindowRightAfterAHostRestoredALinkedStateMovesBothChannels)
{
    PlemvoPluginInstance saved;
    saved.getPlemvoParams().setParamValue (nullptr, ParamData::eq1Gain1, 0.2f);
    vqtest::drainMessageLoop();
    ASSERT_EQ (saved.getPlemvoParams().getParamValue (ParamData::eq1Gain2), 0.2f) << "linked";
    const auto restored = stateOf (saved.getPlemvoParams());

    std::thread host ([&] { restore (manager, restored); });
    host.join();

    // The window's change comes after the restore, so its twin follows it as in any linked state.
    vqtest::RecordingListener window;
    manager.setParamValue (&window, ParamData::eq1Gain1, 0.7f);
    vqtest::drainMessageLoop();
    vqtest::drainMessageLoop();

    EXPECT_EQ (manager.getParamValue (ParamData::eq1Gain1), 0.7f);
    EXPECT_EQ (manager.getParamValue (ParamData::eq1Gain2), 0.7f);
}

/** Records, in one list, which kind of change it is told: "setting" or "parameter". */
struct KindLog : juce::VqParamsManager::AutomatableParamListener, juce::VqParamsManager::NonAutomatableParamListener
{
    juce::StringArray kinds;

    using AutomatableParamListener::paramValueChanged;

    void paramValueChanged (int, float) override { kinds.add ("parameter"); }
    void nonAutomatableParamValueChanged (int, juce::var) override { kinds.add ("setting"); }
};

TEST_F (SessionStateTest, ARestoreOnAHostThreadTellsItsSettingsBeforeItsParameters)
{
    PlemvoPluginInstance saved;
    const auto restored = setEverythingRestoredAndWrite (saved.getPlemvoParams());

    KindLog kinds;

    for (int i = 0; i < ParamData::numParams; ++i)
        manager.addParamListener (&kinds, i, juce::VqParamsManager::registerOnly);

    for (int i = 0; i < ParamData::numSettings; ++i)
        manager.addNonAutomatableParamListener (&kinds, i, juce::VqParamsManager::registerOnly);

    std::thread host ([&] { restore (manager, restored); });
    host.join();
    vqtest::drainMessageLoop();

    // Applied in the order they were posted: the restored "SELECTED CHANNEL" is in place for the linking copy.
    juce::StringArray expected ({ "setting", "setting", "setting", "setting" });

    while (expected.size() < kinds.kinds.size())
        expected.add ("parameter");

    EXPECT_EQ (kinds.kinds, expected) << kinds.kinds.joinIntoString (", ");

    for (int i = 0; i < ParamData::numParams; ++i)
        manager.removeParamListener (&kinds, i);

    for (int i = 0; i < ParamData::numSettings; ++i)
        manager.removeNonAutomatableParamListener (&kinds, i);
}

/** Moves one parameter on every timer tick, as a window or the unit would while the host restores. */
struct Knob : juce::Timer
{
    explicit Knob (PlemvoParamsManager& m)
        : manager (m)
    {
        startTimer (1);
    }
    ~Knob() override { stopTimer(); }

    void timerCallback() override
    {
        manager.setParamValue (nullptr, ParamData::eq2Gain2, (float) (++ticks % 10) / 10.0f);
        manager.setNonAutomatableParamValue (nullptr, ParamData::mouseOverGain1Knob, ticks % 2 == 0);
    }

    PlemvoParamsManager& manager;
    int ticks = 0;
};

TEST_F (SessionStateTest, HostThreadsSavingAndRestoringWhileTheMessageThreadWorksMeetNoRace)
{
    PlemvoPluginInstance a, b;
    // Both "DUAL MONO", so that no linker repeats the knob onto its twin.
    setDistinctValues (a.getPlemvoParams(), 0.1f, 1.0f);
    setDistinctValues (b.getPlemvoParams(), 0.3f, 0.75f);
    const juce::MemoryBlock states[] = { stateOf (a.getPlemvoParams()), stateOf (b.getPlemvoParams()) };

    Knob knob (manager);
    std::atomic<bool> done { false };

    std::thread host (
        [&]
        {
            juce::MemoryBlock block;

            for (int i = 0; i < 200; ++i)
            {
                restore (manager, states[i % 2]);
                manager.getStateInformation (block);
            }

            done = true;
        });

    EXPECT_TRUE (vqtest::runMessageLoopUntil ([&] { return done.load(); }, 20000));
    host.join();
    knob.stopTimer();
    vqtest::drainMessageLoop();

    EXPECT_EQ (log.callsOffMessageThread.load(), 0);

    for (int i = 0; i < ParamData::numParams; ++i)
        EXPECT_TRUE (i == ParamData::eq2Gain2 || manager.getParamValue (i) == b.getPlemvoParams().getParamValue (i))
            << i;
}
} // namespace
