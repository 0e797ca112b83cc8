#include <gtest/gtest.h>
#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

#if VQ_TESTS_ON_DISPLAY
#include <dlfcn.h>
#endif

namespace
{
/** Turns a failed jassert into a failure of the running test, whichever thread it fires on. */
class AssertionsFailTests final : public juce::Logger
{
public:
    void logMessage (const juce::String& message) override
    {
        if (message.startsWith ("JUCE Assertion failure"))
            ADD_FAILURE() << message;
        else
            std::cerr << message << std::endl;
    }
};
} // namespace

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);

#if VQ_TESTS_ON_DISPLAY
    // Without an application object JUCE leaves X errors to Xlib, which ends the process on the
    // first BadAtom; a factory that is never called makes it install its own handlers.
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };

    // JUCE unloads the X library at shut-down while Xlib still holds memory for the process, which
    // the sanitizer build's leak check then reports; kept loaded, that memory stays reachable.
    dlopen ("libX11.so.6", RTLD_LAZY | RTLD_NODELETE);
#endif

    AssertionsFailTests logger;
    juce::Logger::setCurrentLogger (&logger);

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juce;
        result = RUN_ALL_TESTS();
    }
    juce::Logger::setCurrentLogger (nullptr);
    return result;
}
