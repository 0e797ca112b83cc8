#include "Shots.h"

#include "widgets/S500_Knob_s500.h"

namespace
{
const juce::StringArray gainTexts { "-15", ".", ".", ".", ".", "0", ".", ".", ".", ".", "+15" };
const juce::StringArray frequencyTexts { "45", ".", ".", ".", ".", "360", ".", ".", ".", ".", "1k" };
constexpr double shotValues[] = { 0.0, 0.5, 0.55, 1.0 };
constexpr int knobSide = 136;

/** Four knobs of one kind side by side at the values 0, 0.5, 0.55 and 1, on the panel's dark. */
struct KnobStrip : juce::Component
{
    juce::OwnedArray<VQ_Knob_s500> knobs;

    KnobStrip (VQ_Knob_s500::Orientation orientation, bool pointer)
    {
        setSize (knobSide * 4, knobSide);
        const auto gain = orientation != VQ_Knob_s500::frequency;

        for (int i = 0; i < 4; ++i)
        {
            auto* knob = knobs.add (std::make_unique<VQ_Knob_s500> (orientation, gain));
            knob->defineSliderPrms (orientation == VQ_Knob_s500::centred ? "PRESET"
                                    : gain                               ? "GAIN"
                                                                         : "FREQ",
                                    gain ? gainTexts : frequencyTexts, 0.0f, 1.0f, 0.01f, 0.5f, 0.1f);
            knob->setPointerVisible (pointer);
            addAndMakeVisible (knob);
            knob->setBounds (i * knobSide, 0, knobSide, knobSide);
            knob->setValue (shotValues[i], juce::dontSendNotification);
        }
    }

    void paint (juce::Graphics& g) override { g.fillAll (juce::Colour (0xFF2A2A2A)); }
};

const vqshots::Shot gainKnobs { "knob-gain-o0", [] { return std::make_unique<KnobStrip> (VQ_Knob_s500::gain, true); } };
const vqshots::Shot gainKnobsNoPointer { "knob-gain-o0-no-pointer",
                                         [] { return std::make_unique<KnobStrip> (VQ_Knob_s500::gain, false); } };
const vqshots::Shot frequencyKnobs { "knob-frequency-o1",
                                     [] { return std::make_unique<KnobStrip> (VQ_Knob_s500::frequency, true); } };
const vqshots::Shot frequencyKnobsNoPointer { "knob-frequency-o1-no-pointer", [] {
                                                 return std::make_unique<KnobStrip> (VQ_Knob_s500::frequency, false);
                                             } };
const vqshots::Shot centredKnobs { "knob-centred-o2",
                                   [] { return std::make_unique<KnobStrip> (VQ_Knob_s500::centred, true); } };
const vqshots::Shot centredKnobsNoPointer { "knob-centred-o2-no-pointer",
                                            [] { return std::make_unique<KnobStrip> (VQ_Knob_s500::centred, false); } };
} // namespace
