// The module's one export besides the entry functions: JUCE's Linux message loop runs only while someone
// dispatches it, and a host without JUCE calls this on its main thread in place of its own run loop.

#include <juce_events/juce_events.h>

namespace
{
// Without an application object JUCE leaves X errors to Xlib, which ends the host's process on the first
// BadAtom; a factory that is never called makes JUCE install its own handlers when a display is there.
const bool juceHandlesXErrors = []
{
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };
    return true;
}();
} // namespace

extern "C" __attribute__ ((visibility ("default"))) void VqRunMessageLoop (int milliseconds)
{
    if (auto* messageManager = juce::MessageManager::getInstanceWithoutCreating())
        messageManager->runDispatchLoopUntil (milliseconds);
}
