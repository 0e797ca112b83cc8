#include "MidiBridge.h"

#include "ParamTools.h"
#include "ParamsManager.h"
#include "PluginInstance.h"
#include "vq_midi/VqSysexProtocol.h"

using Protocol = juce::VqSysexProtocol;

namespace
{
// The bit of an engage switch in the unit's switch byte; 0 for any other parameter.
int switchBit (int paramIndex)
{
    const auto channel1Index =
        paramIndex > ParamData::channelTwinOffset ? paramIndex - ParamData::channelTwinOffset : paramIndex;
    switch (channel1Index)
    {
        case ParamData::engage1: return Protocol::engageBit;
        case ParamData::eq1Engage1: return Protocol::eq1EngageBit;
        case ParamData::eq2Engage1: return Protocol::eq2EngageBit;
        default: return 0;
    }
}
} // namespace

PlemvoMidiBridge::PlemvoMidiBridge (PlemvoPluginInstance& instanceToUse, PlemvoParamsManager& managerToUse)
    : instance (&instanceToUse),
      manager (&managerToUse)
{
}

// The members go in reverse: the switch object, the eight two-channel objects, then the channel object.
PlemvoMidiBridge::~PlemvoMidiBridge() = default;

std::function<int (float)> PlemvoMidiBridge::getLambdaMidiFloatToInt (int paramIndex)
{
    const auto kind = ParamTools::getKind (paramIndex);

    if (kind == ParamTools::Kind::onOff)
        return [bit = switchBit (paramIndex)] (float value) { return ParamTools::switchToCode (value, bit); };

    return [kind] (float value) { return ParamTools::valueToCode (kind, value); };
}

std::function<float (int)> PlemvoMidiBridge::getLambdaMidiIntToFloat (int paramIndex)
{
    const auto kind = ParamTools::getKind (paramIndex);

    if (kind == ParamTools::Kind::onOff)
        return [bit = switchBit (paramIndex)] (int code) { return ParamTools::codeToSwitch (code, bit); };

    return [kind] (int code) { return ParamTools::codeToValue (kind, code); };
}

int PlemvoMidiBridge::getChannel1Index (int controlId)
{
    using namespace ParamData;

    switch (controlId)
    {
        case Protocol::eq1Gain: return eq1Gain1;
        case Protocol::eq1Q: return eq1Q1;
        case Protocol::eq1Frequency: return eq1Freq1;
        case Protocol::eq2Gain: return eq2Gain1;
        case Protocol::eq2Q: return eq2Q1;
        case Protocol::eq2Frequency: return eq2Freq1;
        case Protocol::lowPass: return lpf1;
        case Protocol::highPass: return hpf1;
        default: return -1;
    }
}

// The member that holds the object of a two-channel control id; null for any other id.
std::unique_ptr<MidiLRParam>* PlemvoMidiBridge::findLRParam (int midiId)
{
    switch (midiId)
    {
        case Protocol::eq1Gain: return &eq1GainMidi;
        case Protocol::eq1Q: return &eq1QMidi;
        case Protocol::eq1Frequency: return &eq1FreqMidi;
        case Protocol::eq2Gain: return &eq2GainMidi;
        case Protocol::eq2Q: return &eq2QMidi;
        case Protocol::eq2Frequency: return &eq2FreqMidi;
        case Protocol::lowPass: return &lpfMidi;
        case Protocol::highPass: return &hpfMidi;
        default: return nullptr;
    }
}

void PlemvoMidiBridge::setConnectedMidiDevice (juce::MidiDevice* newDevice)
{
    device = newDevice;
    deleteMidiObjects();

    using namespace ParamData;
    channelMidi = std::make_unique<MidiChannelParam> (device, *manager, channel, selectedChannel);

    for (const auto midiId : Protocol::channelControlIds)
    {
        const auto left = getChannel1Index (midiId);
        *findLRParam (midiId) =
            std::make_unique<MidiLRParam> (device, *manager, left, left + channelTwinOffset, midiId,
                                           getLambdaMidiIntToFloat (left), getLambdaMidiFloatToInt (left));
    }

    const auto switchOf = [] (int left) -> MidiBoolParams::Switch {
        return { left, left + channelTwinOffset, getLambdaMidiIntToFloat (left), getLambdaMidiFloatToInt (left) };
    };

    std::array<MidiBoolParams::Switch, MidiBoolParams::numSwitches> switches { switchOf (engage1),
                                                                               switchOf (eq1Engage1),
                                                                               switchOf (eq2Engage1) };
    switchesMidi = std::make_unique<MidiBoolParams> (device, *manager, Protocol::switches, std::move (switches));

    for (auto* object : getControlObjects())
        channelMidi->addChannelListener (object);

    channelMidi->sendChannelMode();
}

void PlemvoMidiBridge::giveUpUnit (juce::MidiManager* midiManager)
{
    if (midiManager != nullptr)
        midiManager->disconnect (this);

    setConnectedMidiDevice (nullptr);
}

void PlemvoMidiBridge::hidConnectionCallback (bool connected)
{
    if (connected)
        return;

    instance->connectionLost();
    deleteMidiObjects();
}

void PlemvoMidiBridge::paramReceived (int id, int value)
{
    // The device delivers nothing while the objects are being built or deleted.
    if (auto* lrParam = findLRParam (id))
    {
        if (*lrParam != nullptr)
            (*lrParam)->paramMidiChanged (value);
    }
    else if (id == Protocol::channelMode)
    {
        if (channelMidi != nullptr)
            channelMidi->paramMidiChanged (value);
    }
    else if (id == Protocol::switches)
    {
        if (switchesMidi != nullptr)
            switchesMidi->paramMidiChanged (value);

        if (channelMidi != nullptr)
            channelMidi->switchesReceived();
    }
}

juce::Array<MidiChannelParam::ChannelRecallingListener*> PlemvoMidiBridge::getControlObjects() const
{
    return { eq1GainMidi.get(), eq1QMidi.get(), eq1FreqMidi.get(), eq2GainMidi.get(), eq2QMidi.get(),
             eq2FreqMidi.get(), lpfMidi.get(),  hpfMidi.get(),     switchesMidi.get() };
}

void PlemvoMidiBridge::deleteMidiObjects()
{
    if (channelMidi != nullptr)
        for (auto* object : getControlObjects())
            channelMidi->removeChannelListener (object);

    // Deleting an object closes a gesture that the unit left open.
    channelMidi.reset();

    for (auto* object :
         { &eq1GainMidi, &eq1FreqMidi, &eq1QMidi, &eq2GainMidi, &eq2FreqMidi, &eq2QMidi, &lpfMidi, &hpfMidi })
        object->reset();

    switchesMidi.reset();
}
