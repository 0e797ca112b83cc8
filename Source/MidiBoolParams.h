#pragma once

#include "MidiControlParam.h"
#include "MidiParam.h"

#include <array>

/** The three engage switches of both channels, packed as bits into one control id of the unit.
    Every message carries the complete state of the three switches of one channel. Changes of one
    message-thread turn go out together, one message per channel, so the unit is never sent a byte
    with some of the switches of a change applied and the others not yet.
*/
class MidiBoolParams : public MidiControlParam, private juce::AsyncUpdater
{
public:
    static constexpr int numSwitches = 3;

    /** One switch of both channels: its two parameters and the converters of its bit. */
    struct Switch
    {
        int leftIndex;
        int rightIndex;
        IntToFloat intToFloat;
        FloatToInt floatToInt;
    };

    MidiBoolParams (juce::MidiDevice* device, juce::VqParamsManager& manager, int midiId,
                    std::array<Switch, numSwitches> switches);
    ~MidiBoolParams() override;

    /** The switch byte from the unit; called on a MIDI thread. Only the switches whose bit differs
        from what the unit is known to hold take it, with one stamp. */
    void paramMidiChanged (int value) override;

    void paramValueChanged (int index, float value) override;
    void sendChannel (int channel) override;
    void lockReceiving (bool shouldLock) override;
    bool mayHaveValuesOnCable (juce::int64 atMs) const override;

private:
    int indices[numSides][numSwitches];
    IntToFloat intToFloat[numSwitches];
    FloatToInt floatToInt[numSwitches];
    int bits[numSwitches]; // each switch's bit in the byte
    int pending[numSides] { -1, -1 };
    bool changed[numSides] { false, false }; // changed in this turn, sent at its end
    MidiParam params[numSides][numSwitches];

    int storedCodeOfSide (Side side) const;
    void sendSide (Side side, int combined);
    void handleAsyncUpdate() override;

    JUCE_DECLARE_NON_COPYABLE (MidiBoolParams)
};
