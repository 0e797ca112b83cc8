// One automatable parameter change told to 1, 4 and 16 listeners: through our manager (host
// parameter first, as in the plug-in) and through JUCE's AudioProcessorValueTreeState (its
// parameter adapter first). A table of ours / JUCE's follows the benchmark output.
#include "vq_core/VqDawParameter.h"
#include "vq_core/VqPluginInstance.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>

namespace
{
class BenchParamsManager : public juce::VqParamsManager
{
public:
    BenchParamsManager (juce::VqPluginInstance& owner, int numParams)
        : VqParamsManager (owner)
    {
        for (int i = 0; i < numParams; ++i)
            addAutomatableParameter (*new juce::VqDawParameter (
                "GAIN", { 0.0, 1.0 }, 0.5, {}, juce::AudioProcessorParameter::genericParameter, 2, *this, i, {}));
    }
};

class BenchInstance : public juce::VqPluginInstance
{
public:
    explicit BenchInstance (int numParams)
        : VqPluginInstance ("Bench", new BenchParamsManager (*this, numParams), BusesProperties())
    {
    }

    bool hasEditor() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
};

struct OurListener : juce::VqParamsManager::AutomatableParamListener
{
    using AutomatableParamListener::paramValueChanged;
    void paramValueChanged (int, float value) override { benchmark::DoNotOptimize (value); }
};

struct JuceListener : juce::AudioProcessorValueTreeState::Listener
{
    void parameterChanged (const juce::String&, float value) override { benchmark::DoNotOptimize (value); }
};

/** Keeps the last run's time per change of each side and prints the comparison at exit. */
struct Comparison
{
    struct Row
    {
        double ours = 0.0, juce = 0.0;
    };
    std::map<int64_t, Row> rows;

    ~Comparison()
    {
        std::printf ("\nlisteners   ours ns/change   JUCE ns/change   ours/JUCE\n");
        for (const auto& [listeners, row] : rows)
            std::printf ("%9lld   %14.1f   %14.1f   %9.2f\n", (long long) listeners, row.ours, row.juce,
                         row.juce > 0.0 ? row.ours / row.juce : 0.0);
    }
};

Comparison comparison;

/** Runs the benchmark loop, alternating two values so every change is a real one. */
template <typename Change> double timeChanges (benchmark::State& state, Change&& change)
{
    float value = 0.25f;
    const auto start = std::chrono::steady_clock::now();

    for (auto _ : state)
    {
        change (value);
        value = 1.0f - value;
    }

    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / (double) std::max<benchmark::IterationCount> (1, state.iterations());
}

void oursChange (benchmark::State& state)
{
    BenchInstance instance (1);
    auto& manager = instance.getParamsManager();
    std::vector<OurListener> listeners ((size_t) state.range (0));

    for (auto& l : listeners)
        manager.addParamListener (&l, 0, juce::VqParamsManager::registerOnly);

    comparison.rows[state.range (0)].ours =
        timeChanges (state, [&] (float v) { manager.setParamValue (nullptr, 0, v); });

    for (auto& l : listeners)
        manager.removeParamListener (&l, 0);
}

void juceChange (benchmark::State& state)
{
    BenchInstance processor (0);
    juce::AudioProcessorValueTreeState apvts (
        processor, nullptr, "STATE",
        { std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { "gain", 1 }, "GAIN",
                                                       juce::NormalisableRange<float> (0.0f, 1.0f), 0.5f) });
    auto* parameter = apvts.getParameter ("gain");
    std::vector<JuceListener> listeners ((size_t) state.range (0));

    for (auto& l : listeners)
        apvts.addParameterListener ("gain", &l);

    comparison.rows[state.range (0)].juce =
        timeChanges (state, [&] (float v) { parameter->setValueNotifyingHost (v); });

    for (auto& l : listeners)
        apvts.removeParameterListener ("gain", &l);
}
} // namespace

BENCHMARK (oursChange)->Arg (1)->Arg (4)->Arg (16);
BENCHMARK (juceChange)->Arg (1)->Arg (4)->Arg (16);
