#include "ScriptReader.h"
#include "SessionLog.h"
#include "SessionRunner.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <iostream>
#include <optional>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Last: Xlib's macros (None, Bool, Status) would clash with the names of the headers above.
#include <X11/Xlib.h>

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

XErrorHandler juceXErrorHandler = nullptr;

int passOnAllButBadAtom (Display* display, XErrorEvent* event)
{
    return event->error_code == BadAtom || juceXErrorHandler == nullptr ? 0 : juceXErrorHandler (display, event);
}

// JUCE asks the server for window properties by atoms that a server without a window manager (Xvfb) does
// not know; each answer is a harmless BadAtom error that JUCE's debug build prints, hundreds a session.
// Every other X error still reaches JUCE's handler.
void quietBadAtomErrors (void* x11)
{
    if (x11 == nullptr || juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isEmpty())
        return;

    using SetHandler = XErrorHandler (*) (XErrorHandler);
    auto* setHandler = reinterpret_cast<SetHandler> (dlsym (x11, "XSetErrorHandler"));

    // JUCE opens the display and installs its handler on the first look at the displays.
    juce::Desktop::getInstance().getDisplays();

    if (setHandler != nullptr)
        juceXErrorHandler = setHandler (passOnAllButBadAtom);
}

int play (const juce::String& scriptName, const ScriptReader::Script& script, const juce::File& filesDirectory)
{
    // Without an application object JUCE leaves X errors to Xlib, which ends the process on the first
    // BadAtom; a factory that is never called makes it install its own handlers.
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };

    // JUCE unloads the X library at shut-down while Xlib still holds memory for the process, which a
    // sanitizer build's leak check then reports; kept loaded, that memory stays reachable.
    auto* x11 = dlopen ("libX11.so.6", RTLD_LAZY | RTLD_NODELETE);

    juce::ScopedJuceInitialiser_GUI juce;
    quietBadAtomErrors (x11);

    // JUCE's message loop takes Ctrl-C as a request to quit an application, which a session does not
    // have: its loop would only spin. Ctrl-C ends the session instead.
    std::signal (SIGINT, SIG_DFL);

    std::cout << "Session " << scriptName << ", files in " << filesDirectory.getFullPathName() << std::endl;

    SessionLog log (&std::cout, &std::cerr, scriptName + ", ");
    bool played = false;

    {
        SessionRunner runner (log, filesDirectory);
        played = runner.play (script.actions);
        runner.shutDown();
    }

    std::cout << (played ? "\nSession played to its end." : "\nSession stopped.") << std::endl;
    return played ? 0 : 1;
}

volatile pid_t player = 0;

// The stops a user or a system may ask for; the child gets them passed on.
constexpr int stopSignals[] = { SIGINT, SIGTERM, SIGHUP, SIGQUIT };

void passOn (int signal)
{
    kill (player, signal);
}

constexpr const char* temporaryPrefix = "plemvo_session_";

/** A new folder of its own in the system's temporary folder, named after this process, or nothing. */
std::optional<juce::File> createTemporaryFolder()
{
    auto pattern = juce::File::getSpecialLocation (juce::File::tempDirectory)
                       .getChildFile (temporaryPrefix + juce::String (getpid()) + "_XXXXXX")
                       .getFullPathName()
                       .toStdString();

    if (mkdtemp (pattern.data()) == nullptr)
        return {};

    return juce::File (pattern);
}

/** Removes this user's temporary folders whose runner is gone: one killed outright (SIGKILL) could not
    remove its own. A folder whose number is a live process's stays, whoever that process is. */
void removeFoldersOfRunnersGone()
{
    for (const auto& entry :
         juce::RangedDirectoryIterator (juce::File::getSpecialLocation (juce::File::tempDirectory), false,
                                        juce::String (temporaryPrefix) + "*", juce::File::findDirectories))
    {
        const auto folder = entry.getFile();
        const auto number = folder.getFileName()
                                .fromFirstOccurrenceOf (temporaryPrefix, false, false)
                                .upToFirstOccurrenceOf ("_", false, false);
        struct stat info
        {
        };

        if (! number.containsOnly ("0123456789") || number.isEmpty() ||
            lstat (folder.getFullPathName().toRawUTF8(), &info) != 0 || ! S_ISDIR (info.st_mode) ||
            info.st_uid != getuid())
            continue;

        if (kill ((pid_t) number.getLargeIntValue(), 0) != 0 && errno == ESRCH)
            folder.deleteRecursively();
    }
}

// The session plays in a child process, and this one removes the temporary folder however the child
// ends: a crash or a signal leaves nothing behind. Nothing for the child, which goes on to play; the
// exit status for this process, which passes an end by a signal on as its own.
std::optional<int> watchOverTemporaryFolder (const juce::File& folder)
{
    // Held back until the handlers know the child, so that no stop is lost or sent astray.
    sigset_t stops, previous;
    sigemptyset (&stops);

    for (auto s : stopSignals)
        sigaddset (&stops, s);

    sigprocmask (SIG_BLOCK, &stops, &previous);
    std::cout.flush();
    std::cerr.flush();
    const auto parent = getpid();
    const auto child = fork();

    if (child == 0)
    {
        // The session ends with this process, however that ends: killed outright it cannot pass a stop on.
        prctl (PR_SET_PDEATHSIG, SIGKILL);

        if (getppid() != parent)
            _exit (128 + SIGKILL);

        sigprocmask (SIG_SETMASK, &previous, nullptr);
        return {};
    }

    if (child < 0)
    {
        sigprocmask (SIG_SETMASK, &previous, nullptr);
        std::cerr << "plemvo_session: cannot start the session: " << std::strerror (errno) << std::endl;
        folder.deleteRecursively();
        return 2;
    }

    player = child;

    for (auto s : stopSignals)
        std::signal (s, passOn);

    sigprocmask (SIG_SETMASK, &previous, nullptr);
    int status = 0;

    while (waitpid (child, &status, 0) < 0 && errno == EINTR)
    {
    }

    folder.deleteRecursively();

    if (! WIFSIGNALED (status))
        return WEXITSTATUS (status);

    const auto signal = WTERMSIG (status);
    std::cerr << "plemvo_session: the session ended on signal " << signal << " (" << strsignal (signal)
              << "); its temporary folder is removed" << std::endl;

    // A stop asked for from outside ends this process the same way, as a shell expects.
    if (signal == SIGINT || signal == SIGTERM || signal == SIGHUP)
    {
        std::signal (signal, SIG_DFL);
        raise (signal);
    }

    return 128 + signal;
}
} // namespace

// Exit status: 0 when the whole script was played, 1 when a line is wrong or cannot be played, 2 when
// the command line or the script file is; 128 + n when the session ended on signal n.
int main (int argc, char** argv)
{
    const auto wrongCommandLine = [] (const juce::String& problem)
    {
        if (problem.isNotEmpty())
            std::cerr << "plemvo_session: " << problem << "\n\n";

        printUsage();
        return 2;
    };

    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
    {
        // A path that a juce::String cannot give back byte for byte would name another file.
        if (! ScriptReader::isExactUtf8 (argv[i], std::strlen (argv[i])))
        {
            std::cerr << "plemvo_session: the argument \"" << argv[i]
                      << "\" is not UTF-8 text; the runner takes paths only as UTF-8, byte for byte" << std::endl;
            return 2;
        }

        args.add (juce::String::fromUTF8 (argv[i]));
    }

    std::optional<juce::File> filesDirectory;
    juce::StringArray scripts;

    for (int i = 0; i < args.size(); ++i)
    {
        if (args[i] == "--files")
        {
            if (i + 1 == args.size())
                return wrongCommandLine ("--files needs a folder");

            filesDirectory = juce::File::getCurrentWorkingDirectory().getChildFile (args[++i]);
        }
        else if (args[i].startsWith ("-"))
            return wrongCommandLine ("unknown option " + args[i]);
        else
            scripts.add (args[i]);
    }

    if (scripts.size() != 1)
        return wrongCommandLine (scripts.isEmpty() ? "no script named" : "one script at a time");

    if (filesDirectory.has_value() && ! filesDirectory->isDirectory())
    {
        std::cerr << "plemvo_session: --files " << filesDirectory->getFullPathName()
                  << (filesDirectory->exists() ? " is not a folder" : ": no such folder (the runner creates none)")
                  << std::endl;
        return 2;
    }

    const auto scriptFile = juce::File::getCurrentWorkingDirectory().getChildFile (scripts[0]);

    if (scriptFile.isDirectory())
    {
        std::cerr << "plemvo_session: " << scriptFile.getFullPathName() << " is a folder, not a script file"
                  << std::endl;
        return 2;
    }

    if (! scriptFile.existsAsFile())
    {
        std::cerr << "plemvo_session: no script file " << scriptFile.getFullPathName() << std::endl;
        return 2;
    }

    juce::MemoryBlock bytes;

    if (! scriptFile.loadFileAsData (bytes))
    {
        std::cerr << "plemvo_session: cannot read " << scriptFile.getFullPathName() << std::endl;
        return 2;
    }

    const auto script = ScriptReader::read (bytes);

    if (script.error.isNotEmpty())
    {
        std::cerr << scriptFile.getFileName() << ", " << script.error << std::endl;
        return 1;
    }

    if (! filesDirectory.has_value())
    {
        removeFoldersOfRunnersGone();
        const auto folder = createTemporaryFolder();

        if (! folder.has_value())
        {
            std::cerr << "plemvo_session: cannot create a temporary folder: " << std::strerror (errno) << std::endl;
            return 2;
        }

        filesDirectory = folder;

        if (const auto status = watchOverTemporaryFolder (*filesDirectory))
            return *status;
    }

    return play (scriptFile.getFileName(), script, *filesDirectory);
}
