#pragma once

#include <juce_core/juce_core.h>

#include <sys/types.h>

/** Reads a regular file (a link to one is followed) whole, safe on any file a user or script may name:
    a folder, a device, a pipe or a file larger than the caller takes is refused before it is read,
    without waiting on it.
*/
class RegularFileReader
{
public:
    /** Reads the file into bytes, which hold nothing after a failure; a failure says why in words for the
        user. */
    static juce::Result read (const juce::File& file, size_t maxBytes, juce::MemoryBlock& bytes);

    /** Ok for a regular file (st_mode); otherwise why a file of this kind is neither read nor replaced:
        reading a device or a pipe may never end, and a save would put a new file in its place. */
    static juce::Result checkKind (mode_t mode);
};
