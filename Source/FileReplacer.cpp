#include "FileReplacer.h"

#include "RegularFileReader.h"

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

/** Where a save of a path goes: the name in the real folder (no link on the way) that the system
    opens for the path, or why there is none. */
struct Destination
{
    juce::String folder, name, problem;
};

/** The folder of a path, as written, taken apart from the path's last name. */
juce::String folderOf (const juce::String& path)
{
    const auto folder = path.upToLastOccurrenceOf ("/", false, false);
    return folder.isEmpty() ? "/" : folder;
}

/** A path in a real folder, as the system reads it from there (no shortening of "..", which is the
    system's to resolve). */
juce::String inFolder (const juce::String& realFolder, const juce::String& path)
{
    return (realFolder == "/" ? "" : realFolder) + "/" + path;
}

/** Follows the links of a path as the system does: a link's text names a file from the real folder the
    link lies in, however that folder was reached (through a linked folder, "../" goes up from the folder
    the link really is in, not from the path as written). */
Destination findDestination (juce::String path)
{
    // As many links as the system itself follows before it calls the path a loop.
    for (int hop = 0; hop <= 40; ++hop)
    {
        const auto written = folderOf (path);
        char real[PATH_MAX];

        if (::realpath (written.toRawUTF8(), real) == nullptr)
        {
            const auto error = errno;
            const juce::File folder (written);
            const auto problem = error == ENOENT || error == ENOTDIR ? findFolderProblem (folder) : juce::String();
            return { {}, {}, problem.isNotEmpty() ? problem : FileReplacer::describeWriteError (error, folder) };
        }

        const auto folder = juce::String::fromUTF8 (real);

        if (const auto problem = findFolderProblem (juce::File (folder)); problem.isNotEmpty())
            return { {}, {}, problem };

        const auto name = path.fromLastOccurrenceOf ("/", false, false);

        if (name.isEmpty() || name == "." || name == "..")
            return { folder, name, RegularFileReader::checkKind (S_IFDIR).getErrorMessage() };

        char linked[PATH_MAX];
        const auto length = ::readlink (inFolder (folder, name).toRawUTF8(), linked, sizeof (linked));

        // Not a link (or nothing yet): this is the file a save replaces or creates.
        if (length < 0)
            return { folder, name, {} };

        if ((size_t) length == sizeof (linked))
            return { {}, {}, FileReplacer::describeWriteError (ENAMETOOLONG, juce::File (folder)) };

        const auto text = juce::String::fromUTF8 (linked, (int) length);
        path = text.startsWithChar ('/') ? text : inFolder (folder, text);
    }

    return { {}, {}, FileReplacer::describeWriteError (ELOOP, {}) };
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
        case ELOOP: return "the link leads nowhere: it loops";
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

juce::Result FileReplacer::replace (const juce::File& target, const WriteContent& writeContent)
{
    const auto fail = [] (const juce::String& reason) { return juce::Result::fail (reason); };
    const auto destination = findDestination (target.getFullPathName());

    if (destination.problem.isNotEmpty())
        return fail (destination.problem);

    const juce::File folder (destination.folder);
    const auto path = inFolder (destination.folder, destination.name);

    struct stat old
    {
    };
    const auto exists = ::lstat (path.toRawUTF8(), &old) == 0;

    if (! exists && errno != ENOENT)
        return fail (describeWriteError (errno, folder));

    if (const auto kind = exists ? RegularFileReader::checkKind (old.st_mode) : juce::Result::ok(); kind.failed())
        return kind;

    // The content is made whole first: a writer that fails half-way leaves nothing on the disk.
    juce::MemoryOutputStream content;

    if (! writeContent (content))
        return fail ("the data could not be written");

    const auto maxName = (int) juce::jmax (14L, pathconf (folder.getFullPathName().toRawUTF8(), _PC_NAME_MAX));
    juce::String temporary;
    int fd = -1;

    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt)
    {
        const auto suffix =
            "_temp" + juce::String::toHexString (juce::Random::getSystemRandom().nextInt()).paddedLeft ('0', 8);
        temporary = inFolder (destination.folder, temporaryName (destination.name, suffix, maxName));
        fd = ::open (temporary.toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);

        if (fd < 0 && errno != EEXIST)
            return fail (describeWriteError (errno, folder));
    }

    if (fd < 0)
        return fail (describeWriteError (EEXIST, folder));

    if (exists)
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
