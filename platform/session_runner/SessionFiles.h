#pragma once

#include <juce_core/juce_core.h>

#include <functional>

/** The runner's reading and writing of the files a script names, safe on any file a script may give:
    a device, a pipe or a huge file is refused before it is read, and a write that fails half-way (a full
    disk) leaves the file that was there as it was. Each returns an empty text or why it failed.
*/
struct SessionFiles
{
    /** Reads a regular file (a link to one is followed) of at most maxBytes; anything else is refused
        without waiting on it. */
    static juce::String read (const juce::File& file, size_t maxBytes, juce::MemoryBlock& bytes);

    /** Writes what writeContent gives into a new file beside the target (through a
        link, beside the file it names), checks that every byte reached the disk, then replaces the target with it; on
       any failure the target is left as it was. */
    static juce::String replace (const juce::File& target,
                                 const std::function<bool (juce::OutputStream&)>& writeContent);
};
