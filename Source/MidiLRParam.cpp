#include "MidiLRParam.h"

#include "vq_midi/MidiDevice.h"

MidiLRParam::MidiLRParam (juce::MidiDevice* deviceToUse, juce::VqParamsManager& managerToUse,
                          int leftIndexToUse, int rightIndexToUse, int midiIdToUse,
                          IntToFloat intToFloatToUse, FloatToInt floatToIntToUse)
    : manager (&managerToUse),
      device (deviceToUse),
      leftIndex (leftIndexToUse),
      rightIndex (rightIndexToUse),
      midiId (midiIdToUse),
      intToFloat (std::move (intToFloatToUse)),
      floatToInt (std::move (floatToIntToUse))
{
    manager->addParamListener (this, leftIndex, juce::VqParamsManager::registerOnly);
    manager->addParamListener (this, rightIndex, juce::VqParamsManager::registerOnly);

    install (left, leftIndex, pendingLeft, false);
    install (right, rightIndex, pendingRight, true);
}

MidiLRParam::~MidiLRParam()
{
    manager->removeParamListener (this, leftIndex);
    manager->removeParamListener (this, rightIndex);
}

void MidiLRParam::install (MidiParam& param, int index, int& pending, bool isRight)
{
    param.onValueFromDevice = [this, index] (int code) { manager->setParamValue (this, index, intToFloat (code)); };
    param.setGestureTarget (*manager, this, index);

    param.onSend = [this, &pending, isRight] (int code)
    {
        if (locked.load())
            pending = code;
        else if (device != nullptr)
            device->setValue (midiId, code, selectedChannel.load() == (isRight ? 1 : 2));
    };
}

void MidiLRParam::paramMidiChanged (int value)
{
    if (locked.load())
        return;

    // While linked only channel 1 is set: the stereo linker carries it to channel 2. Setting both
    // would have the linker mirror channel 2 back onto channel 1, which would send it back to the unit.
    switch (selectedChannel.load())
    {
        case 0:
        case 1:  left.valueFromDevice (value); break;
        case 2:  right.valueFromDevice (value); break;
        default: break;
    }
}

void MidiLRParam::paramValueChanged (int index, float value)
{
    const auto code = floatToInt (value);

    if (index == leftIndex)
        left.dawValueChanged (code);
    else if (index == rightIndex && selectedChannel.load() != 0)
        right.dawValueChanged (code);
}

void MidiLRParam::sendForced()
{
    if (device == nullptr)
        return;

    const auto leftCode = floatToInt (manager->getParamValue (leftIndex));
    const auto rightCode = floatToInt (manager->getParamValue (rightIndex));

    left.dawValueChanged (leftCode);

    if (selectedChannel.load() != 0)
        right.dawValueChanged (rightCode);
}

void MidiLRParam::setSelectedChannel (int channel)
{
    selectedChannel = channel;
}

void MidiLRParam::lockReceiving (bool shouldLock)
{
    locked = shouldLock;

    if (shouldLock)
        return;

    if (pendingLeft >= 0)
        left.dawValueChanged (std::exchange (pendingLeft, -1));

    // Held back before the channels were linked: while linked channel 2 is not sent at all.
    if (pendingRight >= 0 && selectedChannel.load() != 0)
        right.dawValueChanged (pendingRight);

    pendingRight = -1;
}
