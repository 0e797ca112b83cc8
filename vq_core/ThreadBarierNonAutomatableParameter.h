#pragma once

#include "VqParamsManager.h"

#include <juce_events/juce_events.h>

namespace juce
{
/** Sets one non-automatable setting of a VqParamsManager from any thread. The value is kept under
    a short spin lock and applied on the message thread, only when it differs from the stored one;
    several calls before the message thread runs apply the last value once, and a change made on the
    message thread before then drops it (see giveWay).
*/
class ThreadBarierNonAutomatableParameter : private AsyncUpdater
{
public:
    ThreadBarierNonAutomatableParameter (VqParamsManager& manager, int index);
    ~ThreadBarierNonAutomatableParameter() override;

    /** Any thread. */
    void setParamValue (const var& value);

    /** Drops a value still waiting for the message thread, as a change of the setting made there
        since is the later one. Its own application of the value gives way to nothing. Message thread.
    */
    void giveWay();

    /** Applies a value still waiting for the message thread at once. Message thread. */
    using AsyncUpdater::handleUpdateNowIfNeeded;

    /** Whether a value is waiting for the message thread. Any thread. */
    using AsyncUpdater::isUpdatePending;

    /** Whether the manager is being given a value from here now. Message thread. */
    bool isApplying() const noexcept { return applying; }

private:
    VqParamsManager* manager;
    int index;
    SpinLock busy;
    var pending;
    bool applying = false; // message thread

    void handleAsyncUpdate() override;

    JUCE_DECLARE_NON_COPYABLE (ThreadBarierNonAutomatableParameter)
};
} // namespace juce
