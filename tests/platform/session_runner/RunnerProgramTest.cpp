#include "RunnerProcess.h"

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

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
        { "--verbose " + quoted (script), "usage: plemvo_session [--files DIR] SCRIPT" },
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
} // namespace
