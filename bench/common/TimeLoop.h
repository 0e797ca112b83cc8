#pragma once

#include <benchmark/benchmark.h>
#include <juce_core/juce_core.h>

namespace vqbench
{
/** Times the loop of a benchmark by hand too, so that a last benchmark can print ratios of two of them:
    nanoseconds per iteration. */
template <typename Operation> double timeLoop (benchmark::State& state, Operation&& operation)
{
    juce::int64 ticks = 0;

    for (auto _ : state)
    {
        const auto start = juce::Time::getHighResolutionTicks();
        operation();
        ticks += juce::Time::getHighResolutionTicks() - start;
    }

    return juce::Time::highResolutionTicksToSeconds (ticks) * 1.0e9 / (double) state.iterations();
}
} // namespace vqbench
