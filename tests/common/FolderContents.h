#pragma once

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace vqtest
{
/** Every entry under the folder, links not followed, one line each with what makes it itself: its kind,
    permissions and inode (a file put in its place has another), and a file's bytes, a link's text or a
    device's numbers. Two descriptions are equal only when nothing in the folder changed, and a file left
    behind shows too. */
inline std::vector<std::string> describeFolder (const juce::File& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> lines;

    for (const auto& entry : fs::recursive_directory_iterator (folder.getFullPathName().toStdString()))
    {
        const auto path = entry.path().string();
        struct stat info
        {
        };

        if (::lstat (path.c_str(), &info) != 0)
        {
            lines.push_back (path + ": gone while listed");
            continue;
        }

        auto line = entry.path().lexically_relative (folder.getFullPathName().toStdString()).string() + ": mode " +
                    std::to_string (info.st_mode) + ", inode " + std::to_string (info.st_ino);

        if (S_ISREG (info.st_mode))
        {
            juce::MemoryBlock bytes;
            juce::File (path).loadFileAsData (bytes);
            line += ", bytes " + juce::String::toHexString (bytes.getData(), (int) bytes.getSize(), 0).toStdString();
        }
        else if (S_ISLNK (info.st_mode))
        {
            line += ", linking to " + fs::read_symlink (entry.path()).string();
        }
        else if (S_ISCHR (info.st_mode) || S_ISBLK (info.st_mode))
        {
            line += ", device " + std::to_string (major (info.st_rdev)) + " " + std::to_string (minor (info.st_rdev));
        }

        lines.push_back (line);
    }

    std::sort (lines.begin(), lines.end());
    return lines;
}

/** A folder of the test's own, made under the system's temporary folder under a name no other process
    takes at the same time, and removed with all it holds when the test ends: sockets and looping links
    too, which juce::TemporaryFile leaves behind. */
class ScratchFolder
{
public:
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all (folder.getFullPathName().toStdString(), ignored);
    }

    const juce::File folder = []
    {
        auto pattern = juce::File::getSpecialLocation (juce::File::tempDirectory)
                           .getChildFile ("scratch_XXXXXX")
                           .getFullPathName()
                           .toStdString();
        return juce::File (juce::String (::mkdtemp (pattern.data())));
    }();
};

/** The kinds of file that are not regular, as a test makes them in a scratch folder. */
enum class SpecialFile
{
    pipe,
    socket,
    device
};

inline const char* describe (SpecialFile kind)
{
    return kind == SpecialFile::pipe ? "a pipe" : kind == SpecialFile::socket ? "a socket" : "a device";
}

/** Makes a named pipe, a unix socket or a node of the null device (c 1 3, which only a privileged process
    may make) at the path; false when the system refused. */
inline bool makeSpecialFile (SpecialFile kind, const juce::File& file)
{
    const auto path = file.getFullPathName().toStdString();

    if (kind == SpecialFile::pipe)
        return ::mkfifo (path.c_str(), 0600) == 0;

    if (kind == SpecialFile::device)
        return ::mknod (path.c_str(), S_IFCHR | 0600, makedev (1, 3)) == 0;

    sockaddr_un address {};
    address.sun_family = AF_UNIX;

    if (path.size() >= sizeof (address.sun_path))
        return false;

    std::memcpy (address.sun_path, path.c_str(), path.size() + 1);
    const auto fd = ::socket (AF_UNIX, SOCK_STREAM, 0);
    // The socket's file stays once the socket is closed.
    const auto bound = fd >= 0 && ::bind (fd, reinterpret_cast<const sockaddr*> (&address), sizeof (address)) == 0;

    if (fd >= 0)
        ::close (fd);

    return bound;
}
} // namespace vqtest
