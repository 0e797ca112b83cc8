#include "SessionFiles.h"

#include "FileReplacer.h"
#include "RegularFileReader.h"

juce::String SessionFiles::read (const juce::File& file, size_t maxBytes, juce::MemoryBlock& bytes)
{
    const auto cannot = "cannot read " + file.getFullPathName() + ": ";
    const auto outcome = RegularFileReader::read (file, maxBytes, bytes);

    switch (outcome.failure)
    {
        case RegularFileReader::Failure::none: return {};

        case RegularFileReader::Failure::notOpened:
        case RegularFileReader::Failure::notRead: return cannot + outcome.status.getErrorMessage();

        case RegularFileReader::Failure::isFolder: return cannot + "it is a folder";

        case RegularFileReader::Failure::notRegular:
            return cannot + "it is no regular file (a device, a pipe or a socket)";

        case RegularFileReader::Failure::tooLarge:
            return cannot + "it is larger than " + juce::String ((juce::int64) maxBytes) + " bytes";
    }

    return {};
}

juce::String SessionFiles::replace (const juce::File& target,
                                    const std::function<bool (juce::OutputStream&)>& writeContent)
{
    const auto cannot = "cannot write " + target.getFullPathName() + ": ";

    if (target.isDirectory())
        return cannot + "it is a folder";

    const auto outcome = FileReplacer::replace (target, writeContent);

    switch (outcome.failure)
    {
        case FileReplacer::Failure::none: return {};

        case FileReplacer::Failure::notOpened: return cannot + outcome.status.getErrorMessage();

        case FileReplacer::Failure::notWritten:
            return cannot + outcome.status.getErrorMessage() + "; the file is unchanged";

        case FileReplacer::Failure::cutShort:
            return cannot + "only " + juce::String (outcome.onDisk) + " of " + juce::String (outcome.written) +
                   " bytes reached the disk; the file is unchanged";

        case FileReplacer::Failure::contentFailed:
            return cannot + "the data could not be written; the file is unchanged";

        case FileReplacer::Failure::notReplaced: return cannot + "the file could not be replaced; it is unchanged";
    }

    return {};
}
