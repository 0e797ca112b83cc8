// Any bytes handed to the session-state reader: no crash, no hang, nothing outside the data read,
// every parameter finite within 0..1 afterwards, the state written then reads back to itself, and
// a tree that the guarded reader accepts is the one JUCE's own reader builds from the same bytes.
#include "GuardedValueTreeReader.h"
#include "PluginInstance.h"

#include <juce_events/juce_events.h>

namespace
{
struct Harness
{
    juce::ScopedJuceInitialiser_GUI juce;
    PlemvoPluginInstance instance;
};

Harness* harness = nullptr;

juce::MemoryBlock stateOf (const PlemvoParamsManager& manager)
{
    juce::MemoryBlock block;
    manager.getStateInformation (block);
    return block;
}

juce::MemoryBlock bytesOf (const juce::ValueTree& tree)
{
    juce::MemoryOutputStream out;
    tree.writeToStream (out);
    return out.getMemoryBlock();
}
} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    harness = new Harness();
    std::atexit ([] { delete harness; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (const auto tree = GuardedValueTreeReader::read (data, size); tree.isValid())
        if (bytesOf (tree) != bytesOf (juce::ValueTree::readFromData (data, size)))
            __builtin_trap();

    auto& manager = harness->instance.getPlemvoParams();
    manager.setStateInformation (data, (int) juce::jmin (size, (size_t) std::numeric_limits<int>::max()));

    for (int i = 0; i < manager.getNumParams(); ++i)
    {
        const auto value = manager.getParamValue (i);

        if (! (std::isfinite (value) && value >= 0.0f && value <= 1.0f))
            __builtin_trap();
    }

    const auto written = stateOf (manager);
    manager.setStateInformation (written.getData(), (int) written.getSize());

    if (stateOf (manager) != written)
        __builtin_trap();

    // Setters and linkers post to the message thread: deliver all of it, so that a run frees what it
    // allocated and libFuzzer's leak check stays quiet.
    bool reached = false;
    juce::MessageManager::callAsync ([&reached] { reached = true; });

    while (! reached)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (0);

    return 0;
}
