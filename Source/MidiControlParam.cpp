#include "MidiControlParam.h"

#include "vq_midi/MidiDevice.h"

MidiControlParam::MidiControlParam (juce::MidiDevice* deviceToUse, juce::VqParamsManager& managerToUse, int midiIdToUse)
    : manager (&managerToUse),
      device (deviceToUse),
      midiId (midiIdToUse)
{
}

void MidiControlParam::setSelectedChannel (int channel)
{
    selectedChannel = channel;
}

void MidiControlParam::setUnitChannel (int channel)
{
    unitChannel = channel;
}

void MidiControlParam::holdSending (bool shouldHold)
{
    sendingHeld = shouldHold;
}

void MidiControlParam::sendForced()
{
    if (device == nullptr)
        return;

    sendChannel (1);

    if (isSent (rightSide))
        sendChannel (2);
}

int MidiControlParam::sideOfValuesFromUnit() const noexcept
{
    switch (unitChannel.load())
    {
        case 0:
        case 1: return leftSide;
        case 2: return rightSide;
        default: return -1;
    }
}

bool MidiControlParam::isSent (Side side) const noexcept
{
    return side == leftSide || selectedChannel.load() != 0;
}

int MidiControlParam::sendToUnit (Side side, int code)
{
    if (device == nullptr)
        return -1;

    return device->setValue (midiId, code, selectedChannel.load() == (side == leftSide ? 2 : 1));
}
