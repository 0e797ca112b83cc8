#pragma once

#include <juce_core/juce_core.h>

/** Reads a regular file (a link to one is followed) whole, safe on any file a user or script may name:
    a folder, a device, a pipe or a file larger than the caller takes is refused before it is read,
    without waiting on it. Callers tell the outcome in their own words.
*/
class RegularFileReader
{
public:
    enum class Failure
    {
        none,
        notOpened,  ///< the system refused to open it: the status says why
        isFolder,   ///< it is a folder
        notRegular, ///< a device, a pipe or a socket
        tooLarge,   ///< more than maxBytes, before the read or while it went on
        notRead     ///< the system refused the read: the status says why
    };

    struct Outcome
    {
        Failure failure = Failure::none;
        juce::Result status = juce::Result::ok(); ///< the system's status
        juce::int64 size = 0;                     ///< the file's size as far as it was seen

        bool wasOk() const { return failure == Failure::none; }
    };

    /** Reads the file into bytes, which hold nothing after a failure. */
    static Outcome read (const juce::File& file, size_t maxBytes, juce::MemoryBlock& bytes);
};
