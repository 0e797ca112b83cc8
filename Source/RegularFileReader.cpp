#include "RegularFileReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
juce::Result errnoStatus()
{
    return juce::Result::fail (std::strerror (errno));
}

RegularFileReader::Failure findProblem (const struct stat& info, size_t maxBytes)
{
    if (S_ISDIR (info.st_mode))
        return RegularFileReader::Failure::isFolder;

    if (! S_ISREG (info.st_mode))
        return RegularFileReader::Failure::notRegular;

    if ((juce::uint64) info.st_size > maxBytes)
        return RegularFileReader::Failure::tooLarge;

    return RegularFileReader::Failure::none;
}
} // namespace

RegularFileReader::Outcome RegularFileReader::read (const juce::File& file, size_t maxBytes, juce::MemoryBlock& bytes)
{
    Outcome outcome;
    bytes.reset();

    // Opened without waiting, and checked on the open descriptor, so that a pipe with no writer cannot
    // hold the caller and nothing can take the file's place between the check and the read.
    const auto fd = ::open (file.getFullPathName().toRawUTF8(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);

    if (fd < 0)
    {
        outcome.failure = Failure::notOpened;
        outcome.status = errnoStatus();
        return outcome;
    }

    struct stat info
    {
    };

    if (fstat (fd, &info) != 0)
    {
        outcome.failure = Failure::notOpened;
        outcome.status = errnoStatus();
    }
    else
    {
        outcome.size = (juce::int64) info.st_size;
        outcome.failure = findProblem (info, maxBytes);
    }

    if (outcome.wasOk())
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
            {
                outcome.failure = Failure::notRead;
                outcome.status = errnoStatus();
            }

            if (n <= 0)
                break;

            got += (size_t) n;
        }

        if (outcome.wasOk() && got > maxBytes)
        {
            outcome.failure = Failure::tooLarge;
            outcome.size = (juce::int64) got;
        }

        bytes.setSize (got);
    }

    ::close (fd);

    if (! outcome.wasOk())
        bytes.reset();

    return outcome;
}
