#pragma once

#include "ParamsManager.h"
#include "vq_core/VqPluginInstance.h"

/** The plug-in instance the host creates: the equaliser's parameter manager behind 23 host parameters,
    one stereo input and one stereo output bus, and no audio processing of its own.
*/
class PlemvoPluginInstance : public juce::VqPluginInstance
{
public:
    PlemvoPluginInstance();
    ~PlemvoPluginInstance() override;

    PlemvoParamsManager& getPlemvoParams() const noexcept { return *plemvoParams; }

    /** Told by the MIDI bridge when its unit has gone away: "IS CONNECTED" becomes false on the
        message thread.
    */
    void connectionLost();

    bool hasEditor() const override;
    juce::AudioProcessorEditor* createEditor() override;

private:
    PlemvoParamsManager* plemvoParams; // owned by the base
    juce::ThreadBarierNonAutomatableParameter connectedFlagSetter;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PlemvoPluginInstance)
};

/** The factory the plug-in wrapper calls for every instance. */
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();
