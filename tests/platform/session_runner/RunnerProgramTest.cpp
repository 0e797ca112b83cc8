#include "RunnerProcess.h"

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

using namespace runnertest;

namespace
{
/** A folder of its own for each test, with the script and the files it names. */
class RunnerProgram : public testing::Test
{
protected:
    juce::File writeScript (const juce::String& text)
    {
        const auto script = folder.getChildFile ("test.session");
        EXPECT_TRUE (script.replaceWithText (text));
        return script;
    }

    static std::string quoted (const juce::File& file) { return "\"" + file.getFullPathName().toStdString() + "\""; }

    juce::TemporaryFile holder;
    const juce::File folder = [this]
    {
        holder.getFile().createDirectory();
        return holder.getFile();
    }();
};

TEST_F (RunnerProgram, AWrongCommandLineOrScriptFileEndsWithExitStatusTwoAndSaysWhy)
{
    const auto missing = folder.getChildFile ("missing.session");
    const auto script = writeScript ("wait 1\n");

    const std::pair<std::string, std::string> cases[] = {
        { "", "usage: plemvo_session [--files DIR] SCRIPT" },
        { "--files", "usage: plemvo_session [--files DIR] SCRIPT" },
        { "--files " + quoted (folder), "usage: plemvo_session [--files DIR] SCRIPT" },
        { quoted (script) + " " + quoted (script), "usage: plemvo_session [--files DIR] SCRIPT" },
        { "--verbose " + quoted (script), "plemvo_session: unknown option --verbose" },
        { quoted (script) + " -x", "plemvo_session: unknown option -x" },
        { quoted (script) + " --files", "plemvo_session: --files needs a folder" },
        { "--files " + quoted (script) + " " + quoted (script),
          "plemvo_session: --files " + script.getFullPathName().toStdString() + " is not a folder" },
        { "--files " + quoted (missing.getChildFile ("deeper")) + " " + quoted (script),
          "plemvo_session: --files " + missing.getChildFile ("deeper").getFullPathName().toStdString() +
              ": no such folder (the runner creates none)" },
        { quoted (missing), "plemvo_session: no script file " + missing.getFullPathName().toStdString() },
        { quoted (folder),
          "plemvo_session: " + folder.getFullPathName().toStdString() + " is a folder, not a script file" },
    };

    for (const auto& [arguments, message] : cases)
    {
        RunnerProcess runner (arguments);
        EXPECT_EQ (runner.readUntil (message), message) << arguments;
        EXPECT_TRUE (exitedWith (runner.finish(), 2)) << arguments;
    }

    EXPECT_FALSE (missing.exists()) << "--files created the folder";

    RunnerProcess wrongLine (quoted (writeScript ("wait -1\n")));
    const auto error = "test.session, line 1: a wait is 0 to 600000 ms, not \"-1\"";
    EXPECT_EQ (wrongLine.readUntil (error), error);
    EXPECT_TRUE (exitedWith (wrongLine.finish(), 1));
}

TEST_F (RunnerProgram, AStateOrSnapshotCutShortByAFullDiskIsAnErrorAndTheOldFileStaysAsItWas)
{
    // A file size limit of 512 bytes stands in for a disk that fills up during the write.
    for (const auto* line : { "save-state A old", "open-editor A\nsnapshot A old" })
    {
        const auto old = folder.getChildFile ("old");
        ASSERT_TRUE (old.replaceWithText ("what was saved before"));
        const auto script = writeScript ("create A\n" + juce::String (line) + "\n");

        RunnerProcess runner ("--files " + quoted (folder) + " " + quoted (script), "ulimit -f 1; trap \"\" XFSZ;");
        const auto error = runner.readUntil ("cannot write");
        EXPECT_NE (error.find ("cannot write " + old.getFullPathName().toStdString() + ": "), std::string::npos)
            << line << ": " << error;
        EXPECT_TRUE (exitedWith (runner.finish(), 1)) << line << runner.rest;
        EXPECT_EQ (old.loadFileAsString(), "what was saved before") << line;
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 2) << line << ": a temporary file is left";
    }
}

TEST_F (RunnerProgram, ASessionThatCrashesOrIsStoppedLeavesNoTemporaryFolderBehind)
{
    const auto script = writeScript ("create A\nwait 600000\n");

    const struct
    {
        int signal;
        bool crash; // sent to the process that plays, as its own fault would end it
    } cases[] = { { SIGSEGV, true }, { SIGABRT, true }, { SIGTERM, false }, { SIGINT, false } };

    for (const auto& c : cases)
    {
        RunnerProcess runner (quoted (script), "ulimit -c 0;");
        const auto start = runner.readUntil ("files in ");
        ASSERT_NE (start.find ("files in "), std::string::npos) << start;
        ASSERT_NE (runner.readUntil ("line 2: wait 600000"), "");
        const juce::File temporary (start.substr (start.find ("files in ") + 9));
        ASSERT_TRUE (temporary.isDirectory()) << temporary.getFullPathName();

        kill (c.crash ? runner.player() : runner.pid, c.signal);
        const auto status = runner.finish();

        EXPECT_FALSE (temporary.exists()) << strsignal (c.signal);

        if (c.crash)
            EXPECT_FALSE (exitedWith (status, 0)) << strsignal (c.signal);
        else
            EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == c.signal) << strsignal (c.signal) << runner.rest;
    }
}
// A name in another encoding would be read as another name: it is refused, on the command line and in
// a script, and no file of either name is written.
TEST_F (RunnerProgram, APathThatIsNotUtf8IsRefusedNotReadAsAnotherName)
{
    const std::string latin1 = "caf\xe9";
    const auto script = writeScript ("create A\n");

    RunnerProcess argument ("--files " + quoted (folder) + "/" + latin1 + " " + quoted (script));
    const auto said = "plemvo_session: the argument \"" + folder.getFullPathName().toStdString() + "/" + latin1 +
                      "\" is not UTF-8 text; the runner takes paths only as UTF-8, byte for byte";
    EXPECT_EQ (argument.readUntil ("UTF-8"), said);
    EXPECT_TRUE (exitedWith (argument.finish(), 2));

    const auto bytes = "create A\nsave-state A " + latin1 + ".state\n";
    const auto scriptFile = folder.getChildFile ("latin1.session");
    ASSERT_TRUE (scriptFile.replaceWithData (bytes.data(), bytes.size()));
    RunnerProcess line ("--files " + quoted (folder) + " " + quoted (scriptFile));
    const auto error = "latin1.session, line 2: the line is not UTF-8 text; the runner takes names and paths only as "
                       "UTF-8, byte for byte";
    EXPECT_EQ (line.readUntil ("UTF-8"), error);
    EXPECT_TRUE (exitedWith (line.finish(), 1));

    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 2) << "a file was written";
}

// A runner killed outright cannot pass the stop on: its session ends with it, and the next run removes
// the temporary folder it left.
TEST_F (RunnerProgram, AKilledRunnersSessionEndsWithItAndTheNextRunRemovesItsFolder)
{
    const auto script = writeScript ("create A\nwait 600000\n");
    RunnerProcess runner (quoted (script));
    const auto start = runner.readUntil ("files in ");
    ASSERT_NE (start.find ("files in "), std::string::npos) << start;
    ASSERT_NE (runner.readUntil ("line 2: wait 600000"), "");
    const juce::File temporary (start.substr (start.find ("files in ") + 9));
    const auto player = runner.player();
    ASSERT_NE (player, runner.pid);

    kill (runner.pid, SIGKILL);
    runner.finish();

    // The child is gone once /proc no longer lists it as running (a zombie of a reaper-less parent counts
    // as gone).
    const auto alive = [player]
    {
        std::ifstream stat ("/proc/" + std::to_string (player) + "/stat");
        std::string pid, name, state;
        return stat >> pid >> name >> state && state != "Z";
    };

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds (10);

    while (alive() && std::chrono::steady_clock::now() < end)
        std::this_thread::yield();

    if (alive())
        kill (player, SIGKILL);

    ASSERT_FALSE (alive()) << "the session played on after its runner was killed";

    EXPECT_TRUE (temporary.isDirectory()) << "nothing could remove it yet";
    RunnerProcess next (quoted (writeScript ("wait 1\n")));
    EXPECT_TRUE (exitedWith (next.finish(), 0)) << next.rest;
    EXPECT_FALSE (temporary.exists()) << temporary.getFullPathName();
}

// Without a display the mouse has no window to go through: the line says so, and why there is none (no
// DISPLAY, or one that names no display the runner can reach), and JUCE asserts nothing.
TEST_F (RunnerProgram, AMouseLineWithoutADisplaySaysItNeedsOneAndWhyThereIsNoneAndNothingAsserts)
{
    const std::pair<std::string, std::string> displays[] = {
        { "unset DISPLAY;", "this session has none" },
        { "export DISPLAY=:65000;", "the display in DISPLAY (:65000) could not be opened" },
    };

    for (const auto& [setUp, why] : displays)
        for (const auto* line : { "click A 1 engage", "double-click A 1 eq1-gain", "drag A 1 eq1-gain 40" })
        {
            RunnerProcess runner ("--files " + quoted (folder) + " " +
                                      quoted (writeScript ("create A\nopen-editor A\n" + juce::String (line) + "\n")),
                                  setUp);
            EXPECT_TRUE (exitedWith (runner.finish(), 1)) << line;
            EXPECT_NE (runner.rest.find ("ERROR line 3: the mouse needs the window on a display, and " + why),
                       std::string::npos)
                << line << runner.rest;
            EXPECT_EQ (runner.rest.find ("JUCE Assertion"), std::string::npos) << line << runner.rest;
        }
}

// What stops a session while it plays goes to standard error too, as a wrong line found before it plays does.
TEST_F (RunnerProgram, ALineThatCannotBePlayedIsSaidOnStandardErrorWithTheScriptsName)
{
    const auto script = writeScript ("create A\nconnect A 99\n");
    const auto command =
        std::string (VQ_SESSION_RUNNER) + " --files " + quoted (folder) + " " + quoted (script) + " 2>&1 >/dev/null";
    auto* errors = popen (command.c_str(), "r");
    ASSERT_NE (errors, nullptr);
    std::string said;

    for (int c; (c = std::fgetc (errors)) != EOF;)
        said += char (c);

    EXPECT_TRUE (exitedWith (pclose (errors), 1));
    // JUCE's debug build may greet on standard error first.
    EXPECT_NE (("\n" + said).find ("\ntest.session, line 2: no unit 99 in this session\n"), std::string::npos) << said;
}
} // namespace
