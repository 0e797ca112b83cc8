#include "ScriptReader.h"
#include "SessionLog.h"
#include "SessionRunner.h"

#include <iostream>

namespace
{
void printUsage()
{
    std::cerr << "usage: plemvo_session [--files DIR] SCRIPT\n\n"
                 "Plays a session script: plug-in instances and simulated units in one process, with a log of\n"
                 "the MIDI traffic, what reaches the host and the connection changes. Files that the script\n"
                 "names without a path go to DIR (default: a new temporary folder). One action a line:\n\n"
              << ScriptReader::describeVerbs() << std::endl;
}
} // namespace

// Exit status: 0 when the whole script was played, 1 when a line is wrong or cannot be played, 2 when
// the command line or the script file is.
int main (int argc, char** argv)
{
    // Without an application object JUCE leaves X errors to Xlib, which ends the process on the first
    // BadAtom; a factory that is never called makes it install its own handlers.
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };
    juce::ScopedJuceInitialiser_GUI juce;

    juce::File scriptFile, filesDirectory;
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (juce::String::fromUTF8 (argv[i]));

    if (args.size() == 3 && args[0] == "--files")
    {
        filesDirectory = juce::File::getCurrentWorkingDirectory().getChildFile (args[1]);
        args.removeRange (0, 2);
    }

    if (args.size() != 1 || args[0].startsWith ("-"))
    {
        printUsage();
        return 2;
    }

    scriptFile = juce::File::getCurrentWorkingDirectory().getChildFile (args[0]);

    if (! scriptFile.existsAsFile())
    {
        std::cerr << "plemvo_session: no script file " << scriptFile.getFullPathName() << std::endl;
        return 2;
    }

    juce::FileInputStream in (scriptFile);

    if (! in.openedOk())
    {
        std::cerr << "plemvo_session: cannot read " << scriptFile.getFullPathName() << std::endl;
        return 2;
    }

    const auto script = ScriptReader::read (in.readEntireStreamAsString());

    if (script.error.isNotEmpty())
    {
        std::cerr << scriptFile.getFileName() << ", " << script.error << std::endl;
        return 1;
    }

    std::unique_ptr<juce::TemporaryFile> temporaryDirectory;

    if (filesDirectory == juce::File())
    {
        temporaryDirectory = std::make_unique<juce::TemporaryFile> ("plemvo_session");
        filesDirectory = temporaryDirectory->getFile();
    }

    if (! filesDirectory.createDirectory())
    {
        std::cerr << "plemvo_session: cannot create " << filesDirectory.getFullPathName() << std::endl;
        return 2;
    }

    std::cout << "Session " << scriptFile.getFileName() << ", files in " << filesDirectory.getFullPathName()
              << std::endl;

    SessionLog log (&std::cout);
    bool played = false;

    {
        SessionRunner runner (log, filesDirectory);
        played = runner.play (script.actions);
        runner.shutDown();
    }

    if (temporaryDirectory != nullptr)
        filesDirectory.deleteRecursively();

    std::cout << (played ? "\nSession played to its end." : "\nSession stopped.") << std::endl;
    return played ? 0 : 1;
}
