#include "RegularFileReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
juce::Result describeReadError (int error)
{
    switch (error)
    {
        case ENOENT: return juce::Result::fail ("the file does not exist");
        case EACCES:
        case EPERM: return juce::Result::fail ("it may not be read (permission denied)");
        default: return juce::Result::fail ("it cannot be read: " + juce::String (std::strerror (error)));
    }
}

juce::Result tooLarge (juce::int64 size, size_t maxBytes)
{
    return juce::Result::fail ("the file is too large (" + juce::String (size) + " bytes; at most " +
                               juce::String ((juce::int64) maxBytes) + ")");
}

juce::Result check (const struct stat& info, size_t maxBytes)
{
    if (const auto kind = RegularFileReader::checkKind (info.st_mode); kind.failed())
        return kind;

    if ((juce::uint64) info.st_size > maxBytes)
        return tooLarge ((juce::int64) info.st_size, maxBytes);

    return juce::Result::ok();
}

juce::Result readAll (int fd, size_t maxBytes, juce::MemoryBlock& bytes)
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
            return juce::Result::fail ("the file could not be read to its end: " +
                                       juce::String (std::strerror (errno)));

        if (n == 0)
            break;

        got += (size_t) n;
    }

    bytes.setSize (got);
    return got > maxBytes ? tooLarge ((juce::int64) got, maxBytes) : juce::Result::ok();
}
} // namespace

juce::Result RegularFileReader::checkKind (mode_t mode)
{
    if (S_ISDIR (mode))
        return juce::Result::fail ("it is a folder");

    if (! S_ISREG (mode))
        return juce::Result::fail ("it is not a regular file (a device, a pipe or a socket)");

    return juce::Result::ok();
}

juce::Result RegularFileReader::read (const juce::File& file, size_t maxBytes, juce::MemoryBlock& bytes)
{
    bytes.reset();

    // Opened without waiting, and checked on the open descriptor, so that a pipe with no writer cannot
    // hold the caller and nothing can take the file's place between the check and the read.
    const auto fd = ::open (file.getFullPathName().toRawUTF8(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);

    if (fd < 0)
        return describeReadError (errno);

    struct stat info
    {
    };

    auto result = fstat (fd, &info) != 0 ? describeReadError (errno) : check (info, maxBytes);

    if (result.wasOk())
        result = readAll (fd, maxBytes, bytes);

    ::close (fd);

    if (result.failed())
        bytes.reset();

    return result;
}
