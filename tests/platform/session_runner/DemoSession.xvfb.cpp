#include "RunnerFixture.h"

using namespace runnertest;

namespace
{
// The demo opens menus and slides the window, so it plays on a display.
TEST_F (SessionRunnerTest, TheExampleSessionPlaysToItsEndAndItsLogShowsEveryStepInTheOrderItHappened)
{
    const auto example = findExample ("demo.session");
    ASSERT_TRUE (example.existsAsFile());
    ASSERT_TRUE (play (example.loadFileAsString()));
    EXPECT_TRUE (texts (Kind::error).isEmpty()) << texts (Kind::error).joinIntoString ("\n");

    // What an action sends crosses the cable before the line that says the action is done.
    const auto& records = log->getRecords();

    for (size_t i = 1; i < records.size(); ++i)
        EXPECT_GE (records[i].timeMs, records[i - 1].timeMs) << SessionLog::format (records[i - 1]) << "\n"
                                                             << SessionLog::format (records[i]);

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

    // The mode changes (by the host, later from the panel) and their set-up cycle: both channels are sent again.
    EXPECT_EQ (count (Kind::toUnit, "to unit 17", "channel mode, selected channel: channel 1 selected"), 2);
    EXPECT_GE (count (Kind::toUnit, "to unit 17", "other channel"), 16);

    // Unplugged and found again; the state in a second instance; the preset.
    EXPECT_EQ (count (Kind::connection, "A", "not connected any more"), 1);
    EXPECT_EQ (count (Kind::connection, "B", "connected to unit 17"), 1);
    EXPECT_EQ (count (Kind::info, "B", "preset saved as my-sound.vqrp"), 1);
    EXPECT_EQ (count (Kind::info, "B", "preset loaded from my-sound.vqrp"), 1);
    EXPECT_TRUE (texts (Kind::info, "B").contains ("LPF 1/STEREO            0.000  BYPASS"));
}

TEST_F (SessionRunnerTest, TheDemoDrivesTheWindowByMouseAndWritesItsPictures)
{
    ASSERT_TRUE (play (findExample ("demo.session").loadFileAsString()));

    // A drag on the panel reaches the unit inside one host gesture; the unit's knob reaches the host.
    EXPECT_TRUE (
        followEachOther ({ "mouse: drag of panel 1 eq1-gain by 60 px up", "host gesture begins: EQ1 GAIN 1/STEREO" }));
    EXPECT_GE (count (Kind::toUnit, "to unit 17", "band 1 gain, selected channel: 5.6"), 1);
    EXPECT_GE (count (Kind::hostValue, "B", "host told EQ1 FREQ 1/STEREO = 0.118 (132 Hz)"), 1);

    // The preset through the main menu: the dialog asks before it replaces the file, and the load
    // brings the knob dragged after the save back to its saved value.
    EXPECT_TRUE (followEachOther (
        { "mouse: click on the menu button", "mouse: menu item Save preset", "command \"savePreset\"",
          "file dialog \"Save preset...\": my-sound.vqrp chosen (Save)",
          "confirmation \"File already exists\": Overwrite", "preset file my-sound.vqrp holds the instance's state" }));
    EXPECT_TRUE (
        followEachOther ({ "mouse: click on the menu button", "mouse: menu item Load preset", "command \"loadPreset\"",
                           "file dialog \"Load preset...\": my-sound.vqrp chosen (Open)" }));

    const auto saved = findRecord ("preset file my-sound.vqrp holds the instance's state");
    const auto changed = findRecord ("host told EQ1 GAIN 1/STEREO = 0.570 (1.6)", saved);
    const auto opened = findRecord ("my-sound.vqrp chosen (Open)", changed);
    const auto restored = findRecord ("host told EQ1 GAIN 1/STEREO = 0.730 (5.6)", opened);
    EXPECT_GT (changed, saved);
    EXPECT_GT (opened, changed);
    EXPECT_GT (restored, opened);
    EXPECT_GT (findRecord ("the instance's state is the one in my-sound.vqrp", restored), restored);

    // The selector's row connects the instance that asked for it.
    EXPECT_EQ (count (Kind::info, "C", "selector: CONNECT on unit 43"), 1);
    EXPECT_EQ (count (Kind::connection, "C", "connected to unit 43"), 1);

    for (auto name : { "window-single.png", "window-double-dual-mono.png" })
    {
        auto image = juce::ImageFileFormat::loadFrom (folder.getChildFile (name));
        EXPECT_EQ (image.getHeight(), 595) << name;
    }

    EXPECT_EQ (juce::ImageFileFormat::loadFrom (folder.getChildFile ("window-double-dual-mono.png")).getWidth(), 650);
}

TEST_F (SessionRunnerTest, WindowActionsNeedAnOpenWindowAndAShownPanel)
{
    EXPECT_FALSE (play ("create A\nclick A 1 engage\n"));
    EXPECT_TRUE (texts (Kind::error).joinIntoString ("").contains ("open-editor first"));

    EXPECT_FALSE (play ("create A\nopen-editor A\nclick A 2 engage\n"));
    EXPECT_TRUE (texts (Kind::error).joinIntoString ("").contains ("panel 2 is not shown"));

    EXPECT_TRUE (play ("create A\nopen-editor A\nclick A 1 window\nwait 1300\nclick A 2 engage\nclose-editor A\n"));
    EXPECT_GE (count (Kind::hostValue, "A", "host told ENGAGE 2 = 0.000"), 1);
}
} // namespace
