#pragma once

#include "MidiLRParam.h"

/** The three engage switches of both channels, packed as bits into one control id of the unit.
    Every message carries the complete state of the three switches of one channel.
*/
class MidiBoolParams : public juce::VqParamsManager::AutomatableParamListener,
                       public MidiChannelParam::ChannelRecallingListener
{
public:
    using IntToFloat = MidiLRParam::IntToFloat;
    using FloatToInt = MidiLRParam::FloatToInt;

    MidiBoolParams (juce::MidiDevice* device, juce::VqParamsManager& manager, int midiId,
                    int left1, int right1, IntToFloat intToFloat1, FloatToInt floatToInt1,
                    int left2, int right2, IntToFloat intToFloat2, FloatToInt floatToInt2,
                    int left3, int right3, IntToFloat intToFloat3, FloatToInt floatToInt3);
    ~MidiBoolParams() override;

    /** The switch byte from the unit; called on a MIDI thread. */
    void paramMidiChanged (int value);

    void paramValueChanged (int index, float value) override;
    void sendForced() override;
    void setSelectedChannel (int channel) override;
    void lockReceiving (bool shouldLock) override;

private:
    static constexpr int numSwitches = 3;
    enum Side { leftSide, rightSide, numSides };

    juce::VqParamsManager* manager;
    juce::MidiDevice* device;
    int indices[numSides][numSwitches];
    int midiId;
    IntToFloat intToFloat[numSwitches];
    FloatToInt floatToInt[numSwitches];
    std::atomic<int> selectedChannel { 0 };
    std::atomic<bool> locked { false };
    int pending[numSides] { -1, -1 };
    MidiParam params[numSides][numSwitches];

    int storedCodeOfSide (Side side, int exceptSwitch) const;
    void sendSide (Side side, int combined);

    JUCE_DECLARE_NON_COPYABLE (MidiBoolParams)
};
