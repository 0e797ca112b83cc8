#include "SysexText.h"

#include "MidiBridge.h"
#include "ParamTools.h"
#include "vq_midi/VqSysexProtocol.h"

namespace
{
using Protocol = juce::VqSysexProtocol;

const char* controlName (int id)
{
    switch (id)
    {
        case Protocol::eq1Gain: return "band 1 gain";
        case Protocol::eq1Q: return "band 1 Q";
        case Protocol::eq1Frequency: return "band 1 frequency";
        case Protocol::eq2Gain: return "band 2 gain";
        case Protocol::eq2Q: return "band 2 Q";
        case Protocol::eq2Frequency: return "band 2 frequency";
        case Protocol::lowPass: return "low-pass filter";
        case Protocol::highPass: return "high-pass filter";
        case Protocol::channelMode: return "channel mode";
        case Protocol::switches: return "switches";
        default: return nullptr;
    }
}
} // namespace

juce::String SysexText::toHex (const Bytes& bytes)
{
    return juce::String::toHexString (bytes.data(), (int) bytes.size()).toUpperCase();
}

juce::String SysexText::describeMode (int code)
{
    switch (code)
    {
        case Protocol::channelsLinked: return "linked";
        case Protocol::channel1Selected: return "channel 1 selected";
        case Protocol::channel2Selected: return "channel 2 selected";
        default: return "unknown mode " + juce::String (code);
    }
}

juce::String SysexText::describeSwitches (int code)
{
    const auto state = [code] (const char* name, int bit)
    { return juce::String (name) + ((code & bit) != 0 ? " on" : " off"); };

    return state ("ENGAGE", Protocol::engageBit) + ", " + state ("EQ1 ENGAGE", Protocol::eq1EngageBit) + ", " +
           state ("EQ2 ENGAGE", Protocol::eq2EngageBit);
}

juce::String SysexText::describe (const Bytes& bytes, bool toUnit)
{
    if (! Protocol::isFramed (bytes.data(), bytes.size()))
        return "not ours";

    const auto command = bytes[Protocol::commandByte];

    if (bytes.size() == Protocol::queryLength && command == Protocol::commandIdentify)
        return toUnit ? "discovery query" : "answer: serial number " + juce::String (bytes[Protocol::serialByte]);

    if (bytes.size() < Protocol::minParameterLength)
        return "short message";

    const auto id = (int) bytes[Protocol::idByte];
    const auto code = bytes[Protocol::valueLowByte] + 128 * bytes[Protocol::valueHighByte];
    const auto* name = controlName (id);

    if (name == nullptr)
        return "unknown control " + juce::String (id) + ", code " + juce::String (code);

    juce::String channel;

    if (command == Protocol::commandSelectedChannel)
        channel = toUnit ? "selected channel" : "from the panel";
    else if (command == Protocol::commandOtherChannel)
        channel = "other channel";
    else
        channel = "command " + juce::String (command);

    juce::String meaning;

    if (id == Protocol::channelMode)
        meaning = describeMode (code);
    else if (id == Protocol::switches)
        meaning = describeSwitches (code);
    else
    {
        const auto index = PlemvoMidiBridge::getChannel1Index (id);
        meaning = ParamTools::valueToText (index, ParamTools::codeToValue (ParamTools::getKind (index), code));
    }

    return juce::String (name) + ", " + channel + ": " + meaning + " (code " + juce::String (code) + ")";
}
