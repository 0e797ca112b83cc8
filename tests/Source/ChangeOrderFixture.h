#pragma once

#include "InstanceFixture.h"

#include "MidiBridge.h"

#include <thread>

namespace instancetest
{
/** Counts the host gestures that are open, as the host sees them. */
struct GestureWatch : juce::AudioProcessorParameter::Listener
{
    void parameterValueChanged (int, float) override {}
    void parameterGestureChanged (int, bool starting) override { open += starting ? 1 : -1; }

    std::atomic<int> open { 0 };
};

/** An instance on a unit, and what the host does to it from threads of its own. */
class ChangeOrderTest : public InstanceTest
{
public:
    void SetUp() override
    {
        unitOnCable = &addUnit (serial);
        plugin = &createInstance();
        plugin->connectWithDevice (serial);
        ASSERT_TRUE (waitForConnection (*plugin));
        ASSERT_TRUE (waitForFullResend (*unitOnCable));

        for (auto* parameter : plugin->getParameters())
            parameter->addListener (&gestures);

        settle();
        unitOnCable->setByteRate (vqsim::SimulatedUnit::midiBytesPerSecond);
    }

    void TearDown() override
    {
        for (auto* parameter : plugin->getParameters())
            parameter->removeListener (&gestures);

        InstanceTest::TearDown();
    }

    PlemvoParamsManager& params() { return plugin->getPlemvoParams(); }
    juce::AudioProcessorParameter& hostParameter (int index) { return *plugin->getParameters()[index]; }

    void onHostThread (std::function<void()> f) { std::thread (std::move (f)).join(); }

    void hostWrites (int index, float value)
    {
        onHostThread ([&] { hostParameter (index).setValue (value); });
    }

    juce::MemoryBlock savedState()
    {
        juce::MemoryBlock block;
        plugin->getStateInformation (block);
        return block;
    }

    /** The instance's own state with some values and settings replaced. */
    juce::MemoryBlock stateWith (const std::map<int, float>& values, const std::map<int, juce::var>& settings = {})
    {
        const auto saved = savedState();
        auto tree = juce::ValueTree::readFromData (saved.getData(), saved.getSize());

        for (auto& [index, value] : values)
            tree.getChild (0).getChild (index).setProperty ("VALUE", (double) value, nullptr);

        for (auto& [index, value] : settings)
            tree.getChild (1).getChild (index).setProperty ("VALUE", value, nullptr);

        juce::MemoryOutputStream out;
        tree.writeToStream (out);
        return out.getMemoryBlock();
    }

    void hostRestores (const juce::MemoryBlock& state)
    {
        onHostThread ([&] { plugin->setStateInformation (state.getData(), (int) state.getSize()); });
    }

    /** Waits until what is on the cable has arrived, without running the message loop. */
    void waitForCable() { setup.flushScheduled(); }

    /** Lets every change arrive on both sides, the unit's gestures close and what they send back arrive. */
    void settle()
    {
        // Both sides act in real time while the cable carries their messages.
        vqtest::runMessageLoopFor (20);
        auto lastTraffic = unitOnCable->getTraffic().size();
        auto quietSince = juce::Time::getMillisecondCounterHiRes();

        vqtest::runMessageLoopUntil (
            [&]
            {
                setup.flushScheduled();
                vqtest::drainMessageLoop();
                const auto now = juce::Time::getMillisecondCounterHiRes();

                if (const auto traffic = unitOnCable->getTraffic().size(); traffic != lastTraffic || gestures.open != 0)
                {
                    lastTraffic = traffic;
                    quietSince = now;
                }

                return now - quietSince > 100.0;
            },
            10000);
    }

    /** What disagrees about a parameter among the host parameter, the manager, the saved state and the
        unit, and with the value that must have survived; empty when all hold it. */
    juce::String disagreementOn (int index, float survivor)
    {
        juce::StringArray faults;
        const auto saved = savedState();
        const auto tree = juce::ValueTree::readFromData (saved.getData(), saved.getSize());
        const auto inState = (float) (double) tree.getChild (0).getChild (index)["VALUE"];

        const std::pair<const char*, float> views[] = { { "host", hostParameter (index).getValue() },
                                                        { "manager", params().getParamValue (index) },
                                                        { "state", inState } };

        for (auto& [name, value] : views)
            if (value != survivor)
                faults.add (juce::String (name) + " " + juce::String (value));

        // While linked the unit plays channel 1 on both sides: channel 2 is not sent.
        const bool channel2 = index > ParamData::channelTwinOffset;

        if (! channel2 || ! ParamTools::isLinked (params().getParamValue (ParamData::channel)))
        {
            const auto toCode = PlemvoMidiBridge::getLambdaMidiFloatToInt (index);
            const auto first = channel2 ? index - ParamData::channelTwinOffset : index;
            int unitCode = -1;

            if (ParamTools::getKind (index) == ParamTools::Kind::onOff)
                unitCode = unitOnCable->getCode (channel2 ? 2 : 1, Protocol::switches) & toCode (1.0f);
            else
                for (const auto id : Protocol::channelControlIds)
                    if (PlemvoMidiBridge::getChannel1Index (id) == first)
                        unitCode = unitOnCable->getCode (channel2 ? 2 : 1, id);

            if (unitCode != toCode (survivor))
                faults.add ("unit code " + juce::String (unitCode) + " for " + juce::String (toCode (survivor)));
        }

        return faults.joinIntoString (", ");
    }

    juce::String disagreementOnSetting (int index, const juce::var& survivor)
    {
        juce::StringArray faults;
        const auto saved = savedState();
        const auto tree = juce::ValueTree::readFromData (saved.getData(), saved.getSize());

        if (params().getNonAutomatableParamValue (index) != survivor)
            faults.add ("manager " + params().getNonAutomatableParamValue (index).toString());

        if (tree.getChild (1).getChild (index)["VALUE"] != survivor)
            faults.add ("state " + tree.getChild (1).getChild (index)["VALUE"].toString());

        if (index == ParamData::selectedChannel && unitOnCable->getChannelMode() != channelModeOfParams())
            faults.add ("unit mode " + juce::String (unitOnCable->getChannelMode()));

        return faults.joinIntoString (", ");
    }

    int channelModeOfParams()
    {
        if (ParamTools::isLinked (params().getParamValue (ParamData::channel)))
            return Protocol::channelsLinked;

        return (int) params().getNonAutomatableParamValue (ParamData::selectedChannel) == 1
                   ? Protocol::channel2Selected
                   : Protocol::channel1Selected;
    }

    static constexpr int serial = 3;
    vqsim::SimulatedUnit* unitOnCable = nullptr;
    PlemvoPluginInstance* plugin = nullptr;
    GestureWatch gestures;
};

} // namespace instancetest
