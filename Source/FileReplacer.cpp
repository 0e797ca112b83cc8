#include "FileReplacer.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
/** Why the folder cannot take a new file, or nothing when it can as far as can be told beforehand. */
juce::String findFolderProblem (const juce::File& folder)
{
    if (! folder.exists())
        return "the folder " + folder.getFullPathName() + " does not exist";

    if (! folder.isDirectory())
        return folder.getFullPathName() + " is a file, not a folder";

    return {};
}

bool writeWhole (int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        const auto n = ::write (fd, data, size);

        if (n < 0 && errno == EINTR)
            continue;

        if (n <= 0)
        {
            // A write that makes no way without an error can only have met the end of the space.
            if (n == 0)
                errno = ENOSPC;

            return false;
        }

        data += n;
        size -= (size_t) n;
    }

    return true;
}

/** Gives the new file the old one's owner, group and permissions: the owner only a privileged process
    may give, the group one of the process's groups; the permissions last, as a change of owner clears
    set-user-ID bits. */
void takeOwnerAndPermissions (int fd, const struct stat& old)
{
    const auto ownerOrGroupKept = fchown (fd, old.st_uid, old.st_gid) == 0 || fchown (fd, (uid_t) -1, old.st_gid) == 0;
    juce::ignoreUnused (ownerOrGroupKept);
    fchmod (fd, old.st_mode & 07777);
}
} // namespace

juce::String FileReplacer::describeWriteError (int error, const juce::File& folder)
{
    switch (error)
    {
        case ENOSPC:
        case EDQUOT: return "the disk is full";
        case EFBIG: return "the file would be larger than the system lets this process write";
        case EROFS:
        case EACCES:
        case EPERM: return "the folder " + folder.getFullPathName() + " is read-only";
        case ENAMETOOLONG: return "the name is too long for the system";
        case ELOOP: return "its symbolic links go round in a loop";
        default: return "cannot write in " + folder.getFullPathName() + ": " + juce::String (std::strerror (error));
    }
}

juce::String FileReplacer::temporaryName (const juce::String& targetName, const juce::String& suffix, int maxBytes)
{
    auto name = targetName;
    const auto room = (size_t) juce::jmax (0, maxBytes - 1 - (int) suffix.getNumBytesAsUTF8());

    while (name.getNumBytesAsUTF8() > room)
        name = name.dropLastCharacters (1);

    return "." + name + suffix;
}

juce::File FileReplacer::followLinks (const juce::File& target)
{
    auto file = target;

    // As many links as the system itself follows; a longer chain is left for the write to refuse (ELOOP).
    for (int hop = 0; hop < 40; ++hop)
    {
        char linked[PATH_MAX];
        const auto length = ::readlink (file.getFullPathName().toRawUTF8(), linked, sizeof (linked));

        if (length <= 0 || (size_t) length == sizeof (linked))
            break;

        file = file.getParentDirectory().getChildFile (juce::String::fromUTF8 (linked, (int) length));
    }

    return file;
}

juce::Result FileReplacer::replace (const juce::File& target, const WriteContent& writeContent)
{
    const auto file = followLinks (target);
    const auto folder = file.getParentDirectory();
    const auto fail = [] (const juce::String& reason) { return juce::Result::fail (reason); };

    if (file.isDirectory())
        return fail ("it is a folder");

    if (const auto problem = findFolderProblem (folder); problem.isNotEmpty())
        return fail (problem);

    // The content is made whole first: a writer that fails half-way leaves nothing on the disk.
    juce::MemoryOutputStream content;

    if (! writeContent (content))
        return fail ("the data could not be written");

    const auto maxName = (int) juce::jmax (14L, pathconf (folder.getFullPathName().toRawUTF8(), _PC_NAME_MAX));
    const auto path = file.getFullPathName();
    juce::String temporary;
    int fd = -1;

    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt)
    {
        const auto suffix =
            "_temp" + juce::String::toHexString (juce::Random::getSystemRandom().nextInt()).paddedLeft ('0', 8);
        temporary = folder.getChildFile (temporaryName (file.getFileName(), suffix, maxName)).getFullPathName();
        fd = ::open (temporary.toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);

        if (fd < 0 && errno != EEXIST)
            return fail (describeWriteError (errno, folder));
    }

    if (fd < 0)
        return fail (describeWriteError (EEXIST, folder));

    struct stat old
    {
    };

    if (::stat (path.toRawUTF8(), &old) == 0 && S_ISREG (old.st_mode))
        takeOwnerAndPermissions (fd, old);

    auto written =
        writeWhole (fd, static_cast<const char*> (content.getData()), content.getDataSize()) && ::fsync (fd) == 0;
    auto error = errno;

    if (::close (fd) != 0 && written)
        written = false, error = errno;

    if (written && ::rename (temporary.toRawUTF8(), path.toRawUTF8()) == 0)
        return juce::Result::ok();

    if (written)
        error = errno;

    ::unlink (temporary.toRawUTF8());
    return fail (describeWriteError (error, folder));
}
