#pragma once

#include "MessageLoop.h"

#include "ParamTools.h"
#include "PluginInstance.h"
#include "vq_midi/MidiManager.h"
#include "vq_midi/VqSysexProtocol.h"

#include <SimulatedUnit.h>
#include <VirtualMidiSetup.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace instancetest
{
using Protocol = juce::VqSysexProtocol;
using Direction = vqsim::SimulatedUnit::Direction;

/** Counts the commands an instance sends without taking them, as a window's menu bar would see them. */
struct CommandCounter : juce::CommandListener
{
    bool commandListenerCallback (juce::VqCommand* command) override
    {
        ids.add (command->id.toString());
        return takes;
    }

    juce::StringArray ids;
    bool takes = false;
};

/** Plug-in instances and simulated units in one process on the real MIDI layer and device manager; the
    instances' timers run in the message loop. Instances go first, then the units, then the layer. */
class InstanceTest : public testing::Test
{
protected:
    explicit InstanceTest (vqsim::VirtualMidiSetup::ClockMode clock = vqsim::VirtualMidiSetup::ClockMode::realTime)
        : setup (clock)
    {
    }

    vqsim::SimulatedUnit& addUnit (int serialNo, bool plugIn = true)
    {
        auto& unit = *(units[serialNo] = std::make_unique<vqsim::SimulatedUnit> (setup, serialNo));

        if (plugIn)
            unit.plugIn();

        return unit;
    }

    PlemvoPluginInstance& createInstance()
    {
        instances.push_back (
            std::unique_ptr<PlemvoPluginInstance> (static_cast<PlemvoPluginInstance*> (createPluginFilter())));
        return *instances.back();
    }

    void destroy (PlemvoPluginInstance& instance)
    {
        instances.erase (
            std::find_if (instances.begin(), instances.end(), [&] (auto& p) { return p.get() == &instance; }));
    }

    static juce::var setting (PlemvoPluginInstance& instance, int index)
    {
        return instance.getPlemvoParams().getNonAutomatableParamValue (index);
    }

    static bool isConnected (PlemvoPluginInstance& instance) { return setting (instance, ParamData::isConnected); }

    static void setSetting (PlemvoPluginInstance& instance, int index, const juce::var& value)
    {
        instance.getPlemvoParams().setNonAutomatableParamValue (nullptr, index, value);
    }

    bool waitForConnection (PlemvoPluginInstance& instance, int timeoutMs = 10000)
    {
        return vqtest::runMessageLoopUntil ([&] { return isConnected (instance); }, timeoutMs);
    }

    /** The units the manager lists, with whether each is taken. */
    std::map<int, bool> listedUnits() const
    {
        std::map<int, bool> result;

        if (auto* manager = juce::MidiManager::getInstanceWithoutCreating())
        {
            const auto list = manager->getConnectionList();

            for (auto* row : *list)
                result[row->serialNo] = row->listener != nullptr;
        }

        return result;
    }

    bool waitForListedUnits (size_t count, int timeoutMs = 10000)
    {
        return vqtest::runMessageLoopUntil ([&] { return listedUnits().size() == count; }, timeoutMs);
    }

    /** The control ids of the parameter messages the unit received. */
    std::vector<int> idsSentTo (vqsim::SimulatedUnit& unit)
    {
        setup.flush();
        std::vector<int> ids;

        for (auto& bytes : unit.getTraffic (Direction::toUnit))
            if (bytes.size() == Protocol::parameterMessageLength)
                ids.push_back (bytes[Protocol::idByte]);

        return ids;
    }

    /** The channel mode first, then the full resend, which ends with the switches. */
    bool receivedFullResend (vqsim::SimulatedUnit& unit)
    {
        const auto ids = idsSentTo (unit);
        return ! ids.empty() && ids.front() == Protocol::channelMode &&
               std::count (ids.begin(), ids.end(), (int) Protocol::switches) >= 1 &&
               std::count (ids.begin(), ids.end(), (int) Protocol::eq1Gain) >= 1;
    }

    bool waitForFullResend (vqsim::SimulatedUnit& unit, int timeoutMs = 10000)
    {
        return vqtest::runMessageLoopUntil ([&] { return receivedFullResend (unit); }, timeoutMs);
    }

    void TearDown() override
    {
        instances.clear();
        vqtest::drainMessageLoop();
        EXPECT_EQ (juce::MidiManager::getInstanceWithoutCreating(), nullptr);
    }

    vqsim::VirtualMidiSetup setup;
    std::map<int, std::unique_ptr<vqsim::SimulatedUnit>> units;
    std::vector<std::unique_ptr<PlemvoPluginInstance>> instances;
};
} // namespace instancetest
