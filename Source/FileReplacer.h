#pragma once

#include <juce_core/juce_core.h>

#include <functional>

/** Replaces a file whole or not at all: the content goes into a new file beside the target, which takes
    the target's place only once every byte reached the disk. A write that fails half-way (a full disk)
    leaves the file that was there as it was, and no new file behind.

    A target that is a symbolic link (a dangling one too) is followed as the system follows it, each link
    read from the real folder it lies in, to the file it names, which is replaced beside itself, so the
    link stays a link. The new file takes the old one's permissions, and its owner and group as far as the
    process may give them. A file with several hard links is replaced under the name written to only: its
    other names keep the old content, as with any save that replaces a file.

    What is not a regular file (a folder, a device, a pipe or a socket) is never replaced, and neither is
    a link that loops.
*/
class FileReplacer
{
public:
    /** Writes the content into the stream; false when it could not give all of it. */
    using WriteContent = std::function<bool (juce::OutputStream&)>;

    /** Replaces the target with what writeContent gives; a failure says why in words for the user, and
        leaves the target as it was. */
    static juce::Result replace (const juce::File& target, const WriteContent& writeContent);

    /** The reason told for a system error (errno) of a write into the folder. */
    static juce::String describeWriteError (int error, const juce::File& folder);

    /** The hidden name of the new file beside a target of this name, within the system's longest name:
        the name is shortened as far as the suffix needs, at a whole character. */
    static juce::String temporaryName (const juce::String& targetName, const juce::String& suffix, int maxBytes);
};
