#include "ComponentImages.h"
#include "MessageLoop.h"
#include "widgets/SevenSegmentDisplay.h"

#include <gtest/gtest.h>

namespace
{
/** A point well inside each segment, a to g and the decimal point (left of its centre, so that the
    last cell's stays inside the read-out), in units of width / 116. */
const juce::Point<float> segmentCentres[] = { { 18.9f, 13.2f }, { 29.4f, 23.8f }, { 28.4f, 49.0f }, { 17.2f, 59.3f },
                                              { 8.6f, 47.9f },  { 9.8f, 25.0f },  { 18.3f, 36.3f }, { 36.5f, 60.0f } };
const float cellOffsets[] = { 6.0f, 43.0f, 78.0f };

/** The lit segments of each char the read-out shows. */
juce::String litSegmentsOf (char c)
{
    switch (c)
    {
        case '-': return "g";
        case '0': return "abcdef";
        case '1': return "bc";
        case '2': return "abdeg";
        case '3': return "abcdg";
        case '4': return "bcfg";
        case '5': return "acdfg";
        case '6': return "acdefg";
        case '7': return "abc";
        case '8': return "abcdefg";
        case '9': return "abcdfg";
        case 'n': return "bcg";
        default: return "";
    }
}

/** 'L' lit red, 'U' unlit black, '.' nothing drawn over the grey ground, '?' anything else. */
char classify (juce::Colour pixel)
{
    if (pixel.getRed() > 0xC0 && pixel.getGreen() < 0x40 && pixel.getBlue() < 0x40)
        return 'L';

    if (pixel.getRed() < 0x60 && pixel.getGreen() < 0x08 && pixel.getBlue() < 0x08)
        return 'U';

    if (pixel.getRed() < 0x60 && pixel.getGreen() >= 0x0C && pixel.getGreen() <= 0x18)
        return '.';

    return '?';
}

/** What each of the 24 sample points should show, for cells given as char and point pairs. */
std::string expectedSamples (const char* cells)
{
    std::string samples;

    for (int cell = 0; cell < 3; ++cell)
    {
        const auto c = cells[2 * cell];
        const auto lit = litSegmentsOf (c);

        for (char segment = 'a'; segment <= 'g'; ++segment)
            samples += lit.containsChar (segment) ? 'L' : 'U';

        samples += cell == 2 ? '.' : (cells[2 * cell + 1] == '.' ? 'L' : 'U');
    }

    return samples;
}

std::string sampledSegments (SevenSegmentDisplay& display)
{
    const auto image = vqtest::renderComponent (display);
    const auto unit = (float) display.getWidth() / 116.0f;
    std::string samples;

    for (auto offset : cellOffsets)
    {
        for (auto centre : segmentCentres)
        {
            // Cells are placed at whole pixels, the fraction of their offset dropped.
            const juce::Point<float> point (std::floor (offset * unit) + centre.x * unit, centre.y * unit);
            samples += classify (vqtest::sample (image, point));
        }
    }

    return samples;
}

struct LayoutCase
{
    const char* text;
    const char* cells; // three pairs of a char ('N' blank) and ' ' or '.' for the cell's point
};

const LayoutCase layoutCases[] = {
    { "", "N N N " },
    { "5", "N N 5 " },
    { "-5", "- N 5 " },
    { "1234", "1 2 3 " },
    { ".5", "N N N " },
    { "+5", "N N N " },
    { "+15", "N N 1 " },
    { "-1.5", "- 1.5 " },
    { "-150", "n 5 0 " },
    { "-250", "- 2 5 " },
    { " 0.0", "N N 0 " },
    { "363", "3 6 3 " },
    { "BYPASS", "N N N " },
    { "1.2.3", "1.2.3 " },
    { "0.7", "N 0.7 " },
    { "12.", "N 1 2 " },
    { "-0.4", "- 0.4 " },
    { "15.0", "1 5.0 " },
    { "-9", "- N 9 " },
    { "--7", "- N 7 " },
    { "\xC3\xA9"
      "5",
      "N N N " },
    { "5\xC3\xA9", "N N 5 " },
};

class SevenSegmentDisplayTest : public testing::TestWithParam<int>
{
protected:
    SevenSegmentDisplay display;
};

TEST_P (SevenSegmentDisplayTest, TextsShowRightAlignedWithTheSignInTheFirstCell)
{
    const auto width = GetParam();
    display.setSize (width, width * 64 / 103);

    for (const auto& c : layoutCases)
    {
        display.setTextToDisplay (juce::String::fromUTF8 (c.text));
        EXPECT_EQ (sampledSegments (display), expectedSamples (c.cells)) << "text \"" << c.text << "\" at " << width;
    }
}

// The panel's read-out, and one of whole units.
INSTANTIATE_TEST_SUITE_P (Widths, SevenSegmentDisplayTest, testing::Values (103, 232),
                          [] (const testing::TestParamInfo<int>& info)
                          { return "Width" + std::to_string (info.param); });

TEST (SevenSegmentDisplay, IsBlankBeforeAnyText)
{
    SevenSegmentDisplay display;
    display.setSize (103, 64);
    EXPECT_EQ (sampledSegments (display), expectedSamples ("N N N "));
}

TEST (SevenSegmentDisplay, ALongTextShowsItsFirstThreeCellsWorth)
{
    SevenSegmentDisplay display;
    display.setSize (103, 64);

    display.setTextToDisplay (juce::String::repeatedString ("8", 1000));
    EXPECT_EQ (sampledSegments (display), expectedSamples ("8 8 8 "));

    display.setTextToDisplay ("-" + juce::String::repeatedString ("\xE2\x82\xAC", 1000));
    EXPECT_EQ (sampledSegments (display), expectedSamples ("N N N "));
}

TEST (SevenSegmentDisplay, TheOwnersTimerBlanksTheReadOutAndStopsItself)
{
    SevenSegmentDisplay display;
    display.setSize (103, 64);
    display.setTextToDisplay ("-1.5");
    display.startTimer (1000);

    ASSERT_TRUE (vqtest::runMessageLoopUntil ([&] { return ! display.isTimerRunning(); }, 10000));
    EXPECT_EQ (sampledSegments (display), expectedSamples ("N N N "));
}

TEST (SevenSegmentDisplay, ANewTextStopsTheTimerSoItStaysOnScreen)
{
    SevenSegmentDisplay display;
    display.setSize (103, 64);
    display.startTimer (1000);
    display.setTextToDisplay ("363");

    EXPECT_FALSE (display.isTimerRunning());
    EXPECT_EQ (sampledSegments (display), expectedSamples ("3 6 3 "));
}

TEST (SevenSegmentDisplay, ImagesAreRenderedOnLayoutAndForANewPixelScaleNeverPerPaint)
{
    SevenSegmentDisplay display;
    const auto before = SevenSegmentDisplay::getImagesRendered();

    display.setSize (103, 64);
    const auto afterLayout = SevenSegmentDisplay::getImagesRendered();
    EXPECT_EQ (afterLayout - before, 16);

    for (const auto scale : { 1.0f, 2.0f })
    {
        vqtest::renderComponent (display, scale);
        const auto rendered = SevenSegmentDisplay::getImagesRendered();
        EXPECT_EQ (rendered, afterLayout + (scale == 1.0f ? 0 : 16)) << scale;

        for (auto* text : { "-1.5", "-150", "", "363" })
        {
            display.setTextToDisplay (text);
            vqtest::renderComponent (display, scale);
        }

        EXPECT_EQ (SevenSegmentDisplay::getImagesRendered(), rendered) << scale;
    }
}

TEST (SevenSegmentDisplay, ASizeBelowOnePixelKeepsTheImagesAndAOnePixelReadOutStillPaints)
{
    SevenSegmentDisplay display;
    display.setSize (103, 64);
    const auto rendered = SevenSegmentDisplay::getImagesRendered();

    for (auto size : { juce::Point<int> (0, 0), { 0, 64 }, { 103, 0 }, { -5, -5 } })
    {
        display.setSize (size.x, size.y);
        EXPECT_EQ (SevenSegmentDisplay::getImagesRendered(), rendered);
    }

    display.setSize (1, 1);
    display.setTextToDisplay ("888");
    EXPECT_EQ (SevenSegmentDisplay::getImagesRendered(), rendered + 16);
    EXPECT_TRUE (vqtest::renderComponent (display).isValid());
}
} // namespace
