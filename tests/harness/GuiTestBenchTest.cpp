#include "ComponentImages.h"

#include "Probe.h"

#include <gtest/gtest.h>

TEST (GuiTestBench, ARenderAtScaleTwoHasTwiceThePixelsAndSamplesInComponentCoordinates)
{
    vqtest::Probe probe;
    probe.setSize (20, 10);

    for (const float scale : { 1.0f, 2.0f })
    {
        const auto image = vqtest::renderComponent (probe, scale);
        EXPECT_EQ (image.getWidth(), (int) (20 * scale));
        EXPECT_EQ (vqtest::sample (image, { 4.5f, 5.0f }, scale), juce::Colours::red);
        EXPECT_EQ (vqtest::sample (image, { 15.5f, 5.0f }, scale), juce::Colours::blue);
        EXPECT_EQ (vqtest::countPixels (image, [] (juce::Colour c) { return c == juce::Colours::red; }),
                   (int) (100 * scale * scale));
    }
    EXPECT_TRUE (vqtest::writePng (vqtest::renderComponent (probe, 2.0f), vqtest::testImageFile()));
}
