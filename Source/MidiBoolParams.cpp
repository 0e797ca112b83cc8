#include "MidiBoolParams.h"

#include "vq_midi/MidiDevice.h"

MidiBoolParams::MidiBoolParams (juce::MidiDevice* deviceToUse, juce::VqParamsManager& managerToUse, int midiIdToUse,
                                std::array<Switch, numSwitches> switches)
    : MidiControlParam (deviceToUse, managerToUse, midiIdToUse)
{
    for (int k = 0; k < numSwitches; ++k)
    {
        auto& entry = switches[(size_t) k];
        indices[leftSide][k] = entry.leftIndex;
        indices[rightSide][k] = entry.rightIndex;
        intToFloat[k] = std::move (entry.intToFloat);
        floatToInt[k] = std::move (entry.floatToInt);
        bits[k] = floatToInt[k](1.0f);
    }

    for (auto& sideIndices : indices)
        for (auto index : sideIndices)
            manager->addParamListener (this, index, juce::VqParamsManager::registerOnly);

    for (int s = 0; s < numSides; ++s)
    {
        for (int k = 0; k < numSwitches; ++k)
        {
            auto& param = params[s][k];
            const auto index = indices[s][k];

            param.onValueFromDevice = [this, index, k] (int code, MidiParam::ChangeStamp received)
            { return manager->applyParamValue (this, index, intToFloat[k](code), received); };
            param.setGestureTarget (*manager, this, index);
            param.reportsUnchangedCodes = true;

            // The byte carries the whole side: switches resent together go out as one message.
            param.onResend = [this, s]
            {
                changed[s] = true;
                triggerAsyncUpdate();
            };
        }
    }
}

MidiBoolParams::~MidiBoolParams()
{
    cancelPendingUpdate();

    for (auto& sideIndices : indices)
        for (auto index : sideIndices)
            manager->removeParamListener (this, index);
}

void MidiBoolParams::paramMidiChanged (int value)
{
    if (locked.load())
        return;

    const auto side = sideOfValuesFromUnit();

    if (side < 0)
        return;

    // One stamp for the switches the byte changes; the others take none.
    MidiParam::ChangeStamp received = 0;
    const std::function<MidiParam::ChangeStamp()> takeStamp = [this, &received]
    { return received != 0 ? received : (received = manager->takeChangeStamp()); };

    for (int k = 0; k < numSwitches; ++k)
        params[side][k].valueFromDevice (value & bits[k], takeStamp);
}

void MidiBoolParams::paramValueChanged (int index, float)
{
    if (sendingHeld)
        return;

    for (int s = 0; s < numSides; ++s)
    {
        if (! isSent ((Side) s))
            break;

        // The byte carries all three switches: it goes out once this turn's changes are in.
        for (int k = 0; k < numSwitches; ++k)
        {
            if (indices[s][k] == index)
            {
                changed[s] = true;
                triggerAsyncUpdate();
            }
        }
    }
}

void MidiBoolParams::sendChannel (int channel)
{
    if (device == nullptr)
        return;

    const auto side = sideOfChannel (channel);
    changed[side] = false;
    sendSide (side, storedCodeOfSide (side));
}

void MidiBoolParams::handleAsyncUpdate()
{
    for (int s = 0; s < numSides; ++s)
        if (std::exchange (changed[s], false) && isSent ((Side) s))
            sendSide ((Side) s, storedCodeOfSide ((Side) s));
}

void MidiBoolParams::lockReceiving (bool shouldLock)
{
    locked = shouldLock;

    if (shouldLock)
    {
        pending[leftSide] = pending[rightSide] = -1;
        return;
    }

    if (pending[leftSide] >= 0)
        sendSide (leftSide, std::exchange (pending[leftSide], -1));

    // Held back before the channels were linked: while linked channel 2 is not sent at all.
    if (pending[rightSide] >= 0 && isSent (rightSide))
        sendSide (rightSide, pending[rightSide]);

    pending[rightSide] = -1;
}

bool MidiBoolParams::mayHaveValuesOnCable (juce::int64 atMs) const
{
    for (auto& side : params)
        for (auto& param : side)
            if (param.mayStillBeOnCable (atMs))
                return true;

    return false;
}

int MidiBoolParams::storedCodeOfSide (Side side) const
{
    int code = 0;

    for (int k = 0; k < numSwitches; ++k)
        code |= floatToInt[k](manager->getParamValue (indices[side][k]));

    return code;
}

void MidiBoolParams::sendSide (Side side, int combined)
{
    if (locked.load())
    {
        pending[side] = combined;
        return;
    }

    const auto msToReachUnit = sendToUnit (side, combined);

    if (msToReachUnit >= 0)
        for (int k = 0; k < numSwitches; ++k)
            params[side][k].noteSent (combined & bits[k], msToReachUnit);
}
