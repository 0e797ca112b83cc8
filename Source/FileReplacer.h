#pragma once

#include <juce_core/juce_core.h>

#include <functional>

/** Replaces a file whole or not at all: the content goes into a new file beside the target, which takes
    the target's place only once every byte reached the disk. A write that fails half-way (a full disk)
    leaves the file that was there as it was, and no new file behind. Callers tell the outcome in their
    own words.
*/
class FileReplacer
{
public:
    /** Writes the content into the stream; false when it could not give all of it. */
    using WriteContent = std::function<bool (juce::OutputStream&)>;

    enum class Failure
    {
        none,
        notOpened,     ///< the new file could not be created: the status says why
        notWritten,    ///< the system refused a write: the status says why
        cutShort,      ///< fewer bytes reached the disk than were written, with no error (a full disk)
        contentFailed, ///< the writer could not give all of the content
        notReplaced    ///< the new file could not take the target's place
    };

    struct Outcome
    {
        Failure failure = Failure::none;
        juce::Result status = juce::Result::ok(); ///< the system's status of the stream
        juce::int64 written = 0;                  ///< the bytes the writer gave
        juce::int64 onDisk = 0;                   ///< the bytes the new file holds
    };

    static Outcome replace (const juce::File& target, const WriteContent& writeContent);
};
