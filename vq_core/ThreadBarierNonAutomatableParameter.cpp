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
    }

    triggerAsyncUpdate();
}

void ThreadBarierNonAutomatableParameter::giveWay()
{
    if (! applying)
        cancelPendingUpdate();
}

void ThreadBarierNonAutomatableParameter::handleAsyncUpdate()
{
    var latest;

    {
        const SpinLock::ScopedLockType lock (busy);
        latest = pending;
    }

    if (latest != manager->getNonAutomatableParamValue (index))
    {
        const ScopedValueSetter<bool> nowApplying (applying, true);
        manager->setNonAutomatableParamValue (nullptr, index, latest);
    }
}
} // namespace juce
