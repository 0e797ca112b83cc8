#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace vqtest
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
} // namespace vqtest
