// Any bytes typed into any parameter's field: the value stays finite and inside 0..1, and the number
// check never throws or reads out of bounds.
#include "ParamTools.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    const auto* chars = reinterpret_cast<const char*> (data + 1);

    // Typed texts reach us as juce::Strings, which hold valid UTF-8 only.
    if (size == 0 || ! juce::CharPointer_UTF8::isValidString (chars, (int) size - 1))
        return 0;

    const auto index = (int) data[0] % (ParamData::numParams + 2) - 1;
    const auto text = juce::String::fromUTF8 (chars, (int) size - 1);

    const auto value = ParamTools::textToValue (index, text, 0.5f);

    if (! (value >= 0.0f && value <= 1.0f))
        std::abort();

    for (const auto* unit : { "", "dB", "Hz", "ms" })
    {
        auto evaluated = text;
        juce::isFormattedToNumber (evaluated, unit);
    }

    ParamTools::valueToText (index, value);
    return 0;
}
