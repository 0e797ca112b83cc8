#include "SessionFiles.h"

#include "FileReplacer.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
juce::String describeErrno()
{
    return std::strerror (errno);
}
} // namespace

juce::String SessionFiles::read (const juce::File& file, size_t maxBytes, juce::MemoryBlock& bytes)
{
    const auto path = file.getFullPathName();
    const auto cannot = "cannot read " + path + ": ";

    // Opened without waiting, so that a pipe with no writer cannot hold the session.
    const auto fd = ::open (path.toRawUTF8(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);

    if (fd < 0)
        return cannot + describeErrno();

    struct stat info
    {
    };

    juce::String problem;

    if (fstat (fd, &info) != 0)
        problem = cannot + describeErrno();
    else if (S_ISDIR (info.st_mode))
        problem = cannot + "it is a folder";
    else if (! S_ISREG (info.st_mode))
        problem = cannot + "it is no regular file (a device, a pipe or a socket)";
    else if ((juce::uint64) info.st_size > maxBytes)
        problem = cannot + "it is larger than " + juce::String ((juce::int64) maxBytes) + " bytes";

    if (problem.isEmpty())
    {
        // One byte more than allowed is asked for, so that a file growing meanwhile is still refused.
        bytes.setSize (maxBytes + 1);
        size_t got = 0;

        while (got < bytes.getSize())
        {
            const auto n = ::read (fd, static_cast<char*> (bytes.getData()) + got, bytes.getSize() - got);

            if (n < 0 && errno == EINTR)
                continue;

            if (n < 0)
                problem = cannot + describeErrno();

            if (n <= 0)
                break;

            got += (size_t) n;
        }

        if (problem.isEmpty() && got > maxBytes)
            problem = cannot + "it is larger than " + juce::String ((juce::int64) maxBytes) + " bytes";

        bytes.setSize (got);
    }

    ::close (fd);

    if (problem.isNotEmpty())
        bytes.reset();

    return problem;
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
