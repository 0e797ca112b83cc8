#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

namespace vqtest
{
/** A host that echoes every value the plug-in announces, as an AAX host and the JUCE wrapper do together:
    the host hands each set request back on a thread of its own after a delay, and the wrapper writes the
    echo into the parameter only when it differs from the value the parameter shows, then tells the
    parameter's listeners without asking the host again.

    `later` runs a function on the host's thread after the delay, on the test's clock, so that how late
    the echo is against the other traffic is chosen by the test, not by the machine's speed.
*/
class EchoingHost : private juce::AudioProcessorListener
{
public:
    using Delay = std::chrono::milliseconds;
    using Later = std::function<void (Delay delay, std::function<void()> function)>;

    EchoingHost (juce::AudioProcessor& processor, Later runLater, Delay echoDelay)
        : later (std::move (runLater)),
          delay (echoDelay),
          target (std::make_shared<Target> (processor))
    {
        processor.addListener (this);
    }

    /** Echoes still on their way are dropped. */
    ~EchoingHost() override
    {
        const std::lock_guard<std::mutex> guard (target->lock);
        target->processor->removeListener (this);
        target->processor = nullptr;
    }

    /** Echoes that differed from the value shown, so that the wrapper wrote them into the parameter. */
    int getNumWritten() const noexcept { return target->written; }

private:
    struct Target
    {
        explicit Target (juce::AudioProcessor& p)
            : processor (&p)
        {
        }

        std::mutex lock;
        juce::AudioProcessor* processor;
        std::atomic<int> written { 0 };
    };

    Later later;
    Delay delay;
    std::shared_ptr<Target> target;
    static inline thread_local bool insideEcho = false;

    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
    {
        // The wrapper's own telling of an echo is no set request.
        if (! insideEcho)
            later (delay, [t = target, index, value] { echo (*t, index, value); });
    }

    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    static void echo (Target& t, int index, float value)
    {
        const std::lock_guard<std::mutex> guard (t.lock);

        if (t.processor == nullptr)
            return;

        auto* parameter = t.processor->getParameters()[index];

        if (value == parameter->getValue())
            return;

        ++t.written;
        parameter->setValue (value);
        insideEcho = true;
        parameter->sendValueChangedMessageToListeners (value);
        insideEcho = false;
    }
};
} // namespace vqtest
