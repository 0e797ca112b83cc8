#include "Shots.h"

#include "widgets/SevenSegmentDisplay.h"

namespace
{
/** The read-out at the panel's size showing one text. */
std::unique_ptr<juce::Component> readOut (const juce::String& text)
{
    auto display = std::make_unique<SevenSegmentDisplay>();
    display->setSize (103, 64);
    display->setTextToDisplay (text);
    return display;
}

const vqshots::Shot minusOnePointFive { "readout-minus-1.5", [] { return readOut ("-1.5"); } };
const vqshots::Shot minusOneFifty { "readout-minus-150", [] { return readOut ("-150"); } };
const vqshots::Shot minusTwoFifty { "readout-minus-250", [] { return readOut ("-250"); } };
const vqshots::Shot threeSixtyThree { "readout-363", [] { return readOut ("363"); } };
const vqshots::Shot zeroPointZero { "readout-space-0.0", [] { return readOut (" 0.0"); } };
const vqshots::Shot blank { "readout-blank", [] { return readOut ({}); } };
} // namespace
