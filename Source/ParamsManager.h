#pragma once

#include "StereoParameterLinker.h"
#include "vq_core/ThreadBarierNonAutomatableParameter.h"
#include "vq_core/VqParamsManager.h"

class PlemvoPluginInstance;
class SessionState;

/** The equaliser's parameter manager: creates the 23 automatable parameters with their host parameters
    and the 11 settings, owns a thread-barrier setter per setting and a stereo linker per channel pair,
    and copies one channel onto the other when "CHANNEL" is switched to "LINK" from inside the plug-in.
    Its indices are those of ParamData. Message thread only, like its base, but for the session state,
    which any thread may save or restore.
*/
class PlemvoParamsManager : public juce::VqParamsManager
{
public:
    using ValueToTextFunction = std::function<juce::String (float normalisedValue)>;
    using TextToValueFunction = std::function<float (const juce::String& text)>;

    explicit PlemvoParamsManager (PlemvoPluginInstance& owner);
    ~PlemvoParamsManager() override;

    /** Applies a change received at `received` (see the base), after the linking copy when the change
        switches "CHANNEL" from "DUAL MONO" to "LINK" and does not replay recorded values (the host's
        automation, a restored state, which carries its own copy). The copied values carry the change's
        stamp, so a change received after it still wins over them.
    */
    bool applyParamValue (AutomatableParamListener* source, int index, float value, ChangeStamp received,
                          Unchanged unchanged = Unchanged::announce) override;

    /** Applies a setting (see the base) in the setting's type; a value outside the setting's range
        (ParamData::toSettingValue) is refused, so the window, the unit and the state keep the one before.
    */
    bool applyNonAutomatableParamValue (NonAutomatableParamListener* source, int index, juce::var value,
                                        ChangeStamp received, Unchanged unchanged = Unchanged::announce) override;

    /** The display text of a normalised value of the index; pure, safe on any thread. */
    ValueToTextFunction getValueToTextFunction (int index) const;

    /** The normalised value a typed text means for the index: the step whose text is nearest to it.
        A text that means nothing gives the stored value. Message thread.
    */
    TextToValueFunction getTextToValueFunction (int index) const;

    /** The display text of the stored value ("0.00" for an index outside the table). */
    juce::String getCurrentValueAsText (int index) const;

    /** Replaces the block's content with the session state, the bytes of a ".vqrp" file. Any thread. */
    void getStateInformation (juce::MemoryBlock& destData) const;

    /** Restores a session state, a ".vqrp" or ".vqrb" file or wrapped XML; data in none of these forms
        changes nothing and gives false. Any thread: the parameters are set on the message thread, and a
        state written after this call already holds the restored values.
    */
    bool setStateInformation (const void* data, int sizeInBytes);

private:
    // Declared in this order so that the state and the linkers go first, then the setters, then the base's records.
    juce::OwnedArray<juce::ThreadBarierNonAutomatableParameter> barriers;
    juce::OwnedArray<StereoParameterLinker> linkers;
    std::unique_ptr<SessionState> sessionState; // last, so it unregisters first

    void copyChannelForLink (float newChannel, ChangeStamp received);

    JUCE_DECLARE_NON_COPYABLE (PlemvoParamsManager)
};
