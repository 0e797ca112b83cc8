#pragma once

#include "MidiChannelParam.h"

/** One control of both channels (a gain, frequency, Q or filter knob) linked to one control id of
    the unit: channel 1 changes go out with the command of channel 1, channel 2 changes with that
    of channel 2 (not at all while linked), and the unit's codes set the channel selected on it.
*/
class MidiLRParam : public juce::VqParamsManager::AutomatableParamListener,
                    public MidiChannelParam::ChannelRecallingListener
{
public:
    using IntToFloat = std::function<float (int)>;
    using FloatToInt = std::function<int (float)>;

    MidiLRParam (juce::MidiDevice* device, juce::VqParamsManager& manager, int leftIndex, int rightIndex,
                 int midiId, IntToFloat intToFloat, FloatToInt floatToInt);
    ~MidiLRParam() override;

    /** A code for this control from the unit; called on a MIDI thread. */
    void paramMidiChanged (int value);

    void paramValueChanged (int index, float value) override;
    void sendForced() override;
    void setSelectedChannel (int channel) override;
    void lockReceiving (bool shouldLock) override;

private:
    juce::VqParamsManager* manager;
    juce::MidiDevice* device;
    int leftIndex;
    int rightIndex;
    int midiId;
    IntToFloat intToFloat;
    FloatToInt floatToInt;
    std::atomic<int> selectedChannel { 0 };
    std::atomic<bool> locked { false };
    int pendingLeft = -1;
    int pendingRight = -1;
    MidiParam left;
    MidiParam right;

    void install (MidiParam& param, int index, int& pending, bool isRight);

    JUCE_DECLARE_NON_COPYABLE (MidiLRParam)
};
