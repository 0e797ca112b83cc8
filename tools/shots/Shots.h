#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace vqshots
{
/** Makes the component of one picture, sized and laid out; it is rendered at scale 1 and 2. */
using ShotMaker = std::function<std::unique_ptr<juce::Component>()>;

/** One named picture of `make shots`, written as <name>@1x.png and <name>@2x.png. A file-scope
    object in any .cpp of tools/shots registers it:
        static const vqshots::Shot knobLit { "knob-lit", [] { return std::make_unique<...>(); } };
    Names are unique: one per widget and state. */
struct Shot
{
    Shot (const char* name, ShotMaker make);
};

/** A component of the given size that paints through a function, for drawings without a widget. */
std::unique_ptr<juce::Component> painted (int width, int height, std::function<void (juce::Graphics&)> paint);
} // namespace vqshots
