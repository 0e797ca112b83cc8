#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <vector>

/** Readable text for the system-exclusive messages between the plug-in and the unit: the bytes in hex and
    what they mean, in the parameters' own value texts. */
class SysexText
{
public:
    using Bytes = std::vector<std::uint8_t>;

    /** "F0 00 12 34 ..." */
    static juce::String toHex (const Bytes& bytes);

    /** What a message means, e.g. "band 1 gain, selected channel: +7.5 dB (code 90)". */
    static juce::String describe (const Bytes& bytes, bool toUnit);

    /** "linked", "channel 1 selected", "channel 2 selected". */
    static juce::String describeMode (int code);

    /** "ENGAGE on, EQ1 ENGAGE off, EQ2 ENGAGE on". */
    static juce::String describeSwitches (int code);
};
