#pragma once

#include "VqLookAndFeel.h"

namespace juce
{
/** While any scope lives, one shared VqLookAndFeel is the process's default look-and-feel, so that
    every text drawn takes the embedded faces: the framework resolves a font's typeface through the
    default look-and-feel, never through the one a component tree has. A window holds a scope before
    it builds anything that measures text. The first scope installs the shared look-and-feel, the
    last one gives back the default it found, unless another has been made the default since.
    Message thread only.
*/
class VqDefaultLookAndFeelScope
{
public:
    VqDefaultLookAndFeelScope();
    ~VqDefaultLookAndFeelScope();

private:
    class SharedDefault;
    SharedResourcePointer<SharedDefault> sharedDefault;

    JUCE_DECLARE_NON_COPYABLE (VqDefaultLookAndFeelScope)
};
} // namespace juce
