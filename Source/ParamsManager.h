#pragma once

#include "StereoParameterLinker.h"
#include "vq_core/ThreadBarierNonAutomatableParameter.h"
#include "vq_core/VqParamsManager.h"

class PlemvoPluginInstance;

/** The equaliser's parameter manager: creates the 23 automatable parameters with their host parameters
    and the 11 settings, owns a thread-barrier setter per setting and a stereo linker per channel pair,
    and copies one channel onto the other when "CHANNEL" is switched to "LINK" from inside the plug-in.
    Its indices are those of ParamData. Message thread only, like its base.
*/
class PlemvoParamsManager : public juce::VqParamsManager
{
public:
    using ValueToTextFunction = std::function<juce::String (float normalisedValue)>;
    using TextToValueFunction = std::function<float (const juce::String& text)>;

    explicit PlemvoParamsManager (PlemvoPluginInstance& owner);
    ~PlemvoParamsManager() override;

    /** Applies the linking copy before a change of "CHANNEL" from "DUAL MONO" to "LINK" that does not
        come from the host parameter, then stores and announces the change.
    */
    void setParamValue (AutomatableParamListener* source, int index, float value) override;

    /** The display text of a normalised value of the index; pure, safe on any thread. */
    ValueToTextFunction getValueToTextFunction (int index) const;

    /** The normalised value a typed text means for the index: the step whose text is nearest to it.
        A text that means nothing gives the stored value. Message thread.
    */
    TextToValueFunction getTextToValueFunction (int index) const;

    /** The display text of the stored value ("0.00" for an index outside the table). */
    juce::String getCurrentValueAsText (int index) const;

private:
    // Declared in this order so that the linkers go first, then the setters, then the base's records.
    juce::OwnedArray<juce::ThreadBarierNonAutomatableParameter> barriers;
    juce::OwnedArray<StereoParameterLinker> linkers;

    void copyChannelForLink();

    JUCE_DECLARE_NON_COPYABLE (PlemvoParamsManager)
};
