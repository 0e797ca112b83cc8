#include "ThreadBarierNonAutomatableParameter.h"

namespace juce
{
ThreadBarierNonAutomatableParameter::ThreadBarierNonAutomatableParameter (VqParamsManager& owner, int settingIndex)
    : manager (&owner),
      index (settingIndex)
{
}

ThreadBarierNonAutomatableParameter::~ThreadBarierNonAutomatableParameter()
{
    cancelPendingUpdate();
}

void ThreadBarierNonAutomatableParameter::setParamValue (const var& value)
{
    {
        const SpinLock::ScopedLockType lock (busy);
        pending = value;
    }

    // A pending update reads the value when it runs, so the last call wins.
    triggerAsyncUpdate();
}

void ThreadBarierNonAutomatableParameter::handleAsyncUpdate()
{
    var latest;

    {
        const SpinLock::ScopedLockType lock (busy);
        latest = pending;
    }

    if (latest != manager->getNonAutomatableParamValue (index))
        manager->setNonAutomatableParamValue (nullptr, index, latest);
}
} // namespace juce
