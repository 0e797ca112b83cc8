#pragma once

#include "MidiChannelParam.h"

#include <atomic>
#include <functional>

/** What the two-channel knob objects and the switch object share: their control id, the channel
    selected on the unit, the lock of the set-up cycle, and which command carries a channel's message.
*/
class MidiControlParam : public juce::VqParamsManager::AutomatableParamListener,
                         public MidiChannelParam::ChannelRecallingListener
{
public:
    using IntToFloat = std::function<float (int)>;
    using FloatToInt = std::function<int (float)>;

    MidiControlParam (juce::MidiDevice* device, juce::VqParamsManager& manager, int midiId);

    /** A code for this control from the unit; called on a MIDI thread. */
    virtual void paramMidiChanged (int value) = 0;

    void setSelectedChannel (int channel) override;
    void setUnitChannel (int channel) override;
    void holdSending (bool shouldHold) override;

    /** Channel 1, then channel 2 unless linked. */
    void sendForced() override;

protected:
    enum Side
    {
        leftSide,
        rightSide,
        numSides
    };

    /** The side that takes the unit's values, by the channel the unit has selected, or -1 for an
        unknown channel. While linked only channel 1 is set: the stereo linker carries it to channel 2.
        Setting both would have the linker mirror channel 2 back onto channel 1, which would send it
        back to the unit.
    */
    int sideOfValuesFromUnit() const noexcept;

    /** Whether a side's values go out at all: while linked channel 2 is not sent. */
    bool isSent (Side side) const noexcept;

    static Side sideOfChannel (int channel) noexcept { return channel == 1 ? leftSide : rightSide; }

    /** Sends a side's code, with the command of the channel not selected when that is the side's.
        Returns the milliseconds until it has reached the unit, or -1 when nothing was sent. */
    int sendToUnit (Side side, int code);

    juce::VqParamsManager* manager;
    juce::MidiDevice* device;
    int midiId;
    std::atomic<int> selectedChannel { 0 };
    std::atomic<int> unitChannel { 0 };
    std::atomic<bool> locked { false };
    bool sendingHeld = false; // message thread

private:
    JUCE_DECLARE_NON_COPYABLE (MidiControlParam)
};
