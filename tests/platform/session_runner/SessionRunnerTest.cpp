#include "RunnerFixture.h"

#include "StateReader.h"

#include <filesystem>
#include <sys/stat.h>

using namespace runnertest;

namespace
{
TEST_F (SessionRunnerTest, ALineThatCannotBePlayedStopsTheSessionWithItsLineNumber)
{
    EXPECT_FALSE (play ("unit 17\ncreate A\nautomate B CHANNEL 1\nwait 10\n"));
    EXPECT_EQ (texts (Kind::error), juce::StringArray ({ "line 3: no instance B (create it first)" }));
    EXPECT_EQ (texts (Kind::action).size(), 3);
}

TEST_F (SessionRunnerTest, UnitActionsThatMakeNoSenseAreErrorsNotCrashes)
{
    for (const auto* script :
         { "unplug 9", "unit 9 unplugged\nunplug 9", "unit 9\nreplug 9", "unit 9\nunit 9", "create A\ncreate A",
           "destroy A", "restore-state A nothing", "create A\nrestore-state A nothing" })
    {
        EXPECT_FALSE (play (script)) << script;
        EXPECT_EQ (texts (Kind::error).size(), 1) << script;
    }
}

TEST_F (SessionRunnerTest, ARestoreReadsOnlyARegularFileOfAStatesSizeAndWaitsOnNothing)
{
    const auto path = [&] (const char* name) { return folder.getChildFile (name).getFullPathName(); };
    ASSERT_EQ (symlink ("/dev/zero", path ("zero").toRawUTF8()), 0);
    ASSERT_EQ (symlink ("/dev/urandom", path ("random").toRawUTF8()), 0);
    ASSERT_EQ (mkfifo (path ("pipe").toRawUTF8(), 0600), 0);
    ASSERT_TRUE (folder.getChildFile ("folder").createDirectory());
    ASSERT_TRUE (folder.getChildFile ("huge").create().wasOk());
    std::filesystem::resize_file (path ("huge").toStdString(), StateReader::maxBytes + 1);

    const auto largest = juce::String ((juce::int64) StateReader::maxBytes);
    const std::pair<const char*, juce::String> cases[] = {
        { "zero", "it is no regular file (a device, a pipe or a socket)" },
        { "random", "it is no regular file (a device, a pipe or a socket)" },
        { "pipe", "it is no regular file (a device, a pipe or a socket)" },
        { "folder", "it is a folder" },
        { "huge", "it is larger than " + largest + " bytes" },
        { "missing", "No such file or directory" },
    };

    for (const auto& [name, reason] : cases)
    {
        EXPECT_FALSE (play ("create A\nrestore-state A " + juce::String (name) + "\n")) << name;
        EXPECT_EQ (texts (Kind::error), juce::StringArray ({ "line 2: cannot read " + path (name) + ": " + reason }))
            << name;
    }

    // A state just at the limit is read, and ignored by the plug-in as the noise it is.
    std::filesystem::resize_file (path ("huge").toStdString(), StateReader::maxBytes);
    EXPECT_TRUE (play ("create A\nrestore-state A huge\n"));
    EXPECT_EQ (count (Kind::info, "A", "host restores the state: " + largest + " bytes from huge"), 1);
}

TEST_F (SessionRunnerTest, AStateOrSnapshotThatCannotBeWrittenIsAnErrorAndKeepsTheFileThatWasThere)
{
    const auto old = folder.getChildFile ("old.state");
    ASSERT_TRUE (old.replaceWithText ("the state saved before"));
    ASSERT_TRUE (folder.getChildFile ("taken").createDirectory());

    EXPECT_FALSE (play ("create A\nsave-state A taken\n"));
    EXPECT_EQ (texts (Kind::error),
               juce::StringArray (
                   { "line 2: cannot write " + folder.getChildFile ("taken").getFullPathName() + ": it is a folder" }));

    EXPECT_FALSE (play ("create A\nsave-state A missing/old.state\n"));
    EXPECT_TRUE (texts (Kind::error)[0].startsWith ("line 2: cannot write " +
                                                    folder.getChildFile ("missing/old.state").getFullPathName()))
        << texts (Kind::error)[0];

    EXPECT_TRUE (play ("create A\nsave-state A old.state\nrestore-state A old.state\n"));
    EXPECT_NE (old.loadFileAsString(), "the state saved before");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles, "*"), 1) << "no temporary file is left";
}

TEST_F (SessionRunnerTest, TwoInstancesContendForOneUnitAndTheSecondTakesItWhenTheFirstGoes)
{
    ASSERT_TRUE (play ("unit 17\ncreate A\nwait 1100\ncreate B\nwait 2100\ndestroy A\nwait 1600\n"));

    EXPECT_EQ (texts (Kind::connection, "A"), juce::StringArray ({ "remembers unit 17", "connected to unit 17" }));
    EXPECT_EQ (texts (Kind::connection, "B"), juce::StringArray ({ "remembers unit 17", "connected to unit 17" }));
    EXPECT_TRUE (texts (Kind::command).isEmpty());
    EXPECT_TRUE (texts (Kind::connection, {}).contains ("units listed: unit 17 taken by B"));
}

TEST_F (SessionRunnerTest, TwoFreeUnitsMakeTheInstanceAskForTheSelectorUntilAUnitIsChosen)
{
    ASSERT_TRUE (play ("unit 17\nunit 23\ncreate A\nwait 2500\nconnect A 23\nwait 100\n"));

    EXPECT_GE (count (Kind::command, "A", "command \"showDeviceSelector\""), 2);
    EXPECT_EQ (texts (Kind::connection, "A"), juce::StringArray ({ "remembers unit 23", "connected to unit 23" }));
    EXPECT_GE (count (Kind::toUnit, "to unit 23", "channel mode"), 1);
    EXPECT_EQ (count (Kind::toUnit, "to unit 17", "channel mode"), 0);
}

TEST_F (SessionRunnerTest, TheMainMenuIsAnErrorWithoutADisplay)
{
    EXPECT_FALSE (play ("create A\nopen-editor A\nmenu A \"Save preset\" sound.vqrp\n"));
    EXPECT_EQ (texts (Kind::error),
               juce::StringArray ({ "line 3: the main menu pops up only on a display, and this session has none" }));
}

TEST_F (SessionRunnerTest, PresetsFollowTheFileRulesThroughTheRunner)
{
    ASSERT_TRUE (folder.getChildFile ("folder.vqrp").createDirectory());
    ASSERT_TRUE (folder.getChildFile ("empty.vqrp").create().wasOk());

    ASSERT_TRUE (play ("create A\nautomate A CHANNEL 1\nautomate A \"HPF 1/STEREO\" 1\nsave-preset A "
                       "sound.txt\nautomate A \"HPF 1/STEREO\" 0\n"
                       "load-preset A folder.vqrp\nload-preset A empty.vqrp\nload-preset A sound.vqrp\n"
                       "save-preset A folder\nprint A\n"));

    const auto folderPath = folder.getChildFile ("folder.vqrp").getFullPathName();
    const auto info = texts (Kind::info, "A");
    const juce::StringArray expected { "created",
                                       "preset saved as sound.vqrp",
                                       "preset ignored: not a file: " + folderPath,
                                       "preset ignored: the file is empty",
                                       "preset loaded from sound.vqrp",
                                       "preset not saved: a folder has that name: " + folderPath };

    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ (info[i], expected[i]);

    EXPECT_TRUE (info.contains ("HPF 1/STEREO            1.000  240 Hz")) << info.joinIntoString ("\n");
}
} // namespace
