// Reading session script lines at growing lengths, a line of many short words and scripts of lines with
// words of the longest length taken: the time per byte stays flat (the fitted complexity is O(N)), as it
// does when a line is read in one pass.
#include "ScriptReader.h"

#include <benchmark/benchmark.h>

namespace
{
void splitLineOfWords (benchmark::State& state)
{
    const auto line = "print" + juce::String::repeatedString (" word", (int) state.range (0) / 5);
    juce::StringArray words;

    for (auto _ : state)
    {
        ScriptReader::splitWords (line, words);
        benchmark::DoNotOptimize (words.size());
    }

    state.SetComplexityN (line.length());
    state.SetBytesProcessed ((int64_t) state.iterations() * line.length());
}

void readLongestWords (benchmark::State& state)
{
    const auto word = juce::String::repeatedString ("x", ScriptReader::maxWordLength);
    const auto text =
        "create A\n" + juce::String::repeatedString ("save-state A " + word + "\n", (int) state.range (0));

    for (auto _ : state)
        benchmark::DoNotOptimize (ScriptReader::read (text).actions.size());

    state.SetComplexityN (text.length());
    state.SetBytesProcessed ((int64_t) state.iterations() * text.length());
}
} // namespace

BENCHMARK (splitLineOfWords)->RangeMultiplier (4)->Range (1 << 14, 1 << 22)->Complexity (benchmark::oN);
BENCHMARK (readLongestWords)->RangeMultiplier (4)->Range (4, 256)->Complexity (benchmark::oN);
