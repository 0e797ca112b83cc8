#pragma once

#include "MessageLoop.h"
#include "SimulatedUnit.h"
#include "VirtualMidiSetup.h"
#include "vq_midi/MidiManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace vqtest
{
using Bytes = vqsim::VirtualMidiSetup::Bytes;
using Value = std::pair<int, int>;

/** A plug-in side listener that records what the device and the manager tell it. */
class RecordingListener : public juce::MidiDevice::Listener
{
public:
    void setConnectedMidiDevice (juce::MidiDevice* newDevice) override { device = newDevice; }

    void hidConnectionCallback (bool connected) override { connectionCallbacks.push_back (connected); }

    void paramReceived (int id, int value) override
    {
        const std::lock_guard<std::mutex> guard (lock);
        received.emplace_back (id, value);
    }

    std::vector<Value> takeReceived()
    {
        const std::lock_guard<std::mutex> guard (lock);
        return std::exchange (received, {});
    }

    juce::MidiDevice* device = nullptr;
    std::vector<bool> connectionCallbacks;

private:
    std::mutex lock;
    std::vector<Value> received;
};

/** Counts the batches of connection-list notifications. */
class CountingListListener : public juce::MidiManager::ConnectionListListener
{
public:
    void connectionListChanged() override { ++calls; }

    int calls = 0;
};

/** A MIDI setup on real time (the manager's timers run on it), the process-wide manager registered
    as one plug-in instance would, and helpers to wait for units through the message loop. */
class MidiLinkTest : public ::testing::Test
{
protected:
    void startManager()
    {
        manager = juce::MidiManager::getInstance();
        manager->registerPluginInstance ({ juce::VqSysexProtocol::unitDeviceName });
    }

    void TearDown() override
    {
        if (manager != nullptr)
            manager->unregisterPluginInstance();

        EXPECT_EQ (juce::MidiManager::getInstanceWithoutCreating(), nullptr);
    }

    int countUnits() const { return manager->getConnectionList()->size(); }

    std::vector<int> listedSerialNumbers() const
    {
        std::vector<int> numbers;
        const auto list = manager->getConnectionList();

        for (auto* row : *list)
            numbers.push_back (row->serialNo);

        return numbers;
    }

    vqsim::SimulatedUnit& addUnit (int serialNo, std::string name = vqsim::SimulatedUnit::defaultName())
    {
        units.push_back (std::make_unique<vqsim::SimulatedUnit> (setup, serialNo, std::move (name)));
        return *units.back();
    }

    RecordingListener& makeListener()
    {
        listeners.push_back (std::make_unique<RecordingListener>());
        return *listeners.back();
    }

    bool waitForUnits (int count, int timeoutMs = 3000)
    {
        return runMessageLoopUntil ([this, count] { return countUnits() == count; }, timeoutMs);
    }

    /** Plugs a unit in, waits until it is listed and attaches the listener to it. */
    void connect (vqsim::SimulatedUnit& unit, RecordingListener& listener, int serialNo)
    {
        unit.plugIn();
        ASSERT_TRUE (runMessageLoopUntil (
            [&]
            {
                const auto numbers = listedSerialNumbers();
                return std::find (numbers.begin(), numbers.end(), serialNo) != numbers.end();
            },
            3000));
        ASSERT_TRUE (manager->connectIfSerialNo (serialNo, &listener));
    }

    /** Sends packets from the unit's source and waits until they have been delivered. */
    void inject (vqsim::SimulatedUnit& unit, const std::vector<Bytes>& packets)
    {
        setup.injectPacketList (setup.getSource (unit.getDevice()), packets);
        setup.flush();
    }

    // Declared in the order of their dependencies: the manager goes first (TearDown), then the
    // listeners it may still tell, then the units, then the setup.
    vqsim::VirtualMidiSetup setup;
    std::vector<std::unique_ptr<vqsim::SimulatedUnit>> units;
    std::vector<std::unique_ptr<RecordingListener>> listeners;
    juce::MidiManager* manager = nullptr;
};

/** A parameter message as the unit frames it. */
inline Bytes unitMessage (int serial, int command, int id, int low, int high)
{
    return { 0xF0, 0x00, 0x12, 0x34, (Byte) serial, (Byte) command, (Byte) id, (Byte) low, (Byte) high, 0xF7 };
}
} // namespace vqtest
