#pragma once

#include <juce_events/juce_events.h>

#include <functional>

namespace vqbench
{
/** Runs the message loop in short slices until the condition holds. No timeout: a measurement
    taken before the link is ready would be wrong, so a bench rather waits. */
inline void runMessageLoopUntil (const std::function<bool()>& condition)
{
    while (! condition())
        juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
}
} // namespace vqbench
