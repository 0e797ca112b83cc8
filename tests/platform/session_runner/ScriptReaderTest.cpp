#include "ScriptReader.h"

#include <gtest/gtest.h>

namespace
{
using Verb = ScriptAction::Verb;
}

TEST (ScriptReader, ReadsOneActionALineWithQuotedWordsCommentsAndBlankLines)
{
    const auto script = ScriptReader::read ("# a session\n"
                                            "\n"
                                            "unit 17   # plugged in\n"
                                            "create A\n"
                                            "  automate A \"EQ1 GAIN 1/STEREO\" 0.75\n"
                                            "setting A \"connected dev sn\" -1\n"
                                            "automate A 3 1\n"
                                            "save-preset A \"my sound\"\n");

    ASSERT_TRUE (script.error.isEmpty()) << script.error;
    ASSERT_EQ (script.actions.size(), 6u);

    EXPECT_EQ (script.actions[0].lineNumber, 3);
    EXPECT_EQ (script.actions[0].verb, Verb::addUnit);
    EXPECT_EQ (script.actions[0].args, juce::StringArray ({ "17" }));
    EXPECT_EQ (script.actions[0].text, "unit 17");

    EXPECT_EQ (script.actions[2].verb, Verb::automate);
    EXPECT_EQ (script.actions[2].args, juce::StringArray ({ "A", "EQ1 GAIN 1/STEREO", "0.75" }));
    EXPECT_EQ (ScriptReader::findParameter (script.actions[2].args[1]), 3);
    EXPECT_EQ (ScriptReader::findSetting (script.actions[3].args[1]), 1);
    EXPECT_EQ (ScriptReader::findParameter (script.actions[4].args[1]), 3);
    EXPECT_EQ (script.actions[5].args[1], "my sound");
}

TEST (ScriptReader, AWrongLineIsReportedWithItsNumberAndNothingIsPlayed)
{
    struct Case
    {
        const char* line;
        const char* error;
    };

    const Case cases[] = {
        { "jump A", "unknown action \"jump\"" },
        { "create", "\"create\" takes 1 word after it, not 0" },
        { "create A B", "\"create\" takes 1 word after it, not 2" },
        { "unit", "\"unit\" takes 1 or 2 words after it, not 0" },
        { "unit 128", "a serial number is 0 to 127, not \"128\"" },
        { "unit 200", "a serial number is 0 to 127, not \"200\"" },
        { "unit -1", "a serial number is 0 to 127, not \"-1\"" },
        { "unit 17 sideways", "a unit is plugged in, \"unplugged\" or \"silent\", not \"sideways\"" },
        { "create \"A B\"", "an instance name is letters, digits, '-' and '_', not \"A B\"" },
        { "create \"\"", "an instance name is missing" },
        { "print \"\"", "an instance name is missing" },
        { "turn 17 volume 3",
          "no control \"volume\" (eq1-gain, eq1-q, eq1-freq, eq2-gain, eq2-q, eq2-freq, lpf, hpf)" },
        { "turn 17 eq1-gain 256", "a code is 0 to 255, not \"256\"" },
        { "press 17 bypass", "no switch \"bypass\" (engage, eq1-engage, eq2-engage)" },
        { "panel-mode 17 stereo", "no channel mode \"stereo\" (linked, channel-1, channel-2)" },
        { "automate A \"EQ3 GAIN\" 0.5", "no parameter \"EQ3 GAIN\"" },
        { "automate A 23 0.5", "no parameter \"23\"" },
        { "automate A CHANNEL 1.5", "a normalised value is a number from 0 to 1, not \"1.5\"" },
        { "automate A CHANNEL 0.5.1", "a normalised value is a number from 0 to 1, not \"0.5.1\"" },
        { "automate A CHANNEL nan", "a normalised value is a number from 0 to 1, not \"nan\"" },
        { "setting A \"IS CONNECTED\" maybe", "a setting value is true, false or a whole number, not \"maybe\"" },
        { "setting A \"IS CONNECTED\" false", "\"IS CONNECTED\" is the instance's own report and cannot be set" },
        { "setting A 0 true", "\"IS CONNECTED\" is the instance's own report and cannot be set" },
        { "setting A \"NO SUCH\" 1", "no setting \"NO SUCH\"" },
        { "wait 99999999999", "a wait is 0 to 600000 ms, not \"99999999999\"" },
        { "wait 1e3", "a wait is 0 to 600000 ms, not \"1e3\"" },
        { "save-state A \"unclosed", "a quote is not closed" },
        { "load-preset A \"\"", "a file name is missing" },
        { "menu A", "\"menu\" takes 2 or 3 words after it, not 1" },
        { "menu A \"\" sound.vqrp", "a menu item's text is missing" },
        { "automate A 4294967296 1", "no parameter \"4294967296\"" },
        { "automate A 4294967299 1", "no parameter \"4294967299\"" },
        { "unit 4294967313", "a serial number is 0 to 127, not \"4294967313\"" },
        { "unit +17", "a serial number is 0 to 127, not \"+17\"" },
        { "wait 4294967306", "a wait is 0 to 600000 ms, not \"4294967306\"" },
        { "setting A 4294967299 1", "no setting \"4294967299\"" },
        { "setting A \"SELECTED CHANNEL\" --7", "a setting value is true, false or a whole number, not \"--7\"" },
        { "setting A \"SELECTED CHANNEL\" -", "a setting value is true, false or a whole number, not \"-\"" },
        { "setting A \"SELECTED CHANNEL\" 4294967296",
          "a setting value is true, false or a whole number, not \"4294967296\"" },
        { "drag A 1 eq1-gain --7", "a drag is -2000 to 2000 pixels, not \"--7\"" },
        { "drag A 1 eq1-gain 4294967297", "a drag is -2000 to 2000 pixels, not \"4294967297\"" },
        { "setting A \"SELECTED CHANNEL\" 7", "\"SELECTED CHANNEL\" is a whole number from 0 to 1, not \"7\"" },
        { "setting A 3 -1", "\"SELECTED CHANNEL\" is a whole number from 0 to 1, not \"-1\"" },
        { "setting A \"CONNECTED DEV SN\" 128", "\"CONNECTED DEV SN\" is a whole number from -1 to 127, not \"128\"" },
        { "setting A \"CONNECTED DEV SN\" -2", "\"CONNECTED DEV SN\" is a whole number from -1 to 127, not \"-2\"" },
        { "setting A \"DOUBLE WINDOW\" 2", "\"DOUBLE WINDOW\" is true or false, not \"2\"" },
        { "setting A \"DOUBLE WINDOW\" -1", "\"DOUBLE WINDOW\" is true or false, not \"-1\"" },
        { "setting A \"DOUBLE WINDOW\" 1", "\"DOUBLE WINDOW\" is true or false, not \"1\"" },
        { "setting A \"SHOULD BE CONNECTED\" 0", "\"SHOULD BE CONNECTED\" is true or false, not \"0\"" },
        { "setting A \"SELECTED CHANNEL\" true", "\"SELECTED CHANNEL\" is a whole number from 0 to 1, not \"true\"" },
        { "setting A \"CONNECTED DEV SN\" false",
          "\"CONNECTED DEV SN\" is a whole number from -1 to 127, not \"false\"" },
    };

    for (const auto& c : cases)
    {
        const auto script = ScriptReader::read ("unit 17\ncreate A\n\n" + juce::String (c.line) + "\nwait 10\n");
        EXPECT_EQ (script.error, "line 4: " + juce::String (c.error)) << c.line;
        EXPECT_TRUE (script.actions.empty()) << c.line;
    }
}

TEST (ScriptReader, EveryValueInASettingsRangeIsTaken)
{
    const auto script =
        ScriptReader::read ("setting A \"SELECTED CHANNEL\" 0\nsetting A \"SELECTED CHANNEL\" 1\n"
                            "setting A \"CONNECTED DEV SN\" -1\nsetting A \"CONNECTED DEV SN\" 127\n"
                            "setting A \"DOUBLE WINDOW\" true\nsetting A \"SHOULD BE CONNECTED\" false\n"
                            "drag A 1 eq1-gain -2000\n");
    EXPECT_TRUE (script.error.isEmpty()) << script.error;
    EXPECT_EQ (script.actions.size(), 7u);
}

TEST (ScriptReader, AWordIsAtMostAsLongAsTheLongestPathAndALongerOneIsAnError)
{
    const auto word = [] (int length) { return juce::String::repeatedString ("x", length); };
    const auto tooLong =
        "line 2: a word is longer than 4096 characters, longer than any name or path a script can hold";

    const auto longest = ScriptReader::read ("create A\nsave-state A " + word (4096) + "\n");
    EXPECT_TRUE (longest.error.isEmpty()) << longest.error;
    ASSERT_EQ (longest.actions.size(), 2u);
    EXPECT_EQ (longest.actions[1].args[1], word (4096));

    EXPECT_EQ (ScriptReader::read ("create A\nsave-state A " + word (4097) + "\n").error, tooLong);
    EXPECT_EQ (ScriptReader::read ("create A\nsave-state A \"" + word (4097) + "\"\n").error, tooLong);
    EXPECT_EQ (ScriptReader::read ("create A\n" + word (2 * 1024 * 1024) + "\n").error, tooLong);
}

TEST (ScriptReader, AnEmptyScriptOrOneOfCommentsHasNoActions)
{
    for (const auto* text : { "", "\n\n", "# only\n   # comments", "\r\n\t\r\n" })
    {
        const auto script = ScriptReader::read (text);
        EXPECT_TRUE (script.error.isEmpty());
        EXPECT_TRUE (script.actions.empty());
    }
}

// A byte that UTF-8 does not allow where it stands, an overlong form or a NUL would each be read as
// another name; UTF-8 itself, several bytes a character too, is read as it is.
TEST (ScriptReader, AScriptFileLineThatIsNotUtf8ByteForByteIsAnErrorWithItsNumber)
{
    const auto readBytes = [] (const std::string& text)
    { return ScriptReader::read (juce::MemoryBlock (text.data(), text.size())); };

    for (const auto& name : std::vector<std::string> { "caf\xe9",
                                                       "\xc0\xaf"
                                                       "etc",
                                                       std::string ("a\0b", 3) })
    {
        const auto script = readBytes ("create A\n\nsave-state A " + name + "\n");
        EXPECT_EQ (script.error, "line 3: the line is not UTF-8 text; the runner takes names and paths only as UTF-8, "
                                 "byte for byte");
        EXPECT_TRUE (script.actions.empty());
    }

    const auto script = readBytes ("create A\nsave-state A caf\xc3\xa9.state\n");
    ASSERT_EQ (script.error, "");
    EXPECT_EQ (script.actions[1].args[1].toStdString(), "caf\xc3\xa9.state");
}
