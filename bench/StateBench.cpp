// Saving and restoring the whole state, ours against JUCE's AudioProcessorValueTreeState with the same
// number of float parameters written with the same value-tree stream. Ratios are ours / JUCE's. Beside
// them the host's controls-state chunk of the same 23 values, written and applied; its ratios are
// chunk / our state.
#include "../tests/common/ControlsChunkRig.h"
#include "ParamTools.h"
#include "PluginInstance.h"

#include "common/TimeLoop.h"

#include <benchmark/benchmark.h>
#include <juce_audio_processors/juce_audio_processors.h>

namespace
{
/** The reference: 23 float parameters in an AudioProcessorValueTreeState. */
class ReferenceProcessor : public juce::AudioProcessor
{
public:
    ReferenceProcessor()
        : state (*this, nullptr, "REFERENCE", makeLayout())
    {
    }

    static juce::AudioProcessorValueTreeState::ParameterLayout makeLayout()
    {
        juce::AudioProcessorValueTreeState::ParameterLayout layout;

        for (int i = 0; i < ParamData::numParams; ++i)
            layout.add (std::make_unique<juce::AudioParameterFloat> (
                juce::ParameterID ("p" + juce::String (i), 1), ParamData::paramName[i],
                juce::NormalisableRange<float> (0.0f, 1.0f), ParamData::paramDefault[i]));
        return layout;
    }

    void getStateInformation (juce::MemoryBlock& destData) override
    {
        juce::MemoryOutputStream out (destData, false);
        state.copyState().writeToStream (out);
    }

    void setStateInformation (const void* data, int sizeInBytes) override
    {
        const auto tree = juce::ValueTree::readFromData (data, (size_t) sizeInBytes);

        if (tree.hasType (state.state.getType()))
            state.replaceState (tree);
    }

    const juce::String getName() const override { return "Reference"; }
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}

    juce::AudioProcessorValueTreeState state;
};

// Nanoseconds per operation of each side, filled in by the timed loops and compared at the end.
struct Figures
{
    double getNs = 0.0, setNs = 0.0, bytes = 0.0;
};

Figures ours, reference, chunk;

// Every side holds distinct values; ours in "DUAL MONO", so that no linker mirrors a restore.
float valueFor (int index)
{
    return index == ParamData::channel ? 1.0f : (float) index / 32.0f;
}

void setValues (juce::AudioProcessor& processor)
{
    const auto& parameters = processor.getParameters();

    for (int i = 0; i < parameters.size(); ++i)
        parameters[i]->setValueNotifyingHost (valueFor (i));
}

void setValues (ControlsChunkRig& rig)
{
    for (int i = 0; i < ParamData::numParams; ++i)
        rig.setValue (i, valueFor (i));
}

template <typename Processor> juce::MemoryBlock prepare (Processor& processor, Figures& figures)
{
    setValues (processor);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (10);

    juce::MemoryBlock block;
    processor.getStateInformation (block);
    figures.bytes = (double) block.getSize();
    return block;
}

template <typename Processor> void benchmarkGet (benchmark::State& state, Figures& figures)
{
    Processor processor;
    prepare (processor, figures);
    juce::MemoryBlock block;

    figures.getNs = vqbench::timeLoop (state,
                                       [&]
                                       {
                                           processor.getStateInformation (block);
                                           benchmark::DoNotOptimize (block.getData());
                                       });
    state.counters["bytes"] = figures.bytes;
}

template <typename Processor> void benchmarkSet (benchmark::State& state, Figures& figures)
{
    Processor processor;
    const auto block = prepare (processor, figures);

    figures.setNs =
        vqbench::timeLoop (state, [&] { processor.setStateInformation (block.getData(), (int) block.getSize()); });
    state.counters["bytes"] = figures.bytes;
}

void GetState_Plemvo (benchmark::State& state)
{
    benchmarkGet<PlemvoPluginInstance> (state, ours);
}
void GetState_Juce (benchmark::State& state)
{
    benchmarkGet<ReferenceProcessor> (state, reference);
}
void SetState_Plemvo (benchmark::State& state)
{
    benchmarkSet<PlemvoPluginInstance> (state, ours);
}
void SetState_Juce (benchmark::State& state)
{
    benchmarkSet<ReferenceProcessor> (state, reference);
}

void WriteChunk (benchmark::State& state)
{
    ControlsChunkRig rig;
    setValues (rig);

    chunk.getNs = vqbench::timeLoop (state, [&] { benchmark::DoNotOptimize (rig.write().data()); });
    chunk.bytes = (double) reinterpret_cast<const AAX_SPlugInChunk*> (rig.write().data())->fSize;
    state.counters["bytes"] = chunk.bytes;
}

void ReadChunk (benchmark::State& state)
{
    ControlsChunkRig source, rig;
    setValues (source);
    const auto record = source.write();

    chunk.setNs =
        vqbench::timeLoop (state, [&] { rig.apply (reinterpret_cast<const AAX_SPlugInChunk*> (record.data())); });
}

void Ratios (benchmark::State& state)
{
    for (auto _ : state)
    {
    }

    if (reference.getNs <= 0.0 || reference.setNs <= 0.0 || reference.bytes <= 0.0)
        return;

    state.counters["get_ratio"] = ours.getNs / reference.getNs;
    state.counters["set_ratio"] = ours.setNs / reference.setNs;
    state.counters["size_ratio"] = ours.bytes / reference.bytes;

    std::printf ("ours / JUCE: get %.2f (%.0f / %.0f ns), set %.2f (%.0f / %.0f ns), size %.2f (%.0f / %.0f bytes)\n",
                 ours.getNs / reference.getNs, ours.getNs, reference.getNs, ours.setNs / reference.setNs, ours.setNs,
                 reference.setNs, ours.bytes / reference.bytes, ours.bytes, reference.bytes);

    if (chunk.getNs > 0.0 && chunk.setNs > 0.0)
        std::printf ("chunk / ours: write %.3f (%.0f / %.0f ns), read %.3f (%.0f / %.0f ns), size %.3f (%.0f / %.0f "
                     "bytes)\n",
                     chunk.getNs / ours.getNs, chunk.getNs, ours.getNs, chunk.setNs / ours.setNs, chunk.setNs,
                     ours.setNs, chunk.bytes / ours.bytes, chunk.bytes, ours.bytes);
}
} // namespace

BENCHMARK (GetState_Plemvo);
BENCHMARK (GetState_Juce);
BENCHMARK (SetState_Plemvo);
BENCHMARK (SetState_Juce);
BENCHMARK (WriteChunk);
BENCHMARK (ReadChunk);
BENCHMARK (Ratios)->Iterations (1);
