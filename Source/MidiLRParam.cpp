#include "MidiLRParam.h"

#include "vq_midi/MidiDevice.h"

MidiLRParam::MidiLRParam (juce::MidiDevice* deviceToUse, juce::VqParamsManager& managerToUse, int leftIndexToUse,
                          int rightIndexToUse, int midiIdToUse, IntToFloat intToFloatToUse, FloatToInt floatToIntToUse)
    : MidiControlParam (deviceToUse, managerToUse, midiIdToUse),
      leftIndex (leftIndexToUse),
      rightIndex (rightIndexToUse),
      intToFloat (std::move (intToFloatToUse)),
      floatToInt (std::move (floatToIntToUse))
{
    manager->addParamListener (this, leftIndex, juce::VqParamsManager::registerOnly);
    manager->addParamListener (this, rightIndex, juce::VqParamsManager::registerOnly);

    install (left, leftIndex, pendingLeft, leftSide);
    install (right, rightIndex, pendingRight, rightSide);
}

MidiLRParam::~MidiLRParam()
{
    manager->removeParamListener (this, leftIndex);
    manager->removeParamListener (this, rightIndex);
}

void MidiLRParam::install (MidiParam& param, int index, int& pending, Side side)
{
    param.onValueFromDevice = [this, index] (int code, MidiParam::ChangeStamp received)
    { return manager->applyParamValue (this, index, intToFloat (code), received); };
    param.setGestureTarget (*manager, this, index);
    param.onResend = [this, side]
    {
        if (isSent (side))
            sendChannel (side == leftSide ? 1 : 2);
    };

    param.onSend = [this, &pending, side] (int code)
    {
        if (! locked.load())
            return sendToUnit (side, code);

        pending = code;
        return -1;
    };
}

void MidiLRParam::paramMidiChanged (int value)
{
    // Also during a set-up: the move is later than the mode sent, and the resend that ends the set-up
    // carries it back to the channel where the unit made it.
    const auto takeStamp = [this] { return manager->takeChangeStamp(); };

    switch (sideOfValuesFromUnit())
    {
        case leftSide: left.valueFromDevice (value, takeStamp); break;
        case rightSide: right.valueFromDevice (value, takeStamp); break;
        default: break;
    }
}

void MidiLRParam::paramValueChanged (int index, float value)
{
    if (sendingHeld)
        return;

    const auto code = floatToInt (value);

    if (index == leftIndex)
        left.dawValueChanged (code);
    else if (index == rightIndex && isSent (rightSide))
        right.dawValueChanged (code);
}

void MidiLRParam::sendChannel (int channel)
{
    if (device == nullptr)
        return;

    if (sideOfChannel (channel) == leftSide)
        left.dawValueChanged (floatToInt (manager->getParamValue (leftIndex)));
    else
        right.dawValueChanged (floatToInt (manager->getParamValue (rightIndex)));
}

void MidiLRParam::lockReceiving (bool shouldLock)
{
    locked = shouldLock;

    if (shouldLock)
        return;

    if (pendingLeft >= 0)
        left.dawValueChanged (std::exchange (pendingLeft, -1));

    // Held back before the channels were linked: while linked channel 2 is not sent at all.
    if (pendingRight >= 0 && isSent (rightSide))
        right.dawValueChanged (pendingRight);

    pendingRight = -1;
}

bool MidiLRParam::mayHaveValuesOnCable (juce::int64 atMs) const
{
    return left.mayStillBeOnCable (atMs) || right.mayStillBeOnCable (atMs);
}
