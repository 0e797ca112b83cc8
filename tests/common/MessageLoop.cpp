#include "MessageLoop.h"

#include <juce_events/juce_events.h>

namespace vqtest
{
bool runMessageLoopUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounterHiRes() + timeoutMs;

    while (! condition())
    {
        if (juce::Time::getMillisecondCounterHiRes() >= deadline)
            return false;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
    }

    return true;
}

void runMessageLoopFor (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

void drainMessageLoop()
{
    // A message posted now is handled after every message posted before it.
    bool reached = false;
    juce::MessageManager::callAsync ([&reached] { reached = true; });
    runMessageLoopUntil ([&reached] { return reached; }, 5000);
}
} // namespace vqtest
