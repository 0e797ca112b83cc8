#include "ComponentImages.h"

#include <gtest/gtest.h>

namespace
{
/** Red left half, blue right half; records what reaches it. */
struct Probe : juce::Component
{
    std::vector<juce::String> events;
    int lastClicks = 0;

    void paint (juce::Graphics& g) override
    {
        g.fillAll (juce::Colours::blue);
        g.setColour (juce::Colours::red);
        g.fillRect (0, 0, getWidth() / 2, getHeight());
    }

    void mouseEnter (const juce::MouseEvent&) override { events.push_back ("enter"); }
    void mouseExit (const juce::MouseEvent&) override { events.push_back ("exit"); }
    void mouseDown (const juce::MouseEvent& e) override
    {
        events.push_back ("down");
        lastClicks = e.getNumberOfClicks();
    }
    void mouseDrag (const juce::MouseEvent&) override { events.push_back ("drag"); }
    void mouseUp (const juce::MouseEvent&) override { events.push_back ("up"); }
};
} // namespace

TEST (GuiTestBench, ARenderAtScaleTwoHasTwiceThePixelsAndSamplesInComponentCoordinates)
{
    Probe probe;
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
