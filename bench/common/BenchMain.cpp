#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

// The benchmarks run on the message thread, as the code they measure does.
int main (int argc, char** argv)
{
    // Under Xvfb: without an application object JUCE leaves X errors to Xlib, which ends the process
    // on the first BadAtom; a factory that is never called makes it install its own handlers.
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };
    juce::ScopedJuceInitialiser_GUI juce;

    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
