#pragma once

#include "SessionAgreement.h"

#include <thread>

namespace instancetest
{
/** An instance on a unit, and what the host does to it from threads of its own; the cable carries
    messages at real speed on a clock that only the test moves. */
class ChangeOrderTest : public InstanceTest
{
public:
    ChangeOrderTest()
        : InstanceTest (vqsim::VirtualMidiSetup::ClockMode::manual)
    {
    }

    void SetUp() override
    {
        unitOnCable = &addUnit (serial);
        cable.unit = unitOnCable;
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

    /** Moves the clock while the message thread is busy: what arrives meanwhile waits for it. */
    void busyFor (int ms) { setup.advanceTime (std::chrono::milliseconds (ms)); }

    void settle() { cable.settle(); }

    juce::String disagreementOn (int index, float survivor)
    {
        return instancetest::disagreementOn (*plugin, *unitOnCable, index, survivor);
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

        if (index == ParamData::selectedChannel && unitOnCable->getChannelMode() != channelModeOf (params()))
            faults.add ("unit mode " + juce::String (unitOnCable->getChannelMode()));

        return faults.joinIntoString (", ");
    }

    static constexpr int serial = 3;
    vqsim::SimulatedUnit* unitOnCable = nullptr;
    PlemvoPluginInstance* plugin = nullptr;
    GestureWatch gestures;
    ManualCable cable { setup, gestures };
};

} // namespace instancetest
