// The plug-in instance's costs: creating and deleting instances (with and without the process-wide device
// manager), the memory one instance holds, and the time from plugging a unit in to the first parameter
// message reaching it, which the reply timer (500 ms) and the connection tick (1000 ms) dominate.
#include "ParamTools.h"
#include "PluginInstance.h"
#include "common/MessageLoop.h"
#include "vq_midi/MidiManager.h"
#include "vq_midi/VqSysexProtocol.h"

#include <SimulatedUnit.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <malloc.h>

namespace
{
using vqbench::runMessageLoopUntil;
using Protocol = juce::VqSysexProtocol;
using Direction = vqsim::SimulatedUnit::Direction;

std::unique_ptr<PlemvoPluginInstance> createInstance()
{
    return std::unique_ptr<PlemvoPluginInstance> (static_cast<PlemvoPluginInstance*> (createPluginFilter()));
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

//==============================================================================
// One more instance while another keeps the device manager alive: what a host pays per instance.
void createAndDestroyInstance (benchmark::State& state)
{
    vqsim::VirtualMidiSetup setup;
    const auto anchor = createInstance();

    for (auto _ : state)
        benchmark::DoNotOptimize (createInstance());

    juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
}
BENCHMARK (createAndDestroyInstance)->Unit (benchmark::kMicrosecond);

// The only instance: the device manager, its MIDI client and its first scan come and go with it.
void createAndDestroyOnlyInstance (benchmark::State& state)
{
    vqsim::VirtualMidiSetup setup;

    for (auto _ : state)
        benchmark::DoNotOptimize (createInstance());

    juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
}
BENCHMARK (createAndDestroyOnlyInstance)->Unit (benchmark::kMicrosecond);

// 100 instances in one process: the time to create them all and to delete them all, and the heap that
// each holds while alive.
void hundredInstances (benchmark::State& state)
{
    constexpr int count = 100;
    vqsim::VirtualMidiSetup setup;
    double bytesPerInstance = 0.0, createMs = 0.0, destroyMs = 0.0;

    for (auto _ : state)
    {
        std::vector<std::unique_ptr<PlemvoPluginInstance>> instances;
        const auto heapBefore = heapInUse();
        const auto start = juce::Time::getMillisecondCounterHiRes();

        for (int i = 0; i < count; ++i)
            instances.push_back (createInstance());

        const auto created = juce::Time::getMillisecondCounterHiRes();
        bytesPerInstance = (double) (heapInUse() - heapBefore) / count;
        instances.clear();
        const auto destroyed = juce::Time::getMillisecondCounterHiRes();

        createMs = created - start;
        destroyMs = destroyed - created;
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }

    state.counters["create_100_ms"] = createMs;
    state.counters["destroy_100_ms"] = destroyMs;
    state.counters["heap_bytes_per_instance"] = bytesPerInstance;
}
BENCHMARK (hundredInstances)->Iterations (5)->Unit (benchmark::kMillisecond);

//==============================================================================
// A unit plugged in while an instance is waiting for one: the time until the unit is listed (its
// answer and the reply timer), until the instance's tick takes it, until the channel mode reaches it,
// and until the first control value of the full resend does. The tick's phase varies from run to run.
void plugInToFirstParameterMessage (benchmark::State& state)
{
    double listedMs = 0, connectedMs = 0, modeMs = 0, firstValueMs = 0, setUpMs = 0;
    int runs = 0;

    for (auto _ : state)
    {
        vqsim::VirtualMidiSetup setup;
        vqsim::SimulatedUnit unit (setup, 17);
        auto instance = createInstance();
        const auto& params = instance->getPlemvoParams();

        // The instance ticks for a while without a unit, as it would in a session.
        juce::MessageManager::getInstance()->runDispatchLoopUntil (300 + 97 * runs % 700);

        const auto parameterMessages = [&]
        {
            setup.flush();
            const auto traffic = unit.getTraffic (Direction::toUnit);
            return std::count_if (traffic.begin(), traffic.end(),
                                  [] (const auto& bytes) { return bytes.size() == Protocol::parameterMessageLength; });
        };

        const auto start = juce::Time::getMillisecondCounterHiRes();
        const auto since = [start] { return juce::Time::getMillisecondCounterHiRes() - start; };
        unit.plugIn();

        runMessageLoopUntil ([&] { return juce::MidiManager::getInstance()->getConnectionList()->size() == 1; });
        listedMs += since();
        runMessageLoopUntil ([&] { return (bool) params.getNonAutomatableParamValue (ParamData::isConnected); });
        connectedMs += since();
        runMessageLoopUntil ([&] { return parameterMessages() >= 1; });
        const auto mode = since();
        modeMs += mode;
        runMessageLoopUntil ([&] { return parameterMessages() >= 2; });
        const auto firstValue = since();
        firstValueMs += firstValue;
        setUpMs += firstValue - mode;

        state.SetIterationTime (firstValue / 1000.0);
        ++runs;
        instance.reset();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }

    state.counters["unit_listed_ms"] = listedMs / runs;
    state.counters["connected_ms"] = connectedMs / runs;
    state.counters["channel_mode_ms"] = modeMs / runs;
    state.counters["first_value_ms"] = firstValueMs / runs;
    state.counters["set_up_ms"] = setUpMs / runs;
}
BENCHMARK (plugInToFirstParameterMessage)->Iterations (6)->UseManualTime()->Unit (benchmark::kMillisecond);
} // namespace
