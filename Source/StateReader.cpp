#include "StateReader.h"

#include "GuardedValueTreeReader.h"
#include "ParamTools.h"
#include "PresetXmlParser.h"
#include "vq_midi/VqSysexProtocol.h"

#include <algorithm>

const juce::Identifier StateReader::rootType ("VQ_PLEMVO_3_0_0");
const juce::Identifier StateReader::Ids::preset ("PRESET");
const juce::Identifier StateReader::Ids::presetNo ("PRESET_NO");
const juce::Identifier StateReader::Ids::param ("PARAM");
const juce::Identifier StateReader::Ids::name ("NAME");
const juce::Identifier StateReader::Ids::paramId ("PARAM_ID");
const juce::Identifier StateReader::Ids::value ("VALUE");
const juce::Identifier StateReader::Ids::settings ("SETTINGS");
const juce::Identifier StateReader::Ids::naParam ("NA_PARAM");

namespace
{
/** The settings that a state restores. "IS CONNECTED", the clipper lights and the mouse-over flags
    describe the running session and are never restored. */
constexpr int restoredSettings[] = { ParamData::connectedDevSn, ParamData::shouldBeConnected,
                                     ParamData::selectedChannel, ParamData::doubleWindow };

bool isInRange (double value, double low, double high)
{
    return std::isfinite (value) && value >= low && value <= high;
}

/** C atoi: optional sign and the leading digits, 0 without any; saturates instead of overflowing. */
int readLeadingInt (const juce::String& text)
{
    auto p = text.getCharPointer().findEndOfWhitespace();
    const bool isNegative = (*p == '-');

    if (*p == '-' || *p == '+')
        ++p;

    juce::int64 magnitude = 0;

    for (; juce::CharacterFunctions::isDigit (*p); ++p)
        magnitude = juce::jmin ((juce::int64) std::numeric_limits<int>::max(), magnitude * 10 + (*p - '0'));

    return (int) (isNegative ? -magnitude : magnitude);
}

/** The text as a whole integer (surrounding spaces allowed), or nothing. */
std::optional<int> readWholeInt (const juce::String& text)
{
    const auto trimmed = text.trim();
    const auto digits = trimmed.startsWithChar ('-') || trimmed.startsWithChar ('+') ? trimmed.substring (1) : trimmed;

    if (digits.isEmpty() || digits.length() > 9 || ! digits.containsOnly ("0123456789"))
        return {};

    return readLeadingInt (trimmed);
}

/** The text as a whole decimal number (surrounding spaces allowed), or nothing. */
std::optional<double> readWholeNumber (const juce::String& text)
{
    const auto trimmed = text.trim();
    auto p = trimmed.getCharPointer();
    const auto skipDigits = [&p]
    {
        int n = 0;

        for (; juce::CharacterFunctions::isDigit (*p); ++p)
            ++n;

        return n;
    };

    if (*p == '-' || *p == '+')
        ++p;

    int numDigits = skipDigits();

    if (*p == '.')
    {
        ++p;
        numDigits += skipDigits();
    }

    if (numDigits == 0)
        return {};

    if (*p == 'e' || *p == 'E')
    {
        ++p;

        if (*p == '-' || *p == '+')
            ++p;

        if (skipDigits() == 0)
            return {};
    }

    if (! p.isEmpty())
        return {};

    return trimmed.getDoubleValue();
}

/** A property read as an integer the way its writer meant it; text, arrays and blobs that hold no
    integer give nothing. */
std::optional<int> readInt (const juce::var& v)
{
    if (v.isInt() || v.isBool())
        return (int) v;

    if (v.isInt64() || v.isDouble())
    {
        const auto d = (double) v;

        if (isInRange (d, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()))
            return (int) d;

        return {};
    }

    if (v.isString())
        return readWholeInt (v.toString());

    return {};
}

/** A parameter's value: a finite number within 0..1, or nothing. */
std::optional<float> readParamValue (double value)
{
    if (isInRange (value, 0.0, 1.0))
        return (float) value;

    return {};
}

std::optional<float> readParamValue (const juce::var& v)
{
    if (v.isInt() || v.isInt64() || v.isDouble())
        return readParamValue ((double) v);

    return {};
}

juce::String getAttribute (const PresetXmlParser::Element& element, juce::StringRef name)
{
    const auto* value = element.findAttribute (name);
    return value != nullptr ? *value : juce::String();
}
} // namespace

StateReader::Changes StateReader::read (const void* data, size_t numBytes)
{
    Changes changes;

    if (data == nullptr || numBytes == 0 || numBytes > maxBytes)
        return changes;

    if (const auto xml = readXml (data, numBytes))
        readXmlElement (*xml, changes);
    else
        readTree (GuardedValueTreeReader::read (data, numBytes), changes);

    return changes;
}

std::optional<PresetXmlParser::Element> StateReader::readXml (const void* data, size_t numBytes)
{
    const auto* bytes = static_cast<const char*> (data);

    if (numBytes >= 9 && juce::ByteOrder::littleEndianInt (bytes) == (juce::uint32) xmlMagic)
    {
        const auto declared = (int) juce::ByteOrder::littleEndianInt (bytes + 4);

        if (declared > 0)
        {
            const auto length = juce::jmin ((size_t) declared, numBytes - 8);
            const auto* text = bytes + 8;

            if (juce::CharPointer_UTF8::isValidString (text, (int) length))
                if (auto xml = PresetXmlParser::parse (
                        juce::String (juce::CharPointer_UTF8 (text), juce::CharPointer_UTF8 (text + length))))
                    return xml;
        }
    }

    // Plain XML text starts with white space, '<' or a byte-order mark; anything else (a value tree
    // among them) is not converted to text at all.
    const auto first = (juce::uint8) bytes[0];

    if (! (first == '<' || juce::CharacterFunctions::isWhitespace ((char) first) || first == 0xef || first >= 0xfe))
        return {};

    const auto text = juce::String::createStringFromData (data, (int) numBytes);

    if (text.isNotEmpty())
        return PresetXmlParser::parse (text);

    return {};
}

void StateReader::readTree (const juce::ValueTree& root, Changes& changes)
{
    if (! root.hasType (rootType))
        return;

    for (const auto& child : root)
    {
        if (child.hasType (Ids::preset))
        {
            const auto number = child.hasProperty (Ids::presetNo) ? readInt (child[Ids::presetNo]) : 0;

            if (number != 0)
                continue;

            // By position: the PARAM_ID that the writer adds is not trusted.
            for (int j = 0; j < juce::jmin (child.getNumChildren(), (int) ParamData::numParams); ++j)
            {
                const auto param = child.getChild (j);

                if (! param.hasType (Ids::param))
                    continue;

                const auto value =
                    param.hasProperty (Ids::value) ? readParamValue (param[Ids::value]) : ParamData::paramDefault[j];

                if (value.has_value())
                    changes.params.push_back ({ j, *value });
            }
        }

        if (child.hasType (Ids::settings))
        {
            for (const auto& setting : child)
            {
                if (! setting.hasProperty (Ids::paramId) || ! setting.hasProperty (Ids::value))
                    continue;

                if (const auto index = readInt (setting[Ids::paramId]))
                    if (std::find (std::begin (restoredSettings), std::end (restoredSettings), *index) !=
                        std::end (restoredSettings))
                        if (auto value = ParamData::toSettingValue (*index, setting[Ids::value]))
                            changes.settings.push_back ({ *index, std::move (*value) });
            }
        }
    }
}

void StateReader::readXmlElement (const PresetXmlParser::Element& root, Changes& changes)
{
    const auto* presets = root.findChildIgnoringCase ("presets");

    if (presets == nullptr)
    {
        if (const auto* parameters = root.findChildIgnoringCase ("parameters"))
            readParameterList (*parameters, changes);

        return;
    }

    const int active = readLeadingInt (getAttribute (root, "active"));

    for (auto& preset : presets->children)
        if (readLeadingInt (preset.tagName) == active)
            if (const auto* parameters = preset.findChildIgnoringCase ("parameters"))
                readParameterList (*parameters, changes);

    // A missing or unreadable "devNo" is no unit: it must not read as unit 0.
    if (const auto* deviceText = root.findAttribute ("devNo"))
        if (const auto device = readWholeInt (*deviceText))
            if (*device >= 0 && *device <= juce::VqSysexProtocol::maxSerialNo)
                changes.bankDevice = *device;
}

void StateReader::readParameterList (const PresetXmlParser::Element& parameters, Changes& changes)
{
    for (auto& param : parameters.children)
    {
        const auto* valueText = param.findAttribute ("value");
        const int index = readLeadingInt (param.tagName);

        if (valueText == nullptr || index < 0 || index >= ParamData::numParams)
            continue;

        if (const auto number = readWholeNumber (*valueText))
            if (const auto value = readParamValue (*number))
                changes.params.push_back ({ index, *value });
    }
}
