#include "FileReplacer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

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
