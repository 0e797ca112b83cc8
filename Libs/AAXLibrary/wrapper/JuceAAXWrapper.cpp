// JUCE's AAX wrapper, included the way JUCE's own macOS client file includes it.
#include "JucePluginDefines.h"

#define JUCE_INCLUDED_AAX_IN_MM 1
#include <juce_audio_plugin_client/AAX/juce_AAX_Wrapper.cpp>
