#pragma once

#include "PresetXmlParser.h"

#include <juce_data_structures/juce_data_structures.h>

/** Turns the bytes of a session state or preset file into the changes they ask for, without touching
    any parameter: the state tree ("VQ_PLEMVO_3_0_0"), XML wrapped in the binary XML header, plain
    XML (a parameter list or a ".vqrb" bank). Pure and safe on any thread.

    Whatever is valid is kept and whatever is not is skipped item by item; data in none of the forms
    gives no changes. A parameter value is kept only when it is a finite number within 0..1: a value
    outside that range is skipped, never clamped, so it cannot reach a parameter.
*/
class StateReader
{
public:
    /** One parameter to set, in the order the data gives. */
    struct ParamChange
    {
        int index;
        float value;
    };

    /** One setting to hand to its thread-barrier setter. */
    struct SettingChange
    {
        int index;
        juce::var value;
    };

    struct Changes
    {
        std::vector<ParamChange> params;
        std::vector<SettingChange> settings;

        /** A bank's "devNo": the unit to connect to, applied only while a unit is connected. */
        std::optional<int> bankDevice;

        bool isEmpty() const noexcept { return params.empty() && settings.empty() && ! bankDevice.has_value(); }
    };

    static constexpr int xmlMagic = 0x21324356; // "VC2!" in file order

    /** Data larger than this is no state or preset and is refused unread: a state is a few
        kilobytes, a bank a few hundred. */
    static constexpr size_t maxBytes = 4 * 1024 * 1024;

    static Changes read (const void* data, size_t numBytes);

    /** The root type of the state tree. */
    static const juce::Identifier rootType;

    /** The tree's node and property names, shared with its writer. */
    struct Ids
    {
        static const juce::Identifier preset, presetNo, param, name, paramId, value, settings, naParam;
    };

private:
    static std::optional<PresetXmlParser::Element> readXml (const void* data, size_t numBytes);
    static void readTree (const juce::ValueTree& root, Changes& changes);
    static void readXmlElement (const PresetXmlParser::Element& root, Changes& changes);
    static void readParameterList (const PresetXmlParser::Element& parameters, Changes& changes);
};
