#pragma once

#include "PLEMVO_MainView.h"

/** The controls of a channel panel that a session script names, and the part of each that the
    pointer aims at: a knob itself, the push button of a button or switch, the channel button. */
namespace WindowControls
{
juce::StringArray names();

/** The component a press on the named control aims at, or null for an unknown name. */
juce::Component* find (PLEMVO_MainView& view, const juce::String& name);
} // namespace WindowControls
