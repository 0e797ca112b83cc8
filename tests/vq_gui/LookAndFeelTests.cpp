#include "ComponentImages.h"
#include "vq_gui/PopupMenu_LAF.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Allocations of this test executable are counted while a test asks for it.
namespace
{
std::atomic<bool> countingAllocations { false };
std::atomic<int> allocations { 0 };

void* allocate (std::size_t size)
{
    if (countingAllocations)
        ++allocations;

    if (auto* memory = std::malloc (size == 0 ? 1 : size))
        return memory;

    throw std::bad_alloc();
}
} // namespace

void* operator new (std::size_t size)
{
    return allocate (size);
}
void* operator new[] (std::size_t size)
{
    return allocate (size);
}
void operator delete (void* memory) noexcept
{
    std::free (memory);
}
void operator delete[] (void* memory) noexcept
{
    std::free (memory);
}
void operator delete (void* memory, std::size_t) noexcept
{
    std::free (memory);
}
void operator delete[] (void* memory, std::size_t) noexcept
{
    std::free (memory);
}

namespace
{
using juce::Colour;
using juce::Font;

struct StyleCase
{
    int flags;
    const char* style;
};

class VqLookAndFeelTest : public testing::Test
{
protected:
    juce::VqLookAndFeel lookAndFeel;
};

TEST_F (VqLookAndFeelTest, ExactlyBoldItalicOrBothPickThoseFacesAndEveryOtherStyleIsRegular)
{
    const StyleCase cases[] = { { 0, "Regular" }, { 1, "Bold" },    { 2, "Italic" },  { 3, "Bold Italic" },
                                { 4, "Regular" }, { 5, "Regular" }, { 6, "Regular" }, { 7, "Regular" } };

    for (const auto& c : cases)
    {
        for (const auto* name : { "Lato", "Any Other Name" })
        {
            auto face = lookAndFeel.getTypefaceForFont (Font (name, 31.0f, c.flags));
            ASSERT_NE (face, nullptr) << c.flags;
            EXPECT_EQ (face->getName(), "Lato") << c.flags;
            EXPECT_EQ (face->getStyle(), c.style) << "style flags " << c.flags;
        }
    }
}

TEST_F (VqLookAndFeelTest, HandingOutAFaceAllocatesNothing)
{
    const Font fonts[] = { Font (12.0f), Font (12.0f, Font::bold), Font (12.0f, Font::italic),
                           Font (12.0f, Font::bold | Font::italic), Font (12.0f, Font::underlined) };
    allocations = 0;
    countingAllocations = true;

    for (const auto& font : fonts)
        lookAndFeel.getTypefaceForFont (font);

    countingAllocations = false;
    EXPECT_EQ (allocations, 0);
}

TEST_F (VqLookAndFeelTest, TextTakesTheEmbeddedFacesOnlyWhileTheLookAndFeelIsTheDefault)
{
    // The framework caches the faces it resolved, so each switch starts from an empty cache.
    auto faceOfPlainTextWith = [] (juce::LookAndFeel* defaultLookAndFeel)
    {
        juce::LookAndFeel::setDefaultLookAndFeel (defaultLookAndFeel);
        juce::Typeface::clearTypefaceCache();
        return Font (14.0f).getTypefacePtr();
    };
    // Whatever fonts the machine has, this is the face the platform picks for plain text.
    const auto platformFace = Font::getDefaultTypefaceForFont (Font (14.0f))->getName();

    juce::Component tree;
    tree.setLookAndFeel (&lookAndFeel);
    EXPECT_EQ (faceOfPlainTextWith (nullptr)->getName(), platformFace);
    EXPECT_EQ (faceOfPlainTextWith (&lookAndFeel), lookAndFeel.getTypefaceForFont (Font (14.0f)));
    EXPECT_EQ (faceOfPlainTextWith (nullptr)->getName(), platformFace);
    tree.setLookAndFeel (nullptr);
}

//==============================================================================
/** Draws one popup-menu element into a transparent image and reads its pixels. */
class PopupMenuDrawingTest : public testing::Test
{
protected:
    static constexpr int width = 200;

    /** The image is at least one row high, so that an item of no height can be drawn into it. */
    juce::Image drawItem (int height, bool isSeparator, bool isActive, bool isHighlighted,
                          const Colour* textColour = nullptr, const juce::String& text = "Save Preset...")
    {
        juce::Image image (juce::Image::ARGB, width, juce::jmax (1, height), true);
        juce::Graphics g (image);
        lookAndFeel.drawPopupMenuItem (g, { width, height }, isSeparator, isActive, isHighlighted, false, false, text,
                                       {}, nullptr, textColour);
        return image;
    }

    /** The most opaque pixel of the image: for drawn text, its colour. */
    static Colour strongestPixel (const juce::Image& image)
    {
        Colour strongest;
        vqtest::countPixels (image,
                             [&] (Colour pixel)
                             {
                                 strongest = pixel.getAlpha() > strongest.getAlpha() ? pixel : strongest;
                                 return false;
                             });
        return strongest;
    }

    /** How many pixels of the area something was drawn into with more than the given opacity. */
    static int drawnPixels (const juce::Image& image, juce::Rectangle<int> area, int minimumAlpha = 0)
    {
        return vqtest::countPixels (
            image, [minimumAlpha] (Colour pixel) { return pixel.getAlpha() > minimumAlpha; }, area);
    }

    juce::PopupMenu_LAF lookAndFeel;
};

TEST_F (PopupMenuDrawingTest, TheBackgroundRunsFromLightToDarkGreyInsideADarkOutline)
{
    juce::Image image (juce::Image::ARGB, width, 101, true);
    juce::Graphics g (image);
    lookAndFeel.drawPopupMenuBackground (g, width, 101);

    EXPECT_PRED3 (vqtest::coloursNear, image.getPixelAt (100, 1), Colour (0xFF373737), 2);
    EXPECT_PRED3 (vqtest::coloursNear, image.getPixelAt (100, 50), Colour (0xFF2F2F2F), 2);
    EXPECT_PRED3 (vqtest::coloursNear, image.getPixelAt (100, 99), Colour (0xFF282828), 2);

    // Black at 60 % over the gradient.
    EXPECT_PRED3 (vqtest::coloursNear, image.getPixelAt (0, 50), Colour (0xFF131313), 2);
    EXPECT_PRED3 (vqtest::coloursNear, image.getPixelAt (100, 0), Colour (0xFF161616), 2);
    EXPECT_PRED3 (vqtest::coloursNear, image.getPixelAt (width - 1, 50), Colour (0xFF131313), 2);
}

TEST_F (PopupMenuDrawingTest, AHighlightedActiveItemIsFilledInsideAOnePixelMarginWithADarkeningGradient)
{
    const auto image = drawItem (41, false, true, true);

    EXPECT_EQ (image.getPixelAt (5, 0).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (0, 20).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (width - 1, 20).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (5, 40).getAlpha(), 0);

    EXPECT_PRED3 (vqtest::coloursNear, image.getPixelAt (2, 1), Colour (0xFF414141), 3);
    EXPECT_PRED3 (vqtest::coloursNear, image.getPixelAt (2, 20), Colour (0xFF282828), 3);
    EXPECT_PRED3 (vqtest::coloursNear, image.getPixelAt (2, 39), Colour (0xFF1E1E1E), 3);
}

TEST_F (PopupMenuDrawingTest, ItemTextIsLightGreyAndHalfTransparentWhenInactiveWithNoFillUnlessActiveAndHighlighted)
{
    struct Case
    {
        bool isActive, isHighlighted;
        juce::uint8 textAlpha;
        bool filled;
    };

    for (auto c : { Case { true, false, 0xFF, false }, Case { false, false, 0x80, false },
                    Case { false, true, 0x80, false }, Case { true, true, 0xFF, true } })
    {
        const auto image = drawItem (24, false, c.isActive, c.isHighlighted);
        EXPECT_EQ (image.getPixelAt (2, 2).getAlpha() == 0xFF, c.filled);

        if (! c.filled)
        {
            const auto text = strongestPixel (image);
            EXPECT_PRED3 (vqtest::coloursNear, text, Colour ((juce::uint32) (c.textAlpha << 24) | 0xB2B5BEu), 3);
        }
    }
}

TEST_F (PopupMenuDrawingTest, AnItemsOwnTextColourIsIgnored)
{
    const Colour red (0xFFFF0000);
    const auto image = drawItem (24, false, true, false, &red);
    EXPECT_PRED3 (vqtest::coloursNear, strongestPixel (image), Colour (0xFFB2B5BE), 3);
}

TEST_F (PopupMenuDrawingTest, ItemTextStartsAfterTheTickColumn)
{
    // 24 px high: margin 1, indent 5, then a column of round (22 / 1.3) = 17 px.
    const auto image = drawItem (24, false, true, false);
    EXPECT_EQ (drawnPixels (image, { 0, 0, 23, 24 }), 0);
    EXPECT_GT (drawnPixels (image, { 23, 0, 20, 24 }, 0xC0), 0);
}

TEST_F (PopupMenuDrawingTest, ASeparatorIsOneFaintRowHalfWayDownInsetByFivePixels)
{
    struct Case
    {
        int height, row;
    };

    // Rows round half to even: 0.5 goes to 0, 1.5 to 2.
    for (auto c : { Case { 9, 4 }, Case { 4, 2 }, Case { 2, 0 }, Case { 1, 0 }, Case { 0, -1 } })
    {
        const auto drawn = drawItem (c.height, true, true, false);

        for (int y = 0; y < drawn.getHeight(); ++y)
        {
            EXPECT_EQ (drawn.getPixelAt (4, y).getAlpha(), 0) << c.height;
            EXPECT_EQ (drawn.getPixelAt (width - 5, y).getAlpha(), 0) << c.height;

            if (y == c.row)
                EXPECT_PRED3 (vqtest::coloursNear, drawn.getPixelAt (100, y), Colour (0x4CB2B5BE), 4)
                    << "height " << c.height;
            else
                EXPECT_EQ (drawn.getPixelAt (100, y).getAlpha(), 0) << "height " << c.height << " row " << y;
        }
    }
}

TEST_F (PopupMenuDrawingTest, ASectionHeaderIsLightGreyTextAtTheBottomLeftOfItsUpperFourFifths)
{
    juce::Image image (juce::Image::ARGB, width, 30, true);
    juce::Graphics g (image);
    lookAndFeel.drawPopupMenuSectionHeader (g, { 0, 0, width, 30 }, "DEVICES");

    EXPECT_PRED3 (vqtest::coloursNear, strongestPixel (image), Colour (0xFFB2B5BE), 3);
    EXPECT_EQ (drawnPixels (image, { 0, 0, 12, 30 }), 0);
    EXPECT_EQ (drawnPixels (image, { 0, 24, width, 6 }), 0);
    EXPECT_GT (drawnPixels (image, { 12, 12, 30, 12 }, 0xC0), 0);
}
} // namespace
