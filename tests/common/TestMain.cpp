#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

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
