#pragma once

#include "ParamsManager.h"
#include "vq_core/CommandManager.h"
#include "vq_core/ThreadBarierNonAutomatableParameter.h"
#include "vq_core/VqPluginInstance.h"

class PlemvoMidiBridge;

namespace juce
{
class MidiManager;
}

/** The plug-in instance the host creates: the equaliser's parameter manager behind 23 host parameters,
    one stereo input and one stereo output bus, and no audio processing of its own.

    Once a second, while the unit should be connected and is not, it tries to attach a new MIDI bridge to
    the remembered unit, or to the one free unit when none is remembered; with several free units it asks
    for the device selector, a command kept until an editor can show it and dropped once there is no
    choice to make. An instance that remembers no unit leaves the units that other live instances
    remember to them, so a replug gives every instance its own unit back. It also serves the preset
    commands that nobody else takes.

    While connected, a remembered unit set from outside (a preset, a restored state, the host) that
    differs from the unit in use is taken at once when it is free; otherwise the instance keeps its
    unit and the setting names that unit again, so the settings always say what the instance holds.
*/
class PlemvoPluginInstance : public juce::VqPluginInstance,
                             public juce::CommandManager,
                             public juce::Timer,
                             private juce::VqParamsManager::NonAutomatableParamListener
{
public:
    static constexpr int connectionIntervalMs = 1000;

    /** The titles of the preset dialogs, and of the alerts that tell why a save or load failed. */
    static constexpr const char* saveTitle = "Save preset...";
    static constexpr const char* loadTitle = "Load preset...";
    static constexpr const char* version = PLEMVO_VERSION_STRING;

    PlemvoPluginInstance();
    ~PlemvoPluginInstance() override;

    PlemvoParamsManager& getPlemvoParams() const noexcept { return *plemvoParams; }

    juce::int32 getAAXPluginIDForMainBusConfig (const juce::AudioChannelSet& mainInputLayout,
                                                const juce::AudioChannelSet& mainOutputLayout,
                                                bool idForAudioSuite) const override;
    juce::StringArray getAlternateDisplayNames() const override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void getCurrentProgramStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    void setCurrentProgramStateInformation (const void* data, int sizeInBytes) override;

    bool hasEditor() const override;
    juce::AudioProcessorEditor* createEditor() override;

    /** The connection step. */
    void timerCallback() override;

    /** Remembers the unit and connects to it: at once when not connected, else on the next tick. */
    void connectWithDevice (int serialNo);

    /** Gives the unit up; the same or another one is taken again on a later tick while the instance
        should be connected.
    */
    void disconnect();

    /** The user's choice in the device selector: CONNECT (connect true) to the unit, or DISCONNECT. The
        choice is kept in "SHOULD BE CONNECTED", so that a unit given up is not taken again on the next
        tick and a unit chosen after a DISCONNECT is taken.
    */
    void chooseDevice (int serialNo, bool connect);

    /** Told by the bridge when its unit has gone away. */
    void connectionLost();

    /** The bridge that holds or tries the connection, or null. */
    PlemvoMidiBridge* getBridge() const noexcept { return bridge.get(); }

    /** Sends a device-selector request that waits for a window to the command listeners again, or drops
        it when the instance no longer needs to choose a unit. */
    void sendPendingCommand();

    /** Whether a device-selector request waits for an editor and the choice is still open. */
    bool hasPendingCommand() const;

protected:
    void commandFallback (std::unique_ptr<juce::VqCommand> command) override;

private:
    PlemvoParamsManager* plemvoParams; // owned by the base
    juce::ThreadBarierNonAutomatableParameter connectedFlagSetter;
    std::unique_ptr<juce::VqCommand> pendingCommand;
    juce::MidiManager* midiManager = nullptr;
    std::unique_ptr<PlemvoMidiBridge> bridge;
    std::unique_ptr<juce::FileChooser> chooser;

    void detachBridge();
    int findUnitInUse() const;
    void followRememberedUnit (int serialNo);
    void nonAutomatableParamValueChanged (int index, juce::var value) override;
    void setSetting (int index, const juce::var& value);
    bool isConnected() const;
    std::vector<int> unitsRememberedElsewhere() const;
    int countUnitsToChooseFrom() const;
    bool needsDeviceChoice() const;
    void savePreset (const juce::File& chosen);
    void tellIfFailed (const juce::String& title, const juce::Result& result);
    void launchChooser (const juce::String& title, const juce::String& patterns, int flags,
                        std::function<void (const juce::File&)> onChosen);

    JUCE_DECLARE_WEAK_REFERENCEABLE (PlemvoPluginInstance)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PlemvoPluginInstance)
};

/** The factory the plug-in wrapper calls for every instance. */
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();
