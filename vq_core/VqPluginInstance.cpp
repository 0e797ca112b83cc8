#include "VqPluginInstance.h"

#include "VqDawParameter.h"

namespace juce
{
VqPluginInstance::VqPluginInstance (const String& name, VqParamsManager* managerToOwn, const BusesProperties& buses)
    : AudioProcessor (buses),
      pluginName (name),
      paramsManager (managerToOwn)
{
    jassert (paramsManager != nullptr);

    for (int i = 0; i < paramsManager->getNumParams(); ++i)
        addParameter (paramsManager->getDawParameter (i));
}

// The manager goes before the processor base deletes the host parameters that listen to it.
VqPluginInstance::~VqPluginInstance()
{
    paramsManager.reset();
}

const String VqPluginInstance::getName() const
{
    return pluginName;
}

void VqPluginInstance::prepareToPlay (double, int) {}
void VqPluginInstance::releaseResources() {}
void VqPluginInstance::processBlock (AudioBuffer<float>&, MidiBuffer&) {}

double VqPluginInstance::getTailLengthSeconds() const
{
    return 0.0;
}
bool VqPluginInstance::acceptsMidi() const
{
    return false;
}
bool VqPluginInstance::producesMidi() const
{
    return true;
}
bool VqPluginInstance::isMidiEffect() const
{
    return false;
}

int VqPluginInstance::getNumPrograms()
{
    return 1;
}
int VqPluginInstance::getCurrentProgram()
{
    return 0;
}
void VqPluginInstance::setCurrentProgram (int) {}
const String VqPluginInstance::getProgramName (int)
{
    return {};
}
void VqPluginInstance::changeProgramName (int, const String&) {}

void VqPluginInstance::getStateInformation (MemoryBlock&) {}
void VqPluginInstance::getCurrentProgramStateInformation (MemoryBlock&) {}
void VqPluginInstance::setStateInformation (const void*, int) {}
void VqPluginInstance::setCurrentProgramStateInformation (const void*, int) {}
} // namespace juce
