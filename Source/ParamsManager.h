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

    /** Applies the linking copy before a change of "CHANNEL" from "DUAL MONO" to "LINK" that does not
        come from the host parameter, then stores and announces the change. A restore made on a host
        thread and still on its way here is applied first, as the change came after it; but not before
        a value from the unit, which the restored values sent to the unit would then contradict.
    */
    void setParamValue (AutomatableParamListener* source, int index, float value) override;

    /** Stores and announces a setting's value in the setting's type, after a restore still on its way to
        this thread (see setParamValue); a value outside the setting's range (ParamData::toSettingValue) is
        refused, so the window, the unit and the state keep the one before, and a restored value of the
        setting that a change from the unit finds waiting is dropped.
    */
    void setNonAutomatableParamValue (NonAutomatableParamListener* source, int index, juce::var value) override;

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

    void copyChannelForLink();
    bool isRestoreWaiting() const;
    void applyRestoreFirst();

    JUCE_DECLARE_NON_COPYABLE (PlemvoParamsManager)
};
