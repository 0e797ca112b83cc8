#pragma once

#include "MidiParams.h"
#include "vq_midi/MidiDevice.h"
#include "vq_midi/MidiManager.h"

#include <memory>

class PlemvoPluginInstance;
class PlemvoParamsManager;

/** Links one plug-in instance to one unit. Once attached it builds a MIDI object for every control
    of the equaliser, starts the channel set-up, routes every value that the unit reports to the
    object of its control id, and tells the instance when the unit is lost.
*/
class PlemvoMidiBridge : public juce::MidiDevice::Listener
{
public:
    PlemvoMidiBridge (PlemvoPluginInstance& instance, PlemvoParamsManager& manager);
    ~PlemvoMidiBridge() override;

    /** Builds the MIDI objects for the device (after deleting those of an earlier attach) and
        starts the set-up cycle. With null the objects only follow the channel mode.
    */
    void setConnectedMidiDevice (juce::MidiDevice* device) override;

    /** Gives the unit up before the bridge is deleted: the device manager stops the deliveries
        first (it returns only when none is running), then the objects follow no device.
    */
    void giveUpUnit (juce::MidiManager* midiManager);

    /** With false: the unit is gone; tells the instance and deletes the MIDI objects. */
    void hidConnectionCallback (bool connected) override;

    /** A value from the unit, on a MIDI thread. */
    void paramReceived (int id, int value) override;

    /** The unit's code of a normalised value, for the control of a parameter index (either channel). */
    static std::function<int (float)> getLambdaMidiFloatToInt (int paramIndex);

    /** The normalised value of a unit's code, for the control of a parameter index (either channel). */
    static std::function<float (int)> getLambdaMidiIntToFloat (int paramIndex);

    /** The channel 1 parameter of one of the unit's two-channel control ids, or -1 for the channel
        mode, the switches and unknown ids. */
    static int getChannel1Index (int controlId);

private:
    PlemvoPluginInstance* instance;
    PlemvoParamsManager* manager;
    juce::MidiDevice* device = nullptr;
    std::unique_ptr<MidiChannelParam> channelMidi;
    std::unique_ptr<MidiLRParam> eq1GainMidi, eq1FreqMidi, eq1QMidi, eq2GainMidi, eq2FreqMidi, eq2QMidi, lpfMidi,
        hpfMidi;
    std::unique_ptr<MidiBoolParams> switchesMidi;

    std::unique_ptr<MidiLRParam>* findLRParam (int midiId);
    juce::Array<MidiChannelParam::ChannelRecallingListener*> getControlObjects() const;
    void deleteMidiObjects();

    JUCE_DECLARE_NON_COPYABLE (PlemvoMidiBridge)
};
