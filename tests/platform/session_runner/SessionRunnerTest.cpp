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
           "destroy A", "restore-state A nothing", "create A\nrestore-state A nothing", "create A\nconnect A 99" })
    {
        EXPECT_FALSE (play (script)) << script;
        EXPECT_EQ (texts (Kind::error).size(), 1) << script;
    }
}

TEST_F (SessionRunnerTest, AUnitThatDoesNotExistStopsTheScriptWhereverItIsNamed)
{
    for (const auto* line : { "unplug 99", "turn 99 lpf 3", "connect A 99" })
    {
        EXPECT_FALSE (play ("unit 17\ncreate A\n" + juce::String (line) + "\nwait 10\n")) << line;
        EXPECT_EQ (texts (Kind::error), juce::StringArray ({ "line 3: no unit 99 in this session" })) << line;
        EXPECT_EQ (texts (Kind::action).size(), 3) << line;
    }
}

TEST_F (SessionRunnerTest, EveryUnitLineIsLoggedHowEverTheUnitIsAdded)
{
    ASSERT_TRUE (play ("unit 9 unplugged\nunit 10\nunit 11 silent\nreplug 9\n"));
    EXPECT_EQ (texts (Kind::info, "unit 9"), juce::StringArray ({ "added, not plugged in", "plugged in" }));
    EXPECT_EQ (texts (Kind::info, "unit 10"), juce::StringArray ({ "plugged in" }));
    EXPECT_EQ (texts (Kind::info, "unit 11"), juce::StringArray ({ "plugged in (never answers)" }));
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
        { "zero", "it is not a regular file (a device, a pipe or a socket)" },
        { "random", "it is not a regular file (a device, a pipe or a socket)" },
        { "pipe", "it is not a regular file (a device, a pipe or a socket)" },
        { "folder", "it is a folder" },
        { "huge", "the file is too large (" + juce::String ((juce::int64) StateReader::maxBytes + 1) +
                      " bytes; at most " + largest + ")" },
        { "missing", "the file does not exist" },
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

TEST_F (SessionRunnerTest, AStateSavedThroughALinkGoesToTheFileItNamesWithThatFilesPermissions)
{
    const auto saved = folder.getChildFile ("saved.state");
    ASSERT_TRUE (saved.replaceWithText ("old"));
    ASSERT_EQ (chmod (saved.getFullPathName().toRawUTF8(), 0600), 0);
    ASSERT_EQ (symlink ("saved.state", folder.getChildFile ("link.state").getFullPathName().toRawUTF8()), 0);

    ASSERT_TRUE (play ("create A\nsave-state A link.state\n"));
    EXPECT_TRUE (folder.getChildFile ("link.state").isSymbolicLink());
    EXPECT_NE (saved.loadFileAsString(), "old");
    EXPECT_EQ (std::filesystem::status (saved.getFullPathName().toStdString()).permissions(),
               std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// The runner plays as root in the README's set-up: a save-state onto a device would replace the
// machine's node with a file. A device node is made only where the process may make one (root).
TEST_F (SessionRunnerTest, ASaveOntoAPipeSocketDeviceOrLoopingLinkStopsTheSessionWithTheReasonAndChangesNothing)
{
    using vqtest::SpecialFile;
    const auto path = [this] (const char* name) { return folder.getChildFile (name).getFullPathName(); };
    const juce::String notRegular ("it is not a regular file (a device, a pipe or a socket)");
    const juce::String loops ("the link leads nowhere: it loops");

    ASSERT_TRUE (folder.getChildFile ("old.state").replaceWithText ("the state saved before"));
    ASSERT_TRUE (vqtest::makeSpecialFile (SpecialFile::pipe, folder.getChildFile ("pipe.vqrp")));
    ASSERT_TRUE (vqtest::makeSpecialFile (SpecialFile::socket, folder.getChildFile ("socket.vqrp")));
    const auto device = vqtest::makeSpecialFile (SpecialFile::device, folder.getChildFile ("null.vqrp"));
    ASSERT_EQ (symlink ("pipe.vqrp", path ("to-pipe.state").toRawUTF8()), 0);
    ASSERT_EQ (symlink ("b.vqrp", path ("a.vqrp").toRawUTF8()), 0);
    ASSERT_EQ (symlink ("a.vqrp", path ("b.vqrp").toRawUTF8()), 0);

    std::vector<std::pair<juce::String, juce::String>> cases = {
        { "save-state A pipe.vqrp", "cannot write " + path ("pipe.vqrp") + ": " + notRegular },
        { "save-state A to-pipe.state", "cannot write " + path ("to-pipe.state") + ": " + notRegular },
        { "save-state A socket.vqrp", "cannot write " + path ("socket.vqrp") + ": " + notRegular },
        { "save-state A a.vqrp", "cannot write " + path ("a.vqrp") + ": " + loops },
        { "save-preset A pipe.vqrp", "pipe.vqrp was not saved: " + notRegular },
        { "save-preset A socket.vqrp", "socket.vqrp was not saved: " + notRegular },
        { "save-preset A b.vqrp", "b.vqrp was not saved: " + loops },
    };

    if (device)
        cases.insert (cases.end(),
                      { { "save-state A null.vqrp", "cannot write " + path ("null.vqrp") + ": " + notRegular },
                        { "save-preset A null.vqrp", "null.vqrp was not saved: " + notRegular } });

    const auto before = vqtest::describeFolder (folder);

    for (const auto& [line, reason] : cases)
    {
        EXPECT_FALSE (play ("create A\n" + line + "\nprint A\n")) << line;
        EXPECT_EQ (texts (Kind::error).joinIntoString ("\n"), "line 2: " + reason) << line;
        EXPECT_EQ (count (Kind::info, "A", "saved"), 0) << line;
    }

    EXPECT_EQ (vqtest::describeFolder (folder), before);
}

// linkdir -> real/dir, real/dir/p.state -> ../target.state: the system reads real/target.state.
TEST_F (SessionRunnerTest, AStateSavedThroughALinkInALinkedFolderGoesToTheFileTheSystemReadsThroughIt)
{
    const auto path = [this] (const char* name) { return folder.getChildFile (name).getFullPathName(); };
    ASSERT_TRUE (folder.getChildFile ("real/dir").createDirectory());
    ASSERT_TRUE (folder.getChildFile ("target.state").replaceWithText ("unrelated"));
    ASSERT_EQ (symlink ("real/dir", path ("linkdir").toRawUTF8()), 0);
    ASSERT_EQ (symlink ("../target.state", path ("real/dir/p.state").toRawUTF8()), 0);

    ASSERT_TRUE (play ("create A\nsave-state A linkdir/p.state\nrestore-state A linkdir/p.state\n"))
        << texts (Kind::error).joinIntoString ("\n");

    EXPECT_EQ (count (Kind::info, "A", "host restores the state"), 1);
    EXPECT_TRUE (folder.getChildFile ("real/target.state").existsAsFile());
    EXPECT_EQ (folder.getChildFile ("target.state").loadFileAsString(), "unrelated");
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

// As the selector's buttons: a disconnect holds until a connect, which connects even after a disconnect.
TEST_F (SessionRunnerTest, ConnectAndDisconnectSetWhetherTheInstanceShouldBeConnectedAsTheSelectorDoes)
{
    ASSERT_TRUE (play ("unit 17\ncreate A\nwait 1200\ndisconnect A\nwait 2500\nprint A\nconnect A 17\nwait 1200\n"
                       "print A\n"));

    EXPECT_EQ (texts (Kind::connection, "A"), juce::StringArray ({ "remembers unit 17", "connected to unit 17",
                                                                   "not connected any more", "connected to unit 17" }))
        << texts (Kind::connection, "A").joinIntoString (" | ");
    EXPECT_EQ (count (Kind::info, "A", "SHOULD BE CONNECTED     false"), 1);
    EXPECT_EQ (count (Kind::info, "A", "SHOULD BE CONNECTED     true"), 1);
}

// B holds unit 7, whose state A restores: the move is refused and A goes on remembering unit 6, which is no
// change to log.
TEST_F (SessionRunnerTest, ARefusedMoveLogsNoChangeOfTheUnitTheInstanceRemembers)
{
    ASSERT_TRUE (play ("unit 6\nunit 7\ncreate A\nconnect A 6\ncreate B\nconnect B 7\nwait 1200\n"
                       "save-state B b.state\nrestore-state A b.state\nwait 1200\nprint A\n"));

    EXPECT_EQ (texts (Kind::connection, "A"), juce::StringArray ({ "remembers unit 6", "connected to unit 6" }));
    EXPECT_TRUE (texts (Kind::info, "A").contains ("CONNECTED DEV SN        6"));
}

// Whether the request comes before the window opens or after, no selector pops up without a display.
TEST_F (SessionRunnerTest, AWindowWithoutADisplayLeavesTheDeviceSelectorRequestWaiting)
{
    for (const auto* script : { "create A\nopen-editor A\nwait 200\nunit 1\nunit 2\nwait 1500\nprint A\n",
                                "unit 1\nunit 2\ncreate A\nwait 1200\nopen-editor A\nwait 100\nprint A\n" })
    {
        ASSERT_TRUE (play (script)) << script;
        EXPECT_GE (count (Kind::command, "A", "command \"showDeviceSelector\""), 1) << script;
        EXPECT_EQ (count (Kind::info, "A", "the waiting device-selector request goes to its menu bar"), 0) << script;
    }

    EXPECT_EQ (count (Kind::info, "A", "the device-selector request goes on waiting"), 1);
}

// Units 10 and 17, A on 17 saves a preset and B on 10 loads it: B moves to 17 when it is free, and
// keeps 10 when A holds 17; either way B's settings and its automation name the same unit.
TEST_F (SessionRunnerTest, APresetNamingAnotherUnitLeavesTheSettingsNamingTheUnitInUse)
{
    const auto script = [] (bool aGoes)
    {
        return juce::String ("unit 10\nunit 17\ncreate A\nwait 1200\nconnect A 17\nsave-preset A a.vqrp\n") +
               (aGoes ? "destroy A\n" : "") +
               "create B\nsetting B \"CONNECTED DEV SN\" 10\nwait 2500\nload-preset B a.vqrp\nwait 1100\n"
               "automate B \"HPF 1/STEREO\" 1\nprint B\n";
    };

    for (const auto& [aGoes, unitOfB] : { std::pair { true, 17 }, std::pair { false, 10 } })
    {
        ASSERT_TRUE (play (script (aGoes))) << texts (Kind::error).joinIntoString ("\n");
        const auto info = texts (Kind::info, "B");
        EXPECT_TRUE (info.contains ("IS CONNECTED            true")) << unitOfB;
        EXPECT_TRUE (info.contains ("CONNECTED DEV SN        " + juce::String (unitOfB))) << unitOfB;

        const auto highPassTo = [this] (int unit) {
            return count (Kind::toUnit, "to unit " + juce::String (unit), "high-pass filter, selected channel: 240 Hz");
        };
        EXPECT_GE (highPassTo (unitOfB), 1) << unitOfB;
        EXPECT_EQ (highPassTo (unitOfB == 10 ? 17 : 10), 0) << unitOfB;
    }
}

TEST_F (SessionRunnerTest, TheMainMenuIsAnErrorWithoutADisplay)
{
    EXPECT_FALSE (play ("create A\nopen-editor A\nmenu A \"Save preset\" sound.vqrp\n"));
    EXPECT_EQ (texts (Kind::error),
               juce::StringArray ({ "line 3: the main menu pops up only on a display, and this session has none" }));
}

TEST_F (SessionRunnerTest, APresetSavedThroughTheRunnerLoadsBackAndIsLoggedOnlyOnceApplied)
{
    ASSERT_TRUE (play ("create A\nautomate A CHANNEL 1\nautomate A \"HPF 1/STEREO\" 1\nsave-preset A "
                       "sound.txt\nautomate A \"HPF 1/STEREO\" 0\nload-preset A sound.vqrp\nprint A\n"));

    const auto info = texts (Kind::info, "A");
    EXPECT_TRUE (info.contains ("preset saved as sound.vqrp"));
    EXPECT_TRUE (info.contains ("preset loaded from sound.vqrp"));
    EXPECT_TRUE (info.contains ("HPF 1/STEREO            1.000  240 Hz")) << info.joinIntoString ("\n");
}

// Each stops the session (exit status 1) with the reason the window's alert gives.
TEST_F (SessionRunnerTest, APresetLineThatFailsStopsTheSessionWithTheReason)
{
    ASSERT_TRUE (folder.getChildFile ("folder.vqrp").createDirectory());
    ASSERT_TRUE (folder.getChildFile ("empty.vqrp").create().wasOk());
    ASSERT_TRUE (folder.getChildFile ("noise.vqrp").replaceWithText ("no preset at all"));
    ASSERT_TRUE (folder.getChildFile ("plain.txt").replaceWithText ("a file"));

    const auto path = [this] (const char* name) { return folder.getChildFile (name).getFullPathName(); };
    const std::pair<juce::String, juce::String> cases[] = {
        { "load-preset A folder.vqrp", "folder.vqrp was not loaded: it is a folder" },
        { "load-preset A empty.vqrp", "empty.vqrp was not loaded: the file is empty" },
        { "load-preset A noise.vqrp",
          "noise.vqrp was not loaded: the file is not a preset: nothing in it could be applied" },
        { "load-preset A absent.vqrp", "absent.vqrp was not loaded: the file does not exist" },
        { "save-preset A folder", "folder.vqrp was not saved: it is a folder" },
        { "save-preset A missing/sound",
          "sound.vqrp was not saved: the folder " + path ("missing") + " does not exist" },
        { "save-preset A plain.txt/sound",
          "sound.vqrp was not saved: " + path ("plain.txt") + " is a file, not a folder" },
    };

    for (const auto& [line, reason] : cases)
    {
        EXPECT_FALSE (play ("create A\n" + line + "\nprint A\n")) << line;
        EXPECT_EQ (texts (Kind::error), juce::StringArray ("line 2: " + reason)) << line;
        EXPECT_EQ (count (Kind::info, "A", "preset "), 0) << line;
    }
}
} // namespace
