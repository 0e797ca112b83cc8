// The AAX module through the host stand-in: loading and registering it, creating an instance, a host
// automation call until its message reaches the unit (beside the same change through the session
// runner's direct path), and a chunk save and restore (beside the plug-in's own state path). The module
// carries its own JUCE and runs its loop through its hook; the direct path runs this process's JUCE.
#include "ModuleInstance.h"
#include "PluginInstance.h"
#include "common/MessageLoop.h"
#include "common/TimeLoop.h"

#include <SimulatedUnit.h>
#include <benchmark/benchmark.h>

#include <algorithm>

namespace
{
using Direction = vqsim::SimulatedUnit::Direction;

double throughHostNs = 0.0, directNs = 0.0, hostChunkNs = 0.0, ownStateNs = 0.0;

/** A started module with its host; stopped and unloaded at the end. */
struct StartedModule
{
    StartedModule() { module.start (host); }

    ~StartedModule()
    {
        module.runMessageLoopUntil (2000, [this] { return module.canUnloadNow() == ACF_OK; });
        module.stop();
        module.unload();
    }

    aax_host::Host host;
    aax_host::LoadedModule module { VQ_AAX_BUNDLE };
};

double percentile (std::vector<double> samples, double fraction)
{
    std::sort (samples.begin(), samples.end());
    return samples.empty() ? 0.0 : samples[size_t (fraction * double (samples.size() - 1))];
}

/** Times each change from the call until the unit holds one more message; p50 and p99 as counters. */
template <typename Change, typename RunLoop>
double timeChangesToUnit (benchmark::State& state, vqsim::SimulatedUnit& unit, Change&& change, RunLoop&& runLoop)
{
    std::vector<double> samples;
    int i = 0;

    for (auto _ : state)
    {
        const auto before = unit.getTraffic (Direction::toUnit).size();
        const auto start = juce::Time::getHighResolutionTicks();
        change (++i % 2 == 0 ? 0.25 : 0.75);

        while (unit.getTraffic (Direction::toUnit).size() == before)
            runLoop();

        const auto ns = juce::Time::highResolutionTicksToSeconds (juce::Time::getHighResolutionTicks() - start) * 1e9;
        samples.push_back (ns);
        state.SetIterationTime (ns / 1e9);
    }

    state.counters["p50_us"] = percentile (samples, 0.5) / 1000.0;
    state.counters["p99_us"] = percentile (samples, 0.99) / 1000.0;
    return percentile (samples, 0.5);
}

void moduleLoadAndRegistration (benchmark::State& state)
{
    vqsim::VirtualMidiSetup setup;

    for (auto _ : state)
        StartedModule started;
}
BENCHMARK (moduleLoadAndRegistration)->Unit (benchmark::kMillisecond);

void instanceCreationThroughTheHost (benchmark::State& state)
{
    vqsim::VirtualMidiSetup setup;
    StartedModule started;
    aax_host::ModuleInstance anchor (started.module, *started.module.effect());

    for (auto _ : state)
        aax_host::ModuleInstance instance (started.module, *started.module.effect());

    started.module.runMessageLoopFor (10);
}
BENCHMARK (instanceCreationThroughTheHost)->Unit (benchmark::kMicrosecond);

void automationThroughTheHostToTheUnit (benchmark::State& state)
{
    vqsim::VirtualMidiSetup setup;
    vqsim::SimulatedUnit unit (setup, 17);
    unit.plugIn();
    StartedModule started;
    auto& module = started.module;
    aax_host::ModuleInstance instance (module, *module.effect());
    module.runMessageLoopUntil (10000, [&] { return unit.getTraffic (Direction::toUnit).size() > 2; });
    module.runMessageLoopFor (700);

    throughHostNs = timeChangesToUnit (
        state, unit, [&] (double v) { instance.automate ("3", v); }, [&] { module.runMessageLoop (0); });
}
BENCHMARK (automationThroughTheHostToTheUnit)->Iterations (300)->UseManualTime()->Unit (benchmark::kMicrosecond);

void automationThroughTheDirectPath (benchmark::State& state)
{
    vqsim::VirtualMidiSetup setup;
    vqsim::SimulatedUnit unit (setup, 17);
    unit.plugIn();
    std::unique_ptr<juce::AudioProcessor> instance (createPluginFilter());
    vqbench::runMessageLoopUntil ([&] { return unit.getTraffic (Direction::toUnit).size() > 2; });
    juce::MessageManager::getInstance()->runDispatchLoopUntil (700);

    directNs = timeChangesToUnit (
        state, unit, [&] (double v) { instance->getParameters()[3]->setValue (float (v)); },
        [] { juce::MessageManager::getInstance()->runDispatchLoopUntil (0); });
    instance.reset();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
}
BENCHMARK (automationThroughTheDirectPath)->Iterations (300)->UseManualTime()->Unit (benchmark::kMicrosecond);

void chunkSaveAndRestoreThroughTheHost (benchmark::State& state)
{
    vqsim::VirtualMidiSetup setup;
    StartedModule started;
    aax_host::ModuleInstance first (started.module, *started.module.effect());
    aax_host::ModuleInstance second (started.module, *started.module.effect());
    std::vector<std::vector<char>> records;

    hostChunkNs = vqbench::timeLoop (state,
                                     [&]
                                     {
                                         first.saveChunks (records);
                                         second.restoreChunks (records);
                                     });
    started.module.runMessageLoopFor (10);
}
BENCHMARK (chunkSaveAndRestoreThroughTheHost)->Unit (benchmark::kMicrosecond);

void stateSaveAndRestoreOfThePlugIn (benchmark::State& state)
{
    vqsim::VirtualMidiSetup setup;
    std::unique_ptr<juce::AudioProcessor> first (createPluginFilter()), second (createPluginFilter());
    juce::MemoryBlock block;

    ownStateNs = vqbench::timeLoop (state,
                                    [&]
                                    {
                                        block.reset();
                                        first->getStateInformation (block);
                                        second->setStateInformation (block.getData(), int (block.getSize()));
                                    });
    first.reset();
    second.reset();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
}
BENCHMARK (stateSaveAndRestoreOfThePlugIn)->Unit (benchmark::kMicrosecond);

void ratios (benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize (throughHostNs);

    state.counters["automation_host_over_direct_p50"] = directNs > 0 ? throughHostNs / directNs : 0.0;
    state.counters["chunks_host_over_own_state"] = ownStateNs > 0 ? hostChunkNs / ownStateNs : 0.0;
}
BENCHMARK (ratios)->Iterations (1);
} // namespace
