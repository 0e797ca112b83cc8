#pragma once

#include <juce_core/juce_core.h>

namespace vqtest
{
/** A file of the repository by its path from the repository's root, found from the test executable
    upwards (the build folder lies inside the checkout); a null file when there is none. */
inline juce::File findRepositoryFile (const juce::String& path)
{
    for (auto dir = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
         dir.getParentDirectory() != dir; dir = dir.getParentDirectory())
        if (auto file = dir.getChildFile (path); file.existsAsFile())
            return file;

    return {};
}
} // namespace vqtest
