#pragma once

#include "MidiControlParam.h"
#include "MidiParam.h"

/** One control of both channels (a gain, frequency, Q or filter knob) linked to one control id of
    the unit: channel 1 changes go out with the command of channel 1, channel 2 changes with that
    of channel 2 (not at all while linked), and the unit's codes set the channel selected on it.
*/
class MidiLRParam : public MidiControlParam
{
public:
    MidiLRParam (juce::MidiDevice* device, juce::VqParamsManager& manager, int leftIndex, int rightIndex, int midiId,
                 IntToFloat intToFloat, FloatToInt floatToInt);
    ~MidiLRParam() override;

    void paramMidiChanged (int value) override;
    void paramValueChanged (int index, float value) override;
    void sendChannel (int channel) override;
    void lockReceiving (bool shouldLock) override;
    bool mayHaveValuesOnCable (juce::int64 atMs) const override;

private:
    int leftIndex;
    int rightIndex;
    IntToFloat intToFloat;
    FloatToInt floatToInt;
    int pendingLeft = -1;
    int pendingRight = -1;
    MidiParam left;
    MidiParam right;

    void install (MidiParam& param, int index, int& pending, Side side);

    JUCE_DECLARE_NON_COPYABLE (MidiLRParam)
};
