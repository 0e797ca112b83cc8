#pragma once

#include "VqParamsManager.h"

#include <juce_events/juce_events.h>

namespace juce
{
/** Sets one non-automatable setting of a VqParamsManager from any thread. The value is kept with the
    stamp of its arrival under a short spin lock and applied on the message thread, only when it differs
    from the stored one; several calls before the message thread runs apply the last value once, and a
    change of the setting received after the call wins over it, wherever it was made.
*/
class ThreadBarierNonAutomatableParameter : private AsyncUpdater
{
public:
    ThreadBarierNonAutomatableParameter (VqParamsManager& manager, int index);
    ~ThreadBarierNonAutomatableParameter() override;

    /** Any thread. */
    void setParamValue (const var& value);

    /** Applies a value still waiting for the message thread at once. Message thread. */
    using AsyncUpdater::handleUpdateNowIfNeeded;

private:
    VqParamsManager* manager;
    int index;
    SpinLock busy;
    var pending;
    VqParamsManager::ChangeStamp pendingStamp = 0;

    void handleAsyncUpdate() override;

    JUCE_DECLARE_NON_COPYABLE (ThreadBarierNonAutomatableParameter)
};
} // namespace juce
