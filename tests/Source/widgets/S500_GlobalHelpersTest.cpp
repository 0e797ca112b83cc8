#include "ComponentImages.h"

#include "widgets/S500_GlobalHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
// The seed whose next step gives the wanted one: the multiplier is odd, so it has an inverse mod 2^48.
juce::int64 seedBefore (juce::uint64 wanted)
{
    juce::uint64 inverse = 1;
    for (int i = 0; i < 6; ++i)
        inverse *= 2 - 0x5DEECE66DULL * inverse;
    return (juce::int64) (((wanted - 11) * inverse) & 0xFFFFFFFFFFFFULL);
}

juce::Image conical (juce::Colour colour, float diameter, float ringWidth, float shift = 0.0f)
{
    juce::Image image (juce::Image::ARGB, 24, 24, true);
    juce::Graphics g (image);
    const juce::ColourGradient gradient (colour, 0.0f, 0.0f, colour, 24.0f, 0.0f, false);
    VQ_GuiHelper::fillConicalGradient (&g, gradient, diameter, 24.0f, shift, shift, ringWidth);
    return image;
}
} // namespace

TEST (VQ_Random, TheGeneratorStepsAsTheFortyEightBitCongruenceAndGivesBitsSixteenToFortySeven)
{
    VQ_Random random (1);
    EXPECT_EQ ((juce::uint32) random.nextInt(), 384748u);
    EXPECT_EQ ((juce::uint32) random.nextInt(), 3143714957u);
    EXPECT_EQ ((juce::uint32) random.nextInt(), 3745583449u);

    for (const juce::int64 seed : { 0LL, 42LL, 0xFFFFFFFFFFFFLL })
    {
        VQ_Random ours (seed);
        juce::Random reference (seed);
        for (int i = 0; i < 100; ++i)
            ASSERT_EQ (ours.nextInt64(), reference.nextInt64()) << seed;
    }
}

TEST (VQ_Random, AFloatLiesInZeroToOneWithOneItselfAndTheSignIsMinusForAnEvenOutput)
{
    VQ_Random top (seedBefore (0xFFFFFFFF0000ULL));
    EXPECT_EQ (top.nextFloat(), 1.0f);

    VQ_Random even (seedBefore (0x000000020000ULL)), odd (seedBefore (0x000000010000ULL));
    EXPECT_EQ (even.nextSign(), -1);
    EXPECT_EQ (odd.nextSign(), 1);

    for (int i = 0; i < 10000; ++i)
    {
        const auto f = VQ_Random::getNextFloat();
        ASSERT_TRUE (f >= 0.0f && f <= 1.0f) << f;
        const auto sign = VQ_Random::getRandomSign();
        ASSERT_TRUE (sign == -1 || sign == 1);
    }
}

TEST (VQ_GuiHelper, AConicalFillIsARingOnlyForAWidthBetweenZeroAndHalfTheDiameter)
{
    struct Case
    {
        float ringWidth;
        bool ring;
    };
    for (const auto c : { Case { 0.0f, false }, Case { -3.0f, false }, Case { 12.0f, false }, Case { 20.0f, false },
                          Case { 4.0f, true } })
    {
        const auto image = conical (juce::Colours::white, 24.0f, c.ringWidth);
        EXPECT_EQ (image.getPixelAt (12, 12).getAlpha() == 0, c.ring) << c.ringWidth;
        EXPECT_EQ (image.getPixelAt (2, 12).getAlpha(), 255) << c.ringWidth;
        EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0) << c.ringWidth;
    }
}

TEST (VQ_GuiHelper, NoiseIsTakenOffAChannelAbove245AndAddedToAnyOtherSoNoneWraps)
{
    const auto image = conical (juce::Colour ((juce::uint8) 250, (juce::uint8) 245, (juce::uint8) 0), 24.0f, 0.0f);
    const auto inRange = [] (juce::Colour c)
    { return c.getRed() >= 241 && c.getRed() <= 250 && c.getGreen() >= 245 && c.getBlue() <= 9; };
    const juce::Rectangle<int> inside (8, 8, 8, 8);
    EXPECT_EQ (vqtest::countPixels (image, inRange, inside), 64);
}

TEST (VQ_GuiHelper, AShiftOfManyTurnsStillWritesInsideTheImage)
{
    for (const float shift : { 24.0f, 72.5f, -50.0f, -2400.0f })
        EXPECT_EQ (conical (juce::Colours::white, 24.0f, 0.0f, shift).getPixelAt (12, 12).getAlpha(), 255) << shift;
}

TEST (VQ_GuiHelper, AGradientLongerThanAnyImageOrOfNoNumberStillShadesAllRound)
{
    const auto nan = std::numeric_limits<float>::quiet_NaN();

    for (const float end : { 24.0f, 1.0e9f, std::numeric_limits<float>::infinity(), nan })
    {
        juce::Image image (juce::Image::ARGB, 24, 24, true);
        juce::Graphics g (image);
        juce::ColourGradient gradient (juce::Colours::black, 0.0f, 0.0f, juce::Colours::black, end, 0.0f, false);
        gradient.addColour (0.5, juce::Colours::white);
        const float size = 24.0f, none = 0.0f;
        VQ_GuiHelper::fillConicalGradient (&g, gradient, size, size, none, none, none);

        // Half a turn apart: the left edge takes the gradient's ends, the right edge its middle.
        EXPECT_LT (image.getPixelAt (2, 12).getBrightness(), 0.2f) << end;
        EXPECT_GT (image.getPixelAt (21, 12).getBrightness(), 0.8f) << end;
    }
}

TEST (VQ_GuiHelper, LedImagesShowTheirColourArithmeticAtTheCentre)
{
    const juce::Colour red (0xFFE01515);
    juce::Image off, on;
    VQ_GuiHelper::prepareOffDiodeImageEncoder (off, 20, red);
    VQ_GuiHelper::prepareOnDiodeImage (on, 20.0f, red);

    ASSERT_EQ (off.getWidth(), 40);
    ASSERT_EQ (on.getWidth(), 40);
    EXPECT_TRUE (vqtest::coloursNear (off.getPixelAt (20, 20), red, 6)) << off.getPixelAt (20, 20).toString();
    // The hot core: red kept, green + 171 and blue + 129.
    EXPECT_TRUE (vqtest::coloursNear (on.getPixelAt (20, 20), juce::Colour (0xFFE0C096), 16))
        << on.getPixelAt (20, 20).toString();
    EXPECT_EQ (off.getPixelAt (1, 1).getAlpha(), 0);
}

TEST (VQ_GuiHelper, ZeroNegativeAndNaNSizesGiveADefinedImage)
{
    const auto nan = std::numeric_limits<float>::quiet_NaN();
    for (const float size : { 0.0f, -5.0f, 1.0f, nan, 1.0e9f })
    {
        const float huge = 1.0e9f;
        EXPECT_TRUE (conical (juce::Colours::white, size, size, huge).isValid());
        EXPECT_TRUE (conical (juce::Colours::white, 24.0f, 0.0f, size).isValid());
    }
    for (const float size : { 0.0f, -5.0f, 1.0f, nan, 1.0e9f })
    {
        juce::Image cap, on;
        VQ_GuiHelper::prepareConicalGradWithChamfer (cap, size, size / 10.0f);
        EXPECT_TRUE (cap.getWidth() >= 2 && cap.getWidth() <= VQ_GuiHelper::maxImageSide) << size;
        VQ_GuiHelper::prepareOnDiodeImage (on, size, juce::Colours::white);
        EXPECT_TRUE (! on.isValid() || on.getWidth() <= VQ_GuiHelper::maxImageSide) << size;

        juce::Image area (juce::Image::ARGB, 8, 8, true);
        juce::Graphics g (area);
        const juce::uint8 alpha = 5;
        VQ_GuiHelper::makeRotaryBrushingEffect (g, size, 0.0f, size, alpha);
    }

    juce::Image off;
    VQ_GuiHelper::prepareOffDiodeImageEncoder (off, -3, juce::Colours::white);
    EXPECT_FALSE (off.isValid());
}

TEST (VQ_GuiHelper, BrushingWithMaximumAlphaZeroStrokesNothingVisibleAndWithOneEveryRingAtAlphaOne)
{
    // Rings two pixels wide: the pixels a ring covers fully show its own alpha, which partly covered
    // ones round away.
    const float side = 200.0f, none = 0.0f;
    const juce::Rectangle<int> disc (60, 60, 80, 80);

    for (const int maxAlpha : { 0, 1 })
    {
        juce::Image image (juce::Image::ARGB, (int) side, (int) side, true);
        {
            juce::Graphics g (image);
            VQ_GuiHelper::makeRotaryBrushingEffect (g, side, none, side, (juce::uint8) maxAlpha);
        }

        const auto visible = vqtest::countPixels (
            image, [] (juce::Colour c) { return c.getAlpha() > 0; }, disc);
        const auto aboveOne = vqtest::countPixels (
            image, [] (juce::Colour c) { return c.getAlpha() > 2; }, disc);
        EXPECT_EQ (aboveOne, 0) << maxAlpha;
        EXPECT_EQ (visible > disc.getWidth() * disc.getHeight() / 4, maxAlpha == 1) << maxAlpha;
    }
}

TEST (VQ_GuiHelper, TwoCapShadingsOfOneSizeDiffer)
{
    // Two random turns can happen to be close, so five caps are drawn: some two of them must differ.
    const float diameter = 64.0f, chamfer = 2.0f;
    std::vector<juce::Image> caps (5);
    for (auto& cap : caps)
        VQ_GuiHelper::prepareConicalGradWithChamfer (cap, diameter, chamfer);

    // The grain alone changes a channel by at most 9; turned reflections change the alpha far more.
    const auto pixelsMoved = [] (const juce::Image& a, const juce::Image& b)
    {
        int moved = 0;
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                moved += std::abs (a.getPixelAt (x, y).getAlpha() - b.getPixelAt (x, y).getAlpha()) > 16 ? 1 : 0;
        return moved;
    };

    int mostMoved = 0;
    for (size_t i = 0; i < caps.size(); ++i)
        for (size_t j = i + 1; j < caps.size(); ++j)
        {
            ASSERT_EQ (caps[i].getBounds(), caps[j].getBounds());
            mostMoved = std::max (mostMoved, pixelsMoved (caps[i], caps[j]));
        }

    EXPECT_GT (mostMoved, 40);
}

TEST (VQ_Grain, EachLogicalPixelHasOneValueAtEveryScaleAndTheSameEveryTime)
{
    const VQ_Grain grain (1234);
    const auto atTwo = grain.atScale (2.0f);
    std::vector<int> counts (10, 0);

    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            for (int channel = 0; channel < 3; ++channel)
            {
                const auto value = grain.at (x, y, channel, 10);
                ASSERT_TRUE (value >= 0 && value < 10) << value;
                ++counts[(size_t) value];
                ASSERT_EQ (VQ_Grain (1234).at (x, y, channel, 10), value);

                for (const auto& [dx, dy] : { std::pair { 0, 0 }, { 1, 0 }, { 0, 1 }, { 1, 1 } })
                    ASSERT_EQ (atTwo.at (2 * x + dx, 2 * y + dy, channel, 10), value) << x << ", " << y;
            }

    // 1728 values over ten: each near 173.
    for (const auto count : counts)
        EXPECT_TRUE (count > 120 && count < 230) << count;
}

TEST (VQ_Grain, AnotherSeedOrPartGivesAnotherPatternAndEveryRingItsOwnColour)
{
    const VQ_Grain grain (1234);
    const VQ_Grain others[] { VQ_Grain (1235), grain.part (0), grain.part (1), VQ_Grain::random() };

    for (const auto& other : others)
    {
        int same = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                same += other.at (x, y, 0, 10) == grain.at (x, y, 0, 10) ? 1 : 0;

        // A tenth by chance.
        EXPECT_LT (same, 100);
    }

    int sameRings = 0;
    for (int ring = 1; ring < 50; ++ring)
        sameRings += grain.of (ring, 3, 5) == grain.of (ring - 1, 3, 5) ? 1 : 0;
    EXPECT_LT (sameRings, 20);
    EXPECT_EQ (grain.of (7, 0, 1), 0) << "a range of one has one value";
}
