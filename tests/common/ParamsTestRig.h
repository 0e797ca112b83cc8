#pragma once

#include "vq_core/VqDawParameter.h"
#include "vq_core/VqPluginInstance.h"

#include <vector>

namespace vqtest
{
/** A manager of plain parameters (no texts, all defaults 0.0) and int settings (all 0). */
class RigParamsManager : public juce::VqParamsManager
{
public:
    RigParamsManager (juce::VqPluginInstance& owner, int numParams, int numSettings)
        : VqParamsManager (owner)
    {
        for (int i = 0; i < numParams; ++i)
            addAutomatableParameter (*new juce::VqDawParameter ("PARAM " + juce::String (i), { 0.0, 1.0 }, 0.0, {},
                                                                juce::AudioProcessorParameter::genericParameter, 2,
                                                                *this, i, {}));

        for (int i = 0; i < numSettings; ++i)
            addNonAutomatableParameter (0);
    }
};

/** An instance around a RigParamsManager, which owns the host parameters as the product's does. */
class RigInstance : public juce::VqPluginInstance
{
public:
    explicit RigInstance (int numParams = 23, int numSettings = 11)
        : VqPluginInstance ("Rig", new RigParamsManager (*this, numParams, numSettings),
                            BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo())
                                .withOutput ("Output", juce::AudioChannelSet::stereo()))
    {
    }

    bool hasEditor() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }

    juce::VqDawParameter& daw (int index) { return *getParamsManager().getDawParameter (index); }
};

/** Records what an automatable listener is told, through the interface's default source rule. */
struct RecordingListener : juce::VqParamsManager::AutomatableParamListener
{
    struct Value
    {
        int index;
        float value;
    };
    struct Gesture
    {
        int index;
        bool starting;
    };

    std::vector<Value> values;
    std::vector<Gesture> gestures;

    using AutomatableParamListener::paramGestureChanged;
    using AutomatableParamListener::paramValueChanged;

    void paramValueChanged (int index, float value) override { values.push_back ({ index, value }); }
    void paramGestureChanged (int index, bool starting) override { gestures.push_back ({ index, starting }); }
};

/** Records what a setting listener is told. */
struct RecordingSettingListener : juce::VqParamsManager::NonAutomatableParamListener
{
    struct Value
    {
        int index;
        juce::var value;
    };

    std::vector<Value> values;

    void nonAutomatableParamValueChanged (int index, juce::var value) override { values.push_back ({ index, value }); }
};

/** Records what a host parameter tells the host, also in one list in order: "begin", "0.63", "end". */
struct HostRecorder : juce::AudioProcessorParameter::Listener
{
    std::vector<float> values;
    std::vector<bool> gestures;
    juce::StringArray told;

    void parameterValueChanged (int, float value) override
    {
        values.push_back (value);
        told.add (juce::String (value, 2));
    }

    void parameterGestureChanged (int, bool starting) override
    {
        gestures.push_back (starting);
        told.add (starting ? "begin" : "end");
    }
};
} // namespace vqtest
