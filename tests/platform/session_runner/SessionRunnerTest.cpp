#include "SessionRunner.h"
#include "ScriptReader.h"
#include "SessionLog.h"

#include <gtest/gtest.h>

namespace
{
using Kind = SessionLog::Kind;

/** The example session shipped with the runner, found from the test executable upwards. */
juce::File findExample (const juce::String& name)
{
    for (auto dir = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
         dir.getParentDirectory() != dir; dir = dir.getParentDirectory())
        if (auto file = dir.getChildFile ("platform/session_runner/examples").getChildFile (name); file.existsAsFile())
            return file;

    return {};
}

class SessionRunnerTest : public testing::Test
{
protected:
    /** Plays the script in a new session; the runner of an earlier one goes first (one MIDI layer at a time). */
    bool play (const juce::String& text)
    {
        runner.reset();
        log = std::make_unique<SessionLog> (nullptr);
        runner = std::make_unique<SessionRunner> (*log, folder);

        const auto script = ScriptReader::read (text);
        EXPECT_TRUE (script.error.isEmpty()) << script.error;
        const auto played = runner->play (script.actions);
        runner->shutDown();
        return played;
    }

    juce::StringArray texts (Kind kind, const juce::String& who = {}) const { return log->getTexts (kind, who); }

    int count (Kind kind, const juce::String& who, const juce::String& text) const
    {
        int n = 0;

        for (const auto& t : texts (kind, who))
            if (t.contains (text))
                ++n;

        return n;
    }

    /** Whether the records hold these texts one right after the other. */
    bool followEachOther (const juce::StringArray& sequence) const
    {
        const auto& records = log->getRecords();

        for (size_t start = 0; start + (size_t) sequence.size() <= records.size(); ++start)
        {
            int matched = 0;

            while (matched < sequence.size() && records[start + (size_t) matched].text.contains (sequence[matched]))
                ++matched;

            if (matched == sequence.size())
                return true;
        }

        return false;
    }

    juce::TemporaryFile folderHolder;
    const juce::File folder = [this]
    {
        folderHolder.getFile().createDirectory();
        return folderHolder.getFile();
    }();
    std::unique_ptr<SessionLog> log;
    std::unique_ptr<SessionRunner> runner;
};
} // namespace

TEST_F (SessionRunnerTest, TheExampleSessionPlaysToItsEndAndItsLogShowsEveryStep)
{
    const auto example = findExample ("demo.session");
    ASSERT_TRUE (example.existsAsFile());
    ASSERT_TRUE (play (example.loadFileAsString()));
    EXPECT_TRUE (texts (Kind::error).isEmpty()) << texts (Kind::error).joinIntoString ("\n");

    // Connect and the full resend.
    EXPECT_EQ (count (Kind::connection, "A", "connected to unit 17"), 2); // first time and after the replug
    EXPECT_GE (count (Kind::toUnit, "to unit 17", "channel mode, selected channel: linked"), 2);
    EXPECT_GE (count (Kind::toUnit, "to unit 17", "high-pass filter, selected channel: BYPASS"), 3);

    // Automation to the unit, and a front-panel change back as a host gesture.
    EXPECT_EQ (count (Kind::toUnit, "to unit 17", "band 1 gain, selected channel: 6.0 (code 90)"), 1 + 1);
    EXPECT_TRUE (
        followEachOther ({ "band 1 frequency, from the panel: 624 Hz", "host gesture begins: EQ1 FREQ 1/STEREO",
                           "host told EQ1 FREQ 1/STEREO = 0.784 (624 Hz)" }));
    EXPECT_TRUE (followEachOther ({ "host gesture ends: EQ1 FREQ 1/STEREO", "host gesture ends: EQ1 FREQ 2" }));

    // The mode change and its set-up cycle: both channels are sent again.
    EXPECT_EQ (count (Kind::toUnit, "to unit 17", "channel mode, selected channel: channel 1 selected"), 1);
    EXPECT_GE (count (Kind::toUnit, "to unit 17", "other channel"), 16);

    // Unplugged and found again; the state in a second instance; the preset.
    EXPECT_EQ (count (Kind::connection, "A", "not connected any more"), 1);
    EXPECT_EQ (count (Kind::connection, "B", "connected to unit 17"), 1);
    EXPECT_EQ (count (Kind::info, "B", "preset saved as my-sound.vqrp"), 1);
    EXPECT_EQ (count (Kind::info, "B", "preset loaded from my-sound.vqrp"), 1);
    EXPECT_EQ (count (Kind::info, "B", "preset ignored: not a file"), 1);
    EXPECT_TRUE (texts (Kind::info, "B").contains ("LPF 1/STEREO            0.000  BYPASS"));
}

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
