#pragma once

#include "MidiParam.h"
#include "vq_core/VqParamsManager.h"
#include "vq_midi/VqSysexProtocol.h"

#include <atomic>
#include <limits>

namespace juce
{
class MidiDevice;
}

/** The unit's channel mode (control id 14): sends "CHANNEL" with "SELECTED CHANNEL" to the unit,
    follows the mode that the unit reports, and runs the set-up cycle: after each mode sent it
    locks the control objects for up to 500 ms (or until the unit reports its switch byte), then
    lets them send what they held back and then their complete state. Until the unit has taken the
    mode, its values are read as it sent them, under the mode before.

    A mode that the unit reports starts no set-up: once it is applied, the unit is sent the one
    channel that it lacks, or both channels when values sent to it may still be on the cable, where
    the new selection would have them land on the other channel.
*/
class MidiChannelParam : public juce::VqParamsManager::AutomatableParamListener,
                         public juce::VqParamsManager::NonAutomatableParamListener,
                         public juce::AsyncUpdater,
                         public juce::MultiTimer
{
public:
    /** A control object driven by the channel object. setSelectedChannel and setUnitChannel may
        come on a MIDI thread; the others come on the message thread.
    */
    class ChannelRecallingListener
    {
    public:
        virtual ~ChannelRecallingListener() = default;

        /** The channel that values sent to the unit are addressed to. 0: the channels are linked;
            1 or 2: that channel is selected on the unit.
        */
        virtual void setSelectedChannel (int channel) = 0;

        /** The channel that the unit's own values are for, as the unit has it selected: until the
            unit has taken a mode sent to it, its values still come under the one before. -1 while
            unknown (a unit just attached, until it has taken the first mode): they are dropped.
        */
        virtual void setUnitChannel (int channel) = 0;

        /** While locked, outgoing values are held back. */
        virtual void lockReceiving (bool locked) = 0;

        /** Sends every current value to the unit. */
        virtual void sendForced() = 0;

        /** While held, changes of the parameters are not sent: the channel object sends what the unit
            needs once the change that it applies is complete. Message thread.
        */
        virtual void holdSending (bool shouldHold) = 0;

        /** Sends every current value of channel 1 or 2 to the unit. Message thread. */
        virtual void sendChannel (int channel) = 0;

        /** Whether a value sent may still have been on the cable at a moment of MidiParam's clock,
            where a change of the unit's selection then would have it land on the other channel.
            Message thread.
        */
        virtual bool mayHaveValuesOnCable (juce::int64 atMs) const = 0;
    };

    MidiChannelParam (juce::MidiDevice* device, juce::VqParamsManager& manager, int paramIndex, int settingIndex);
    ~MidiChannelParam() override;

    void addChannelListener (ChannelRecallingListener* listener);
    void removeChannelListener (ChannelRecallingListener* listener);

    /** Tells every control object which channel a channel-mode code selects. */
    void sendSelectedChannelToListeners (int code);

    /** Tells every control object which channel the unit's own values are for, by the unit's code. */
    void sendUnitChannelToListeners (int code);

    /** Unlocks every control object, then makes each send its complete state. */
    void channelSetUpFinished();

    /** The channel-mode code of the current "CHANNEL" and "SELECTED CHANNEL". */
    int getChannelModeCode() const;

    /** Sends the current channel mode and starts the set-up cycle (without a device it only
        tells the control objects the selected channel).
    */
    void sendChannelMode();

    /** A channel-mode code reported by the unit; called on a MIDI thread. It starts no set-up
        and is not sent back.
    */
    void paramMidiChanged (int code);

    /** The unit has reported its switch byte; a set-up under way ends at once. MIDI thread. */
    void switchesReceived();

    /** Which channel a channel-mode code selects: 0 linked, 1 or 2 that channel. */
    static int selectedChannelForCode (int code) noexcept;

    /** The channel-mode code of a selected channel: 4 linked, 2 channel 1, 1 channel 2. */
    static int codeForSelectedChannel (int channel) noexcept;

    void paramValueChanged (int index, float value) override;
    void nonAutomatableParamValueChanged (int index, juce::var value) override;
    void handleAsyncUpdate() override;
    void timerCallback (int timerId) override;

private:
    static constexpr int debounceTimerId = 0;
    static constexpr int setUpTimerId = 1;
    static constexpr int debounceMs = 2;
    static constexpr int setUpLockMs = 500;

    juce::VqParamsManager* manager;
    juce::MidiDevice* device;
    juce::Array<ChannelRecallingListener*> channelListeners;
    int paramIndex;
    int settingIndex;
    int midiId = juce::VqSysexProtocol::channelMode;
    int lastCode = -1; // the mode the unit was last sent or reported; message thread
    std::atomic<bool> settingUp { false };
    std::atomic<int> setUpCode { -1 };   // the mode of the set-up under way, read when the unit answers it
    std::atomic<int> unitChannel { -1 }; // the channel the unit has selected as last told or reported
    // When the unit reported another selection not yet applied; notReselected when none waits.
    static constexpr juce::int64 notReselected = std::numeric_limits<juce::int64>::min();
    std::atomic<juce::int64> unitReselectedMs { notReselected };
    MidiParam midiParam;

    int send (int code); // the milliseconds until the mode has reached the unit, or -1
    bool applyCodeFromDevice (int code, MidiParam::ChangeStamp received);
    bool mayHaveValuesOnCable (juce::int64 atMs) const;

    JUCE_DECLARE_NON_COPYABLE (MidiChannelParam)
};
