#pragma once

#include "InstanceFixture.h"

#include "MidiBridge.h"
#include "MidiParam.h"
#include "vq_core/VqDawParameter.h"

namespace instancetest
{
/** Counts the host gestures that are open, as the host sees them. */
struct GestureWatch : juce::AudioProcessorParameter::Listener
{
    void parameterValueChanged (int, float) override {}
    void parameterGestureChanged (int, bool starting) override { open += starting ? 1 : -1; }

    std::atomic<int> open { 0 };
};

/** A unit's cable on the layer's manual clock, which the plug-in's clocks read too: what each side does,
    and when, is the same in every run however late a thread of the layer or the host takes it. After each
    step of the clock the message thread takes what has arrived; the gestures' timers run in real time and
    are waited for through the message loop. */
class ManualCable
{
public:
    using Clock = vqsim::VirtualMidiSetup::Clock;

    ManualCable (vqsim::VirtualMidiSetup& setupToUse, GestureWatch& gesturesToWatch)
        : setup (setupToUse),
          gestures (gesturesToWatch)
    {
        MidiParam::setWallClock (
            [this]
            { return (juce::int64) std::chrono::duration_cast<std::chrono::milliseconds> (setup.now()).count(); });
        juce::VqDawParameter::setClock (
            [this]
            { return (juce::uint32) std::chrono::duration_cast<std::chrono::milliseconds> (setup.now()).count(); });
    }

    ~ManualCable()
    {
        MidiParam::setWallClock ({});
        juce::VqDawParameter::setClock ({});
    }

    /** The control ids of parameter messages. */
    static std::vector<int> idsOf (const std::vector<vqsim::VirtualMidiSetup::Bytes>& messages)
    {
        std::vector<int> ids;

        for (auto& bytes : messages)
            if (bytes.size() == Protocol::parameterMessageLength)
                ids.push_back (bytes[Protocol::idByte]);

        return ids;
    }

    /** What the instance has sent to the unit, on the cable or arrived. */
    std::vector<int> idsOnTheirWay() { return idsOf (setup.getSent (setup.getDestination (unit->getDevice()))); }

    /** Moves the cable's clock; after each step the message thread takes what has arrived, before
        the clock moves on. What it does may post more work: a few rounds take it all. */
    void advance (Clock amount, Clock step = Clock (100), int rounds = 3)
    {
        for (auto moved = Clock (0); moved < amount; moved += step)
        {
            setup.advanceTime (step);

            for (int round = 0; round < rounds; ++round)
                vqtest::drainMessageLoop();
        }
    }

    /** Until the host's change has gone out to the unit (a message of the id, or any for -1), the
        cable's clock standing. */
    void waitUntilSent (size_t sentBefore, int id)
    {
        ASSERT_TRUE (vqtest::runMessageLoopUntil (
            [&]
            {
                const auto ids = idsOnTheirWay();
                return std::find_if (ids.begin() + (std::ptrdiff_t) std::min (sentBefore, ids.size()), ids.end(),
                                     [id] (int sent) { return id < 0 || sent == id; }) != ids.end();
            },
            5000));

        for (int round = 0; round < 3; ++round)
            vqtest::drainMessageLoop();
    }

    /** Whether something the instance sent is still on its way to the unit. */
    bool anythingOnTheCable()
    {
        const auto destination = setup.getDestination (unit->getDevice());
        return setup.getSent (destination).size() != setup.getReceived (destination).size();
    }

    /** Until every message has arrived, the unit's gestures have closed and what they send back has
        arrived; then longer than the window in which anything sent may still be on the cable. */
    void settle()
    {
        // Steps of a message's time on the cable: work left over by a round is taken in the next.
        const auto step = std::chrono::milliseconds (4);
        auto lastTraffic = unit->getTraffic().size();
        auto quiet = Clock (0);

        for (int steps = 0;
             steps < 5000 && (quiet < std::chrono::milliseconds (300) || gestures.open != 0 || anythingOnTheCable());
             ++steps)
        {
            advance (step, step, 1);

            if (const auto traffic = unit->getTraffic().size(); traffic != lastTraffic)
            {
                lastTraffic = traffic;
                quiet = Clock (0);
            }
            else
            {
                quiet += step;
            }
        }

        ASSERT_EQ (gestures.open.load(), 0);
        ASSERT_FALSE (anythingOnTheCable());
    }

    /** The host's action, then the unit's after the offset (negative: the unit's first); each takes
        place at one instant of the cable's clock. */
    void interleave (int unitAfterHostUs, std::function<void()> host, int idSentByHost, std::function<void()> onUnit)
    {
        const auto hostActs = [&]
        {
            const auto sentBefore = idsOnTheirWay().size();
            host();
            waitUntilSent (sentBefore, idSentByHost);
        };

        if (unitAfterHostUs >= 0)
        {
            hostActs();
            advance (Clock (unitAfterHostUs));
            onUnit();
        }
        else
        {
            onUnit();
            advance (Clock (-unitAfterHostUs));
            hostActs();
        }

        settle();
    }

    vqsim::VirtualMidiSetup& setup;
    GestureWatch& gestures;
    vqsim::SimulatedUnit* unit = nullptr;
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
