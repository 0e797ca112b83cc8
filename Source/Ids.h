#pragma once

#include <juce_core/juce_core.h>

/** Identifiers of the commands that parts of the plug-in send each other through the instance's command
    queue. Identifiers with the same text share one pooled name, so receivers compare them directly. */
namespace Ids::vqPlemvo
{
static const juce::Identifier showDeviceSelector ("showDeviceSelector");
static const juce::Identifier loadPreset ("loadPreset");
static const juce::Identifier savePreset ("savePreset");
} // namespace Ids::vqPlemvo
