#pragma once

#include <functional>

namespace vqtest
{
/** Runs the message loop in short slices until the condition holds or the timeout passes.
    Returns whether the condition held. Timers, AsyncUpdaters and callAsync run meanwhile. */
bool runMessageLoopUntil (const std::function<bool()>& condition, int timeoutMs = 2000);

/** Runs the message loop for the given time, so that timers due in it fire. */
void runMessageLoopFor (int milliseconds);

/** Delivers every message already posted to the message thread. */
void drainMessageLoop();
} // namespace vqtest
