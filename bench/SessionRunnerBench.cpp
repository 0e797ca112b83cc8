// Playing sessions of many `turn` or `automate` lines through the session runner, with its log kept in
// memory: the time per line stays flat as the session grows (the fitted complexity is O(N)), and the
// ratio of the time per line at 10,000 lines to that at 1,000 lines, both measured here, stays near 1.
#include "ScriptReader.h"
#include "SessionLog.h"
#include "SessionRunner.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>

namespace
{
std::map<std::string, std::map<int64_t, double>> secondsPerLine;

const char* const lineOfKind[] = { "turn 17 eq1-gain ", "automate A \"EQ1 GAIN 1/STEREO\" 0." };

void playLines (benchmark::State& state)
{
    const auto kind = lineOfKind[state.range (0)];
    const auto lines = (int) state.range (1);
    juce::String text = "unit 17\ncreate A\nwait 1200\n";

    for (int i = 0; i < lines; ++i)
        text << kind << (i % 100 + 10) << "\n";

    const auto script = ScriptReader::read (text);

    for (auto _ : state)
    {
        SessionLog log (nullptr);
        SessionRunner runner (log, juce::File::getSpecialLocation (juce::File::tempDirectory));
        const auto start = std::chrono::steady_clock::now();

        if (! runner.play (script.actions))
            state.SkipWithError ("the session stopped");

        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime (elapsed.count());
        secondsPerLine[kind][lines] = elapsed.count() / lines;
        runner.shutDown();
    }

    state.SetComplexityN (lines);
    state.SetItemsProcessed (state.iterations() * lines);
}

void ratios (benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize (secondsPerLine.size());

    for (const auto* kind : { "turn", "automate" })
        for (auto& [line, perLength] : secondsPerLine)
            if (line.rfind (kind, 0) == 0 && perLength[1000] > 0)
                state.counters[std::string (kind) + "_per_line_10000_over_1000"] = perLength[10000] / perLength[1000];
}
} // namespace

BENCHMARK (playLines)
    ->ArgsProduct ({ { 0, 1 }, { 1000, 3000, 10000 } })
    ->Iterations (1)
    ->UseManualTime()
    ->Unit (benchmark::kMillisecond);
BENCHMARK (ratios)->Iterations (1);
