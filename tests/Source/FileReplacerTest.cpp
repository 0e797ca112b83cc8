#include "FileReplacer.h"
#include "FolderContents.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <unistd.h>

// What the system says when it refuses a write, in the words the user is told.
TEST (FileReplacer, AWriteTheSystemRefusesIsToldAsAFullDiskOrAReadOnlyFolderOrWithTheSystemsReason)
{
    const juce::File folder ("/somewhere/presets");
    const auto readOnly = "the folder " + folder.getFullPathName() + " is read-only";

    const std::pair<int, juce::String> cases[] = {
        { ENOSPC, "the disk is full" },
        { EDQUOT, "the disk is full" },
        { EROFS, readOnly },
        { EACCES, readOnly },
        { EPERM, readOnly },
        { EIO, "cannot write in " + folder.getFullPathName() + ": " + juce::String (std::strerror (EIO)) },
    };

    for (const auto& [error, reason] : cases)
        EXPECT_EQ (FileReplacer::describeWriteError (error, folder), reason) << std::strerror (error);
}

TEST (FileReplacer, TheTemporaryNameStaysWithinTheLongestNameAndCutsOnlyBetweenCharacters)
{
    const juce::String suffix ("_temp01234567");
    const auto wide = juce::String::fromUTF8 ("\xc3\xa9");

    EXPECT_EQ (FileReplacer::temporaryName ("sound.vqrp", suffix, 255), ".sound.vqrp" + suffix);

    for (const auto& name : { juce::String::repeatedString ("n", 255), juce::String::repeatedString (wide, 127) })
    {
        const auto temporary = FileReplacer::temporaryName (name, suffix, 255);
        EXPECT_LE (temporary.getNumBytesAsUTF8(), 255u) << name;
        EXPECT_GE (temporary.getNumBytesAsUTF8(), 254u) << name;
        EXPECT_TRUE (temporary.endsWith (suffix));
        EXPECT_TRUE (name.startsWith (temporary.substring (1).dropLastCharacters (suffix.length())));
    }
}

namespace
{
class FileReplacerOnDisk : public testing::Test
{
protected:
    juce::File file (const char* name) const { return folder.getChildFile (name); }

    void link (const char* name, const char* linked) const
    {
        ASSERT_EQ (::symlink (linked, file (name).getFullPathName().toRawUTF8()), 0) << name;
    }

    static juce::Result save (const juce::File& target)
    {
        return FileReplacer::replace (target, [] (juce::OutputStream& out)
                                      { return out.writeText ("new", false, false, nullptr); });
    }

    /** Saves to each target, which must be refused with the reason and leave the whole folder as it was. */
    void expectRefused (const std::vector<const char*>& targets, const juce::String& reason) const
    {
        const auto before = vqtest::describeFolder (folder);

        for (const auto* target : targets)
            EXPECT_EQ (save (file (target)).getErrorMessage(), reason) << target;

        EXPECT_EQ (vqtest::describeFolder (folder), before);
    }

    const vqtest::ScratchFolder scratch;
    const juce::File& folder = scratch.folder;
};
} // namespace

// A save would put a regular file in the node's place: a device of the machine, or a pipe or socket
// another program is reading from.
TEST_F (FileReplacerOnDisk, ASaveOntoAPipeOrASocketDirectlyOrThroughALinkIsRefusedAndChangesNothing)
{
    ASSERT_TRUE (file ("other.vqrp").replaceWithText ("another preset"));
    ASSERT_TRUE (vqtest::makeSpecialFile (vqtest::SpecialFile::pipe, file ("pipe.vqrp")));
    ASSERT_TRUE (vqtest::makeSpecialFile (vqtest::SpecialFile::socket, file ("socket.vqrp")));
    link ("to-pipe.vqrp", "pipe.vqrp");
    link ("to-socket.vqrp", "socket.vqrp");

    expectRefused ({ "pipe.vqrp", "socket.vqrp", "to-pipe.vqrp", "to-socket.vqrp" },
                   "it is not a regular file (a device, a pipe or a socket)");
}

TEST_F (FileReplacerOnDisk, ASaveOntoADeviceDirectlyOrThroughALinkIsRefusedAndChangesNothing)
{
    if (! vqtest::makeSpecialFile (vqtest::SpecialFile::device, file ("null.vqrp")))
        GTEST_SKIP() << "this process may not make a device node (mknod c 1 3): " << std::strerror (errno);

    ASSERT_TRUE (file ("other.vqrp").replaceWithText ("another preset"));
    link ("to-null.vqrp", "null.vqrp");

    expectRefused ({ "null.vqrp", "to-null.vqrp" }, "it is not a regular file (a device, a pipe or a socket)");
}

// Two links naming each other, a link naming itself, and a folder that is a loop.
TEST_F (FileReplacerOnDisk, ASaveThroughALinkThatLoopsIsRefusedAndLeavesTheLinksAsTheyWere)
{
    ASSERT_TRUE (file ("other.vqrp").replaceWithText ("another preset"));
    link ("a.vqrp", "b.vqrp");
    link ("b.vqrp", "a.vqrp");
    link ("self.vqrp", "self.vqrp");
    link ("round", "round");

    expectRefused ({ "a.vqrp", "b.vqrp", "self.vqrp", "round/sound.vqrp" }, "the link leads nowhere: it loops");
}

// linkdir -> real/dir and real/dir/p.vqrp -> ../target.vqrp: the system reads linkdir/p.vqrp as
// real/target.vqrp, so a save writes that file and not ./target.vqrp, as the path written would suggest.
TEST_F (FileReplacerOnDisk, ALinkInALinkedFolderIsFollowedFromTheFolderItReallyLiesIn)
{
    ASSERT_TRUE (file ("real/dir").createDirectory());
    ASSERT_TRUE (file ("real/target.vqrp").replaceWithText ("old"));
    ASSERT_TRUE (file ("target.vqrp").replaceWithText ("unrelated"));
    link ("linkdir", "real/dir");
    link ("real/dir/p.vqrp", "../target.vqrp");
    link ("real/dir/fresh.vqrp", "../fresh.vqrp");

    for (const auto* name : { "linkdir/p.vqrp", "linkdir/fresh.vqrp" })
    {
        ASSERT_TRUE (save (file (name)).wasOk()) << name;
        EXPECT_EQ (file (name).loadFileAsString(), juce::String ("new"))
            << "the file the system reads through " << name;
    }

    EXPECT_EQ (file ("real/target.vqrp").loadFileAsString(), juce::String ("new"));
    EXPECT_EQ (file ("real/fresh.vqrp").loadFileAsString(), juce::String ("new"));
    EXPECT_EQ (file ("target.vqrp").loadFileAsString(), juce::String ("unrelated"));
    EXPECT_FALSE (file ("fresh.vqrp").exists());
    EXPECT_TRUE (file ("real/dir/p.vqrp").isSymbolicLink());
    EXPECT_TRUE (file ("real/dir/fresh.vqrp").isSymbolicLink());
}
