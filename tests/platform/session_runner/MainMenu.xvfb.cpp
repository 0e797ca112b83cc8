#include "RunnerFixture.h"

#include "DesktopWindows.h"
#include "PluginInstance.h"

#include <sys/stat.h>

using namespace runnertest;

namespace
{
bool nothingIsLeftOpen()
{
    return DesktopWindows::findPopupMenu() == nullptr &&
           DesktopWindows::findWindow<juce::FileChooserDialogBox>() == nullptr &&
           DesktopWindows::findWindow<juce::AlertWindow>() == nullptr;
}

TEST_F (SessionRunnerTest, TheMainMenuSavesAPresetThroughTheFileDialogAndLoadsItBack)
{
    ASSERT_TRUE (play ("create A\nopen-editor A\nautomate A \"HPF 1/STEREO\" 1\n"
                       "menu A \"Save preset\" sound\n"
                       "automate A \"HPF 1/STEREO\" 0\n"
                       "menu A \"Load preset\" sound.vqrp\nprint A\n"))
        << texts (Kind::error).joinIntoString ("\n");

    EXPECT_TRUE (folder.getChildFile ("sound.vqrp").existsAsFile());
    EXPECT_FALSE (folder.getChildFile ("sound").exists());
    EXPECT_TRUE (followEachOther ({ "mouse: click on the menu button", "mouse: menu item Save preset",
                                    "command \"savePreset\"", "file dialog \"Save preset...\": sound chosen (Save)",
                                    "preset file sound.vqrp holds the instance's state" }));
    EXPECT_TRUE (
        followEachOther ({ "mouse: click on the menu button", "mouse: menu item Load preset", "command \"loadPreset\"",
                           "file dialog \"Load preset...\": sound.vqrp chosen (Open)" }));
    EXPECT_EQ (count (Kind::info, "A", "the instance's state is the one in sound.vqrp"), 1);
    EXPECT_TRUE (texts (Kind::info, "A").contains ("HPF 1/STEREO            1.000  240 Hz"));
    EXPECT_TRUE (nothingIsLeftOpen());
}

TEST_F (SessionRunnerTest, ASaveOverAnExistingPresetIsConfirmedAndReplacesIt)
{
    // The dialog asks about the file chosen; the instance asks again when it writes another name.
    ASSERT_TRUE (play ("create A\nopen-editor A\nmenu A \"Save preset\" sound.vqrp\n"
                       "automate A \"HPF 1/STEREO\" 1\nmenu A \"Save preset\" sound.vqrp\n"
                       "automate A \"LPF 1/STEREO\" 1\nmenu A \"Save preset\" sound\n"))
        << texts (Kind::error).joinIntoString ("\n");

    juce::StringArray confirmations;

    for (const auto& text : texts (Kind::info, "A"))
        if (text.startsWith ("confirmation"))
            confirmations.add (text);

    EXPECT_EQ (confirmations, juce::StringArray ({ "confirmation \"File already exists\": Overwrite",
                                                   "confirmation \"Save preset...\": Replace" }));
    EXPECT_EQ (count (Kind::info, "A", "preset file sound.vqrp holds the instance's state"), 3);
    EXPECT_TRUE (nothingIsLeftOpen());
}

TEST_F (SessionRunnerTest, APresetLoadedFromAPipeOrADeviceIsRefusedWithoutWaitingOnItOrReadingItWhole)
{
    ASSERT_EQ (mkfifo (folder.getChildFile ("pipe.vqrp").getFullPathName().toRawUTF8(), 0600), 0);
    ASSERT_EQ (symlink ("/dev/zero", folder.getChildFile ("zero.vqrp").getFullPathName().toRawUTF8()), 0);

    for (const auto* name : { "pipe.vqrp", "zero.vqrp" })
    {
        EXPECT_FALSE (play ("create A\nopen-editor A\nmenu A \"Load preset\" " + juce::String (name) + "\nprint A\n"))
            << name;
        EXPECT_EQ (texts (Kind::error),
                   juce::StringArray ({ "line 3: " + juce::String (name) +
                                        " was not loaded: it is not a regular file (a device, a pipe or a socket)" }))
            << name;
        EXPECT_TRUE (nothingIsLeftOpen()) << name;
    }
}

TEST_F (SessionRunnerTest, AMenuLineThatCannotBePlayedStopsWithItsLineNumberAndLeavesNothingOpen)
{
    const auto version = juce::String ("Plugin version: ") + PlemvoPluginInstance::version;
    const auto missing = folder.getChildFile ("missing.vqrp").getFullPathName();

    const std::pair<juce::String, juce::String> cases[] = {
        { "menu A Quit", "the main menu has no item \"Quit\" (it has: Save preset, Load preset, " + version + ")" },
        { "menu A \"" + version + "\"", "the menu item \"" + version + "\" is inactive" },
        { "menu A \"Save preset\"",
          "\"Save preset\" opens a file dialog: the line needs the FILE to enter in it (the dialog is cancelled)" },
        { "menu A \"Load preset\"",
          "\"Load preset\" opens a file dialog: the line needs the FILE to enter in it (the dialog is cancelled)" },
        { "menu A \"Load preset\" missing.vqrp",
          "the file dialog's Open button is disabled for " + missing + " (the dialog is cancelled)" },
    };

    for (const auto& [line, error] : cases)
    {
        EXPECT_FALSE (play ("create A\nopen-editor A\n" + line + "\nprint A\n")) << line;
        EXPECT_EQ (texts (Kind::error), juce::StringArray ({ "line 3: " + error })) << line;
        EXPECT_TRUE (nothingIsLeftOpen()) << line;
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0) << line;
    }
}
// A save or load from the menu that fails shows why in an alert over the window; the runner logs the
// alert, closes it and stops with the same reason.
TEST_F (SessionRunnerTest, AFailedSaveOrLoadFromTheMenuShowsTheReasonInAnAlert)
{
    ASSERT_TRUE (folder.getChildFile ("noise.vqrp").replaceWithText ("no preset at all"));
    ASSERT_TRUE (folder.getChildFile ("plain.txt").replaceWithText ("a file"));

    const std::pair<juce::String, juce::String> cases[] = {
        { "menu A \"Load preset\" noise.vqrp",
          "noise.vqrp was not loaded: the file is not a preset: nothing in it could be applied" },
        { "menu A \"Save preset\" missing/sound", "sound.vqrp was not saved: the folder " +
                                                      folder.getChildFile ("missing").getFullPathName() +
                                                      " does not exist" },
        { "menu A \"Save preset\" plain.txt/sound",
          "sound.vqrp was not saved: " + folder.getChildFile ("plain.txt").getFullPathName() +
              " is a file, not a folder" },
    };

    for (const auto& [line, reason] : cases)
    {
        EXPECT_FALSE (play ("create A\nopen-editor A\n" + line + "\nprint A\n")) << line;
        const auto title = line.fromFirstOccurrenceOf ("\"", false, false).upToFirstOccurrenceOf ("\"", false, false);
        EXPECT_EQ (count (Kind::info, "A", "alert \"" + title + "...\": " + reason + "."), 1) << line;
        EXPECT_EQ (texts (Kind::error), juce::StringArray ("line 3: " + reason)) << line;
        EXPECT_TRUE (nothingIsLeftOpen()) << line;
    }

    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 2);
}

// The dialog asks before a file that exists is replaced; the answer yes still replaces no node that is
// not a regular file, and no link that loops. (A socket the dialog does not let the user choose.)
TEST_F (SessionRunnerTest, AMenuSaveOntoAPipeDeviceOrLoopingLinkShowsTheReasonInAnAlertAndChangesNothing)
{
    using vqtest::SpecialFile;
    const juce::String notRegular ("it is not a regular file (a device, a pipe or a socket)");

    ASSERT_TRUE (folder.getChildFile ("other.vqrp").replaceWithText ("another preset"));
    ASSERT_TRUE (vqtest::makeSpecialFile (SpecialFile::pipe, folder.getChildFile ("pipe.vqrp")));
    const auto device = vqtest::makeSpecialFile (SpecialFile::device, folder.getChildFile ("null.vqrp"));
    ASSERT_EQ (symlink ("b.vqrp", folder.getChildFile ("a.vqrp").getFullPathName().toRawUTF8()), 0);
    ASSERT_EQ (symlink ("a.vqrp", folder.getChildFile ("b.vqrp").getFullPathName().toRawUTF8()), 0);

    std::vector<std::pair<const char*, juce::String>> cases = {
        { "pipe.vqrp", notRegular },
        { "a.vqrp", "the link leads nowhere: it loops" },
    };

    if (device)
        cases.push_back ({ "null.vqrp", notRegular });

    const auto before = vqtest::describeFolder (folder);

    for (const auto& [name, why] : cases)
    {
        const auto reason = juce::String (name) + " was not saved: " + why;
        EXPECT_FALSE (play ("create A\nopen-editor A\nmenu A \"Save preset\" " + juce::String (name) + "\nprint A\n"))
            << name;
        EXPECT_EQ (count (Kind::info, "A", "alert \"Save preset...\": " + reason + "."), 1) << name;
        EXPECT_EQ (texts (Kind::error).joinIntoString ("\n"), "line 3: " + reason) << name;
        EXPECT_TRUE (nothingIsLeftOpen()) << name;
    }

    EXPECT_EQ (vqtest::describeFolder (folder), before);
}

// The runner's window gets the keyboard focus a window manager gives a new window, without which JUCE
// closes a popup at once: the selector the instance asks for stays open as a user would see it.
TEST_F (SessionRunnerTest, TheSelectorTheInstanceAsksForIsStillOpenASecondAfterTheWindowOpens)
{
    log = std::make_unique<SessionLog> (nullptr);
    runner = std::make_unique<SessionRunner> (*log, folder);
    const auto script = ScriptReader::read ("unit 42\nunit 43\ncreate C\nwait 1200\nopen-editor C\nwait 1000\n");
    ASSERT_TRUE (runner->play (script.actions)) << texts (Kind::error).joinIntoString ("\n");

    auto* selector = runner->findInstance ("C")->getEditor()->getMenuBar().getDeviceSelector();
    ASSERT_NE (selector, nullptr);
    int rowsShowing = 0;

    for (juce::PopupMenu::MenuItemIterator it (*selector); it.next();)
        if (auto* row = it.getItem().customComponent.get(); row != nullptr && row->isShowing())
            ++rowsShowing;

    EXPECT_EQ (rowsShowing, 2);
    runner->shutDown();
    EXPECT_TRUE (nothingIsLeftOpen());
}

// A user's click on the menu button closes the selector the instance opened and opens the main menu; the
// selector so closed stays closed while the units wait.
TEST_F (SessionRunnerTest, TheMenuLineReachesTheMainMenuThroughTheOpenSelectorAsAUsersClickDoes)
{
    log = std::make_unique<SessionLog> (nullptr);
    runner = std::make_unique<SessionRunner> (*log, folder);
    const auto script = ScriptReader::read ("unit 42\nunit 43\ncreate C\nwait 1200\nopen-editor C\nwait 1000\n"
                                            "menu C \"Save preset\" sound\nwait 2200\n");
    ASSERT_TRUE (runner->play (script.actions)) << texts (Kind::error).joinIntoString ("\n");

    EXPECT_TRUE (followEachOther ({ "mouse: click on the menu button", "mouse: menu item Save preset" }));
    EXPECT_TRUE (folder.getChildFile ("sound.vqrp").existsAsFile());
    EXPECT_TRUE (nothingIsLeftOpen());
    runner->shutDown();
}
} // namespace
