#include "ParamsManager.h"

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

bool PlemvoParamsManager::applyParamValue (AutomatableParamListener* source, int index, float value,
                                           ChangeStamp received, Unchanged unchanged)
{
    // A mode change from the host or from a state never copies: it only replays what was recorded.
    if (index == ParamData::channel && isLaterThanHeld (index, received) &&
        ! AutomatableParamListener::isReplay (source))
        copyChannelForLink (value, received);

    return juce::VqParamsManager::applyParamValue (source, index, value, received, unchanged);
}

bool PlemvoParamsManager::applyNonAutomatableParamValue (NonAutomatableParamListener* source, int index,
                                                         juce::var value, ChangeStamp received, Unchanged unchanged)
{
    auto valid = ParamData::toSettingValue (index, value);

    return valid && juce::VqParamsManager::applyNonAutomatableParamValue (source, index, std::move (*valid), received,
                                                                          unchanged);
}

void PlemvoParamsManager::copyChannelForLink (float newChannel, ChangeStamp received)
{
    // The channel chosen in the window is the one whose settings both channels keep. Each copy is a
    // gesture of its own, so the host records every copied value.
    for (auto copy : ParamTools::linkingCopy (getParamValue (ParamData::channel), newChannel,
                                              getNonAutomatableParamValue (ParamData::selectedChannel)))
    {
        beginParamGesture (nullptr, copy.target);
        applyParamValue (nullptr, copy.target, getParamValue (copy.origin), received);
        endParamGesture (nullptr, copy.target);
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
