#pragma once

// JUCE's wrapper includes this header; the plug-in's parameters need nothing from it, so it stays empty.
