#pragma once

#include "VqParamsManager.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace juce
{
/** The generic plug-in instance: an AudioProcessor that owns its parameter manager, presents the
    manager's host parameters in index order and processes no audio (the audio passes unchanged).
    Products derive from it and add the editor and the session state.
*/
class VqPluginInstance : public AudioProcessor
{
public:
    /** Takes the manager, which was built for this instance, and adds its host parameters to the
        processor in index order, so host parameter i is parameter i.
    */
    VqPluginInstance (const String& pluginName, VqParamsManager* managerToOwn, const BusesProperties& buses);
    ~VqPluginInstance() override;

    VqParamsManager& getParamsManager() const noexcept { return *paramsManager; }

    const String getName() const override;

    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock (AudioBuffer<float>& buffer, MidiBuffer& midiMessages) override;
    using AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const String getProgramName (int index) override;
    void changeProgramName (int index, const String& newName) override;

    void getStateInformation (MemoryBlock& destData) override;
    void getCurrentProgramStateInformation (MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    void setCurrentProgramStateInformation (const void* data, int sizeInBytes) override;

private:
    const String pluginName;
    std::unique_ptr<VqParamsManager> paramsManager;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VqPluginInstance)
};
} // namespace juce
