// Any bytes handed to the session-state reader: no crash, no hang, nothing outside the data read,
// every parameter finite within 0..1 afterwards, the state written then reads back to itself, and
// a tree that the guarded reader accepts is the one JUCE's own reader builds from the same bytes.
#include "GuardedValueTreeReader.h"
#include "PluginInstance.h"

#include <juce_events/juce_events.h>

#include <cstring>

namespace
{
/** What a state holds, read from the manager: when a run leaves it as it was, the state written is
    the one already checked. */
struct Snapshot
{
    std::vector<float> params;
    std::vector<juce::var> settings;

    explicit Snapshot (const PlemvoParamsManager& manager)
    {
        for (int i = 0; i < manager.getNumParams(); ++i)
            params.push_back (manager.getParamValue (i));

        for (int i = 0; i < manager.getNumNonAutomatableParams(); ++i)
            settings.push_back (manager.getNonAutomatableParamValue (i));
    }

    bool operator== (const Snapshot& other) const
    {
        // Bit for bit: a NaN must not compare unequal to itself and a -0.0 must not pass as 0.0.
        return params.size() == other.params.size() &&
               std::memcmp (params.data(), other.params.data(), params.size() * sizeof (float)) == 0 &&
               std::equal (settings.begin(), settings.end(), other.settings.begin(), other.settings.end(),
                           [] (const juce::var& a, const juce::var& b) { return a.hasSameTypeAs (b) && a == b; });
    }
};

struct Harness
{
    juce::ScopedJuceInitialiser_GUI juce;
    PlemvoPluginInstance instance;
    Snapshot checked { instance.getPlemvoParams() }; // the state whose round trip was checked last
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

    // Setters and linkers post to the message thread: deliver all of it, so that a run frees what it
    // allocated, libFuzzer's leak check stays quiet and the settings are in place.
    bool reached = false;
    juce::MessageManager::callAsync ([&reached] { reached = true; });

    while (! reached)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (0);

    // Most inputs change nothing: their state is the one checked before, and its round trip (a write,
    // a full restore, a write) is paid only by an input that changed something.
    Snapshot now (manager);

    if (now == harness->checked)
        return 0;

    const auto written = stateOf (manager);
    manager.setStateInformation (written.getData(), (int) written.getSize());

    if (stateOf (manager) != written)
        __builtin_trap();

    harness->checked = std::move (now);
    return 0;
}
