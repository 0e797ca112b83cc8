#include "PluginInstance.h"

#include "ParamTools.h"

PlemvoPluginInstance::PlemvoPluginInstance()
    : juce::VqPluginInstance ("Kestova PLEMVO", new PlemvoParamsManager (*this),
                              BusesProperties()
                                  .withInput ("Input", juce::AudioChannelSet::stereo())
                                  .withOutput ("Output", juce::AudioChannelSet::stereo())),
      plemvoParams (static_cast<PlemvoParamsManager*> (&getParamsManager())),
      connectedFlagSetter (*plemvoParams, ParamData::isConnected)
{
}

PlemvoPluginInstance::~PlemvoPluginInstance() = default;

void PlemvoPluginInstance::connectionLost()
{
    connectedFlagSetter.setParamValue (false);
}

bool PlemvoPluginInstance::hasEditor() const
{
    return false;
}

juce::AudioProcessorEditor* PlemvoPluginInstance::createEditor()
{
    return nullptr;
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new PlemvoPluginInstance();
}
