// The module's one export besides the entry functions: JUCE's Linux message loop runs only while someone
// dispatches it, and a host without JUCE calls this on its main thread in place of its own run loop.

#include <juce_events/juce_events.h>

extern "C" __attribute__ ((visibility ("default"))) void VqRunMessageLoop (int milliseconds)
{
    if (auto* messageManager = juce::MessageManager::getInstanceWithoutCreating())
        messageManager->runDispatchLoopUntil (milliseconds);
}
