#pragma once

#include "InstanceFixture.h"

#include "MidiBridge.h"

namespace instancetest
{
/** Counts the host gestures that are open, as the host sees them. */
struct GestureWatch : juce::AudioProcessorParameter::Listener
{
    void parameterValueChanged (int, float) override {}
    void parameterGestureChanged (int, bool starting) override { open += starting ? 1 : -1; }

    std::atomic<int> open { 0 };
};

/** A value of the parameter that the unit can hold exactly: the kind's step, or off and on for a switch. */
inline float stepOf (int index, int step)
{
    const auto kind = ParamTools::getKind (index);
    return kind == ParamTools::Kind::onOff ? (float) (step % 2) : ParamTools::stepToValue (kind, step);
}

inline juce::ValueTree savedStateTree (PlemvoPluginInstance& plugin)
{
    juce::MemoryBlock saved;
    plugin.getStateInformation (saved);
    return juce::ValueTree::readFromData (saved.getData(), saved.getSize());
}

/** The channel mode code that the manager's "CHANNEL" and "SELECTED CHANNEL" give the unit. */
inline int channelModeOf (PlemvoParamsManager& params)
{
    if (ParamTools::isLinked (params.getParamValue (ParamData::channel)))
        return Protocol::channelsLinked;

    return (int) params.getNonAutomatableParamValue (ParamData::selectedChannel) == 1 ? Protocol::channel2Selected
                                                                                      : Protocol::channel1Selected;
}

/** What disagrees about a parameter among the host parameter, the manager, the saved state and the unit,
    and with the value that must have survived; empty when all hold it. */
inline juce::String disagreementOn (PlemvoPluginInstance& plugin, vqsim::SimulatedUnit& unit, int index, float survivor)
{
    juce::StringArray faults;
    auto& params = plugin.getPlemvoParams();
    const auto inState = (float) (double) savedStateTree (plugin).getChild (0).getChild (index)["VALUE"];

    const std::pair<const char*, float> views[] = { { "host", plugin.getParameters()[index]->getValue() },
                                                    { "manager", params.getParamValue (index) },
                                                    { "state", inState } };

    for (auto& [name, value] : views)
        if (value != survivor)
            faults.add (juce::String (name) + " " + juce::String (value));

    // While linked the unit plays channel 1 on both sides: channel 2 is not sent.
    const bool channel2 = index > ParamData::channelTwinOffset;

    if (index == ParamData::channel)
    {
        if (unit.getChannelMode() != channelModeOf (params))
            faults.add ("unit mode " + juce::String (unit.getChannelMode()));
    }
    else if (! channel2 || ! ParamTools::isLinked (params.getParamValue (ParamData::channel)))
    {
        const auto toCode = PlemvoMidiBridge::getLambdaMidiFloatToInt (index);
        const auto first = channel2 ? index - ParamData::channelTwinOffset : index;
        int unitCode = -1;

        if (ParamTools::getKind (index) == ParamTools::Kind::onOff)
            unitCode = unit.getCode (channel2 ? 2 : 1, Protocol::switches) & toCode (1.0f);
        else
            for (const auto id : Protocol::channelControlIds)
                if (PlemvoMidiBridge::getChannel1Index (id) == first)
                    unitCode = unit.getCode (channel2 ? 2 : 1, id);

        if (unitCode != toCode (survivor))
            faults.add ("unit code " + juce::String (unitCode) + " for " + juce::String (toCode (survivor)));
    }

    return faults.joinIntoString (", ");
}
} // namespace instancetest
