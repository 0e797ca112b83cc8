#pragma once

// Stands in for Debian's header of this name, which switches AAX off: the settings the AAX
// wrapper relies on are checked here and left as JucePluginDefines.h sets them.
#include "JucePluginDefines.h"

#if ! JucePlugin_Build_AAX
#error "This build compiles the AAX wrapper: JucePlugin_Build_AAX must be 1"
#endif

#if ! defined(JucePlugin_AAXIdentifier) || ! defined(JucePlugin_ManufacturerCode) || ! defined(JucePlugin_PluginCode)
#error "The plug-in's AAX identity is incomplete"
#endif
