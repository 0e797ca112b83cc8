#include "WindowControls.h"

namespace
{
struct Control
{
    const char* name;
    juce::Component& (*target) (PLEMVO_MainView&);
};

const Control controls[] = {
    { "eq1-freq", [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq1FreqKnob; } },
    { "eq1-gain", [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq1GainKnob; } },
    { "eq2-freq", [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq2FreqKnob; } },
    { "eq2-gain", [] (PLEMVO_MainView& v) -> juce::Component& { return v.eq2GainKnob; } },
    { "eq1-q", [] (PLEMVO_MainView& v) -> juce::Component& { return *v.eq1QSwitch.buttons[0]; } },
    { "eq2-q", [] (PLEMVO_MainView& v) -> juce::Component& { return *v.eq2QSwitch.buttons[0]; } },
    { "eq1-in", [] (PLEMVO_MainView& v) -> juce::Component& { return *v.eq1InButton.button; } },
    { "eq2-in", [] (PLEMVO_MainView& v) -> juce::Component& { return *v.eq2InButton.button; } },
    { "hp", [] (PLEMVO_MainView& v) -> juce::Component& { return *v.hpSwitch.buttons[0]; } },
    { "lp", [] (PLEMVO_MainView& v) -> juce::Component& { return *v.lpSwitch.buttons[0]; } },
    { "engage", [] (PLEMVO_MainView& v) -> juce::Component& { return *v.engageButton.button; } },
    { "channel", [] (PLEMVO_MainView& v) -> juce::Component& { return v.channelSwitch.getChannelButton(); } },
    { "preset", [] (PLEMVO_MainView& v) -> juce::Component& { return v.presetKnob; } },
    { "window", [] (PLEMVO_MainView& v) -> juce::Component& { return v.windowButton; } },
};
} // namespace

juce::StringArray WindowControls::names()
{
    juce::StringArray result;

    for (const auto& control : controls)
        result.add (control.name);

    return result;
}

juce::Component* WindowControls::find (PLEMVO_MainView& view, const juce::String& name)
{
    for (const auto& control : controls)
        if (name == control.name)
            return &control.target (view);

    return nullptr;
}
