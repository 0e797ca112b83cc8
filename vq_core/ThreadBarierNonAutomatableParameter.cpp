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
    // The update to come then reads this value; one already on its way is not needed.
    cancelPendingUpdate();

    {
        const SpinLock::ScopedLockType lock (busy);
        pending = value;
        pendingStamp = manager->takeChangeStamp();
    }

    triggerAsyncUpdate();
}

void ThreadBarierNonAutomatableParameter::handleAsyncUpdate()
{
    var latest;
    VqParamsManager::ChangeStamp received;

    {
        const SpinLock::ScopedLockType lock (busy);
        latest = pending;
        received = pendingStamp;
    }

    manager->applyNonAutomatableParamValue (nullptr, index, latest, received, VqParamsManager::Unchanged::keepQuiet);
}
} // namespace juce
