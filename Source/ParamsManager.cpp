#include "ParamsManager.h"

#include "MidiChannelParam.h"
#include "MidiControlParam.h"
#include "ParamTools.h"
#include "PluginInstance.h"
#include "SessionState.h"
#include "vq_core/VqDawParameter.h"

PlemvoParamsManager::PlemvoParamsManager (PlemvoPluginInstance& owner)
    : juce::VqParamsManager (owner)
{
    for (int index = 0; index < ParamData::numParams; ++index)
    {
        // Host texts are typed on host threads: the fallback is the host parameter's own atomic value.
        auto hostTextToValue = [this, index] (const juce::String& text)
        { return ParamTools::textToValue (index, text, getDawParameter (index)->getValue()); };

        // The processor takes ownership when the instance adds the parameter to it.
        auto* dawParameter = new juce::VqDawParameter (ParamData::paramName[index], { 0.0, 1.0 },
                                                       (double) ParamData::paramDefault[index], {},
                                                       juce::AudioProcessorParameter::genericParameter, 2, *this, index,
                                                       getValueToTextFunction (index), std::move (hostTextToValue));
        addAutomatableParameter (*dawParameter);
    }

    for (int index = 0; index < ParamData::numSettings; ++index)
    {
        addNonAutomatableParameter (ParamData::getSettingDefault (index));
        barriers.add (new juce::ThreadBarierNonAutomatableParameter (*this, index));
    }

    for (int index = 1; index <= ParamData::channelTwinOffset; ++index)
        linkers.add (new StereoParameterLinker (*this, index, index + ParamData::channelTwinOffset));

    // A restore on the message thread sets its parameters at once: its settings go before them, so that
    // one that moves the instance to another unit leaves the old unit out of the new state.
    sessionState = std::make_unique<SessionState> (*this,
                                                   [this] (int index, const juce::var& value)
                                                   {
                                                       auto* barrier = barriers.getUnchecked (index);
                                                       barrier->setParamValue (value);

                                                       if (juce::MessageManager::existsAndIsCurrentThread())
                                                           barrier->handleUpdateNowIfNeeded();
                                                   });
}

PlemvoParamsManager::~PlemvoParamsManager() = default;

namespace
{
/** Whether a change comes from the unit, through one of its MIDI objects. */
template <typename Source> bool comesFromTheUnit (Source* source)
{
    return dynamic_cast<MidiControlParam*> (source) != nullptr || dynamic_cast<MidiChannelParam*> (source) != nullptr;
}
} // namespace

void PlemvoParamsManager::setParamValue (AutomatableParamListener* source, int index, float value)
{
    if (source != sessionState.get() && isRestoreWaiting() && ! comesFromTheUnit (source))
        applyRestoreFirst();

    // A mode change from the host or from automation never copies: it only replays what was recorded.
    if (index == ParamData::channel && ParamTools::switchesToLink (getParamValue (index), value) &&
        dynamic_cast<juce::VqDawParameter*> (source) == nullptr)
        copyChannelForLink();

    juce::VqParamsManager::setParamValue (source, index, value);
}

void PlemvoParamsManager::setNonAutomatableParamValue (NonAutomatableParamListener* source, int index, juce::var value)
{
    auto valid = ParamData::toSettingValue (index, value);

    if (! valid)
        return;

    if (isRestoreWaiting() && ! comesFromTheUnit (source))
        applyRestoreFirst();

    if (auto* barrier = barriers[index])
        barrier->giveWay();

    juce::VqParamsManager::setNonAutomatableParamValue (source, index, std::move (*valid));
}

bool PlemvoParamsManager::isRestoreWaiting() const
{
    // Checked before anything else, as every knob turn passes here.
    return (sessionState != nullptr && sessionState->isUpdatePending()) ||
           std::any_of (barriers.begin(), barriers.end(), [] (auto* b) { return b->isUpdatePending(); });
}

void PlemvoParamsManager::applyRestoreFirst()
{
    // Nothing while restored values are being applied: they go in the order they were posted.
    if (sessionState == nullptr || sessionState->isApplying() ||
        std::any_of (barriers.begin(), barriers.end(), [] (auto* b) { return b->isApplying(); }))
        return;

    // Settings first, as their setters posted before the state.
    for (auto* barrier : barriers)
        barrier->handleUpdateNowIfNeeded();

    sessionState->handleUpdateNowIfNeeded();
}

void PlemvoParamsManager::copyChannelForLink()
{
    // The channel chosen in the window is the one whose settings both channels keep.
    const int origin = ParamTools::linkCopyOrigin (getNonAutomatableParamValue (ParamData::selectedChannel));

    if (origin < 0)
        return;

    const int target = ParamTools::linkCopyTarget (origin);

    // Each copy is a gesture of its own, so the host records every copied value.
    for (int k = 0; k < ParamData::channelTwinOffset; ++k)
    {
        beginParamGesture (nullptr, target + k);
        setParamValue (nullptr, target + k, getParamValue (origin + k));
        endParamGesture (nullptr, target + k);
    }
}

PlemvoParamsManager::ValueToTextFunction PlemvoParamsManager::getValueToTextFunction (int index) const
{
    return [index] (float value) { return ParamTools::valueToText (index, value); };
}

PlemvoParamsManager::TextToValueFunction PlemvoParamsManager::getTextToValueFunction (int index) const
{
    return [this, index] (const juce::String& text)
    { return ParamTools::textToValue (index, text, getParamValue (index)); };
}

juce::String PlemvoParamsManager::getCurrentValueAsText (int index) const
{
    return ParamTools::valueToText (index, getParamValue (index));
}

void PlemvoParamsManager::getStateInformation (juce::MemoryBlock& destData) const
{
    sessionState->write (destData);
}

bool PlemvoParamsManager::setStateInformation (const void* data, int sizeInBytes)
{
    return sizeInBytes > 0 && sessionState->restore (data, (size_t) sizeInBytes);
}
