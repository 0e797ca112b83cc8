#include "MessageLoop.h"

#include "ParamTools.h"
#include "PluginInstance.h"
#include "PresetFile.h"
#include "StateReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
/** While it lives, the calling thread's files are opened with the access of the user "nobody" when the
    process runs as root: a change of the file-system user ID from root drops the capabilities that pass
    by permissions, for this thread only, and changing it back restores them. */
class UnprivilegedFileAccess
{
public:
    UnprivilegedFileAccess()
    {
        if (geteuid() == 0)
        {
            setfsgid ((gid_t) nobody);
            setfsuid (nobody);
        }
    }

    ~UnprivilegedFileAccess()
    {
        if (geteuid() == 0)
        {
            setfsuid (0);
            setfsgid (0);
        }
    }

    /** Whether permissions bind the thread's file access; setfsuid answers the ID in force when asked
        to take one it cannot. */
    bool bindsPermissions() const { return geteuid() != 0 || setfsuid ((uid_t) -1) == (int) nobody; }

private:
    static constexpr uid_t nobody = 65534;
};

class PresetFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        params().setParamValue (nullptr, ParamData::eq1Gain1, 0.75f);
        params().setParamValue (nullptr, ParamData::lpf1, 1.0f);
        vqtest::drainMessageLoop();
        held = values();
    }

    PlemvoParamsManager& params() { return instance->getPlemvoParams(); }

    std::vector<float> values()
    {
        std::vector<float> result;

        for (int i = 0; i < ParamData::numParams; ++i)
            result.push_back (params().getParamValue (i));

        return result;
    }

    juce::MemoryBlock state()
    {
        juce::MemoryBlock block;
        instance->getStateInformation (block);
        return block;
    }

    /** The folder's entries, hidden ones included, so that a temporary file left behind shows. */
    juce::StringArray filesIn (const juce::File& folder)
    {
        juce::StringArray names;

        for (const auto& entry :
             juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFilesAndDirectories))
            names.add (entry.getFile().getFileName());

        names.sort (false);
        return names;
    }

    /** Loads the file, which must fail, name the file and give the reason, and change nothing. */
    void expectLoadRefused (const juce::File& file, const juce::String& reason)
    {
        params().setParamValue (nullptr, ParamData::hpf2, 0.5f);
        params().setParamValue (nullptr, ParamData::eq1Gain1, 0.0f);
        vqtest::drainMessageLoop();
        const auto before = values();

        const auto result = PresetFile::load (*instance, file);
        EXPECT_EQ (result.getErrorMessage(), file.getFileName() + " was not loaded: " + reason);
        vqtest::drainMessageLoop();
        EXPECT_EQ (values(), before) << file.getFullPathName();
    }

    /** Saves to the chosen file, which must fail, name the file written and give the reason. */
    void expectSaveRefused (const juce::File& chosen, const juce::String& reason)
    {
        const auto result = PresetFile::save (*instance, chosen);
        EXPECT_EQ (result.getErrorMessage(),
                   PresetFile::getSaveTarget (chosen).getFileName() + " was not saved: " + reason);
    }

    juce::TemporaryFile folderHolder;
    const juce::File folder = [this]
    {
        folderHolder.getFile().createDirectory();
        return folderHolder.getFile();
    }();
    std::unique_ptr<PlemvoPluginInstance> instance { static_cast<PlemvoPluginInstance*> (createPluginFilter()) };
    std::vector<float> held;
};
} // namespace

TEST_F (PresetFileTest, SavingForcesTheExtensionAndWritesExactlyTheSessionState)
{
    for (const auto* chosen : { "plain", "other.txt", "kept.vqrp", "two.dots.vqrb" })
    {
        const auto expected =
            folder.getChildFile (juce::File::createLegalFileName (chosen)).withFileExtension (".vqrp");
        ASSERT_TRUE (PresetFile::save (*instance, folder.getChildFile (chosen)).wasOk()) << chosen;

        juce::MemoryBlock written;
        ASSERT_TRUE (expected.loadFileAsData (written)) << chosen;
        EXPECT_EQ (written, state()) << chosen;
    }

    EXPECT_EQ (filesIn (folder), juce::StringArray ({ "kept.vqrp", "other.vqrp", "plain.vqrp", "two.dots.vqrp" }));
}

TEST_F (PresetFileTest, ASavedPresetLoadsBackIntoAnotherInstance)
{
    ASSERT_TRUE (PresetFile::save (*instance, folder.getChildFile ("sound")).wasOk());

    std::unique_ptr<PlemvoPluginInstance> other (static_cast<PlemvoPluginInstance*> (createPluginFilter()));
    ASSERT_TRUE (PresetFile::load (*other, folder.getChildFile ("sound.vqrp")).wasOk());
    vqtest::drainMessageLoop();

    for (int i = 0; i < ParamData::numParams; ++i)
        EXPECT_EQ (other->getPlemvoParams().getParamValue (i), held[(size_t) i]) << ParamData::paramName[i];
}

TEST_F (PresetFileTest, SavingOverAPresetReplacesItWholeAndLeavesNoTemporaryFile)
{
    const auto target = folder.getChildFile ("sound.vqrp");
    ASSERT_TRUE (target.replaceWithText (juce::String::repeatedString ("old and longer ", 1000)));

    ASSERT_TRUE (PresetFile::save (*instance, target).wasOk());

    juce::MemoryBlock written;
    ASSERT_TRUE (target.loadFileAsData (written));
    EXPECT_EQ (written, state());
    EXPECT_EQ (filesIn (folder), juce::StringArray ({ "sound.vqrp" }));
}

// A link's file is written beside itself, so the link stays a link: a link in the same folder, a
// link to another folder, a dangling link and a chain of two.
TEST_F (PresetFileTest, SavingThroughASymbolicLinkWritesTheFileItNamesAndLeavesTheLinkALink)
{
    const auto elsewhere = folder.getChildFile ("elsewhere");
    ASSERT_TRUE (elsewhere.createDirectory());
    ASSERT_TRUE (folder.getChildFile ("kept.vqrp").replaceWithText ("old"));
    ASSERT_TRUE (elsewhere.getChildFile ("far.vqrp").replaceWithText ("old"));

    const struct
    {
        const char* link;
        juce::String linked; // as the link holds it
        const char* written; // the file that gets the preset, in the test's folder
    } cases[] = {
        { "near.vqrp", "kept.vqrp", "kept.vqrp" },
        { "far-link.vqrp", elsewhere.getChildFile ("far.vqrp").getFullPathName(), "elsewhere/far.vqrp" },
        { "dangling.vqrp", "elsewhere/new.vqrp", "elsewhere/new.vqrp" },
        { "chain.vqrp", "near.vqrp", "kept.vqrp" },
    };

    for (const auto& c : cases)
    {
        const auto link = folder.getChildFile (c.link);
        ASSERT_EQ (symlink (c.linked.toRawUTF8(), link.getFullPathName().toRawUTF8()), 0) << c.link;
    }

    for (const auto& c : cases)
    {
        const auto link = folder.getChildFile (c.link);
        ASSERT_TRUE (PresetFile::save (*instance, link).wasOk()) << c.link;

        EXPECT_TRUE (link.isSymbolicLink()) << c.link;
        EXPECT_EQ (juce::String (std::filesystem::read_symlink (link.getFullPathName().toStdString()).string()),
                   c.linked)
            << c.link;
        juce::MemoryBlock written;
        ASSERT_TRUE (folder.getChildFile (c.written).loadFileAsData (written)) << c.link;
        EXPECT_EQ (written, state()) << c.link;
    }

    EXPECT_EQ (filesIn (folder), juce::StringArray ({ "chain.vqrp", "dangling.vqrp", "elsewhere", "far-link.vqrp",
                                                      "kept.vqrp", "near.vqrp" }));
    EXPECT_EQ (filesIn (elsewhere), juce::StringArray ({ "far.vqrp", "new.vqrp" }));
}

// The new file takes the old one's place with its permissions and, where the process may give it, its
// owner; a hard-linked file is replaced under the name saved to only.
TEST_F (PresetFileTest, AReplacedPresetKeepsItsPermissionsAndOwnerAndItsOtherHardLinksKeepTheOldContent)
{
    const auto target = folder.getChildFile ("sound.vqrp");
    const auto path = target.getFullPathName().toRawUTF8();

    for (const mode_t mode : { 0600, 0640, 0664, 0755 })
    {
        ASSERT_TRUE (target.replaceWithText ("old"));
        ASSERT_EQ (chmod (path, mode), 0);
        ASSERT_TRUE (PresetFile::save (*instance, target).wasOk());

        struct stat info
        {
        };
        ASSERT_EQ (stat (path, &info), 0);
        EXPECT_EQ (info.st_mode & 07777, mode) << std::oct << mode;
    }

    if (geteuid() == 0)
    {
        ASSERT_EQ (chown (path, 65534, 65534), 0);
        ASSERT_TRUE (PresetFile::save (*instance, target).wasOk());

        struct stat info
        {
        };
        ASSERT_EQ (stat (path, &info), 0);
        EXPECT_EQ (info.st_uid, 65534u);
        EXPECT_EQ (info.st_gid, 65534u);
    }

    const auto other = folder.getChildFile ("other-name");
    ASSERT_TRUE (target.replaceWithText ("old"));
    ASSERT_EQ (link (path, other.getFullPathName().toRawUTF8()), 0);
    ASSERT_TRUE (PresetFile::save (*instance, target).wasOk());
    EXPECT_EQ (other.loadFileAsString(), "old");
    juce::MemoryBlock written;
    ASSERT_TRUE (target.loadFileAsData (written));
    EXPECT_EQ (written, state());
}

// The hidden temporary name is shortened to the system's longest name, not the preset's.
TEST_F (PresetFileTest, APresetWithANameOfUpTo255BytesIsSaved)
{
    for (const auto length : { 242, 250, 254, 255 })
    {
        const auto name = juce::String::repeatedString ("n", length - 5) + ".vqrp";
        ASSERT_TRUE (PresetFile::save (*instance, folder.getChildFile (name)).wasOk()) << length;
        EXPECT_EQ (folder.getChildFile (name).getSize(), (juce::int64) state().getSize()) << length;
    }

    // Two-byte characters, so that a cut in the middle of one would leave no UTF-8 name.
    const auto wide = juce::String::repeatedString (juce::String::fromUTF8 ("\xc3\xa9"), 125) + ".vqrp";
    ASSERT_EQ (wide.getNumBytesAsUTF8(), 255u);
    EXPECT_TRUE (PresetFile::save (*instance, folder.getChildFile (wide)).wasOk());

    EXPECT_EQ (filesIn (folder).size(), 5);
}

TEST_F (PresetFileTest, ASaveUnderAnotherNameReplacesAnExistingPresetOnlyWhenConfirmed)
{
    const auto other = folder.getChildFile ("Vocal.vqrp");
    ASSERT_TRUE (other.replaceWithText ("another preset"));
    const auto chosen = folder.getChildFile ("Vocal.bak");

    EXPECT_TRUE (PresetFile::replacesAnotherFile (chosen));
    const auto refused = PresetFile::save (*instance, chosen);
    EXPECT_FALSE (refused.wasOk());
    EXPECT_TRUE (refused.getErrorMessage().contains ("Vocal.vqrp")) << refused.getErrorMessage();
    EXPECT_EQ (other.loadFileAsString(), "another preset");

    ASSERT_TRUE (PresetFile::save (*instance, chosen, true).wasOk());
    juce::MemoryBlock written;
    ASSERT_TRUE (other.loadFileAsData (written));
    EXPECT_EQ (written, state());

    // The chosen name itself was covered by the dialog's warning.
    EXPECT_FALSE (PresetFile::replacesAnotherFile (other));
    EXPECT_FALSE (PresetFile::replacesAnotherFile (folder.getChildFile ("New.bak")));
}

TEST_F (PresetFileTest, ASaveThatCannotBeWrittenSaysWhyAndLeavesEverythingAsItWas)
{
    // A folder carries the target's name.
    const auto folderTarget = folder.getChildFile ("taken.vqrp");
    ASSERT_TRUE (folderTarget.createDirectory());
    ASSERT_TRUE (folderTarget.getChildFile ("inside").replaceWithText ("keep"));
    expectSaveRefused (folder.getChildFile ("taken"), "it is a folder");
    EXPECT_TRUE (folderTarget.isDirectory());
    EXPECT_EQ (folderTarget.getChildFile ("inside").loadFileAsString(), "keep");

    // The target's folder does not exist, or is a file.
    const auto missing = folder.getChildFile ("missing");
    expectSaveRefused (missing.getChildFile ("sound"), "the folder " + missing.getFullPathName() + " does not exist");
    EXPECT_FALSE (missing.exists());

    const auto plain = folder.getChildFile ("plain.txt");
    ASSERT_TRUE (plain.replaceWithText ("keep"));
    expectSaveRefused (plain.getChildFile ("sound"), plain.getFullPathName() + " is a file, not a folder");
    EXPECT_EQ (plain.loadFileAsString(), "keep");

    EXPECT_EQ (filesIn (folder), juce::StringArray ({ "plain.txt", "taken.vqrp" }));
}

// Permissions do not bind root, which the set-up runs as: there the save is made with the file access
// of an ordinary user, as the test's thread alone (the whole process stays root).
TEST_F (PresetFileTest, ASaveIntoAFolderWithoutWritePermissionSaysItIsReadOnlyAndKeepsTheOldPreset)
{
    const auto target = folder.getChildFile ("sound.vqrp");
    ASSERT_TRUE (target.replaceWithText ("old"));
    ASSERT_TRUE (folder.setReadOnly (true, false));

    {
        const UnprivilegedFileAccess asAnOrdinaryUser;
        ASSERT_TRUE (asAnOrdinaryUser.bindsPermissions()) << "the thread's file access stayed root's";
        expectSaveRefused (target, "the folder " + folder.getFullPathName() + " is read-only");
    }

    folder.setReadOnly (false, false);
    EXPECT_EQ (target.loadFileAsString(), "old");
    EXPECT_EQ (filesIn (folder), juce::StringArray ({ "sound.vqrp" }));
}

TEST_F (PresetFileTest, AFileThatIsNotAWholePresetIsRefusedWithTheReason)
{
    juce::MemoryBlock good = state();

    const auto empty = folder.getChildFile ("empty.vqrp");
    ASSERT_TRUE (empty.create().wasOk());
    expectLoadRefused (empty, "the file is empty");

    expectLoadRefused (folder.getChildFile ("absent.vqrp"), "the file does not exist");

    const auto directory = folder.getChildFile ("directory.vqrp");
    ASSERT_TRUE (directory.createDirectory());
    expectLoadRefused (directory, "it is a folder");

    // Neither a named pipe nor a device is opened: reading either would block or never end.
    const auto pipe = folder.getChildFile ("pipe.vqrp");
    ASSERT_EQ (mkfifo (pipe.getFullPathName().toRawUTF8(), 0600), 0);
    expectLoadRefused (pipe, "it is not a regular file (a device, a pipe or a socket)");
    expectLoadRefused (juce::File ("/dev/zero"), "it is not a regular file (a device, a pipe or a socket)");

    // Larger than any preset: never read into memory.
    const auto huge = folder.getChildFile ("huge.vqrp");
    ASSERT_TRUE (huge.replaceWithData (good.getData(), good.getSize()));
    std::filesystem::resize_file (huge.getFullPathName().toStdString(), (std::uintmax_t) StateReader::maxBytes + 1);
    expectLoadRefused (huge, "the file is too large (" + juce::String (StateReader::maxBytes + 1) + " bytes; at most " +
                                 juce::String (StateReader::maxBytes) + ")");
}

TEST_F (PresetFileTest, APresetOrStateOfExactlyTheLimitLoadsAndOneByteMoreDoesNot)
{
    // A preset that sets HPF 2, padded at its end with blanks that XML allows.
    const juce::String preset ("<S><parameters><" + juce::String (ParamData::hpf2) +
                               " value=\"0.5\"/></parameters></S>");

    for (const auto size : { StateReader::maxBytes, StateReader::maxBytes + 1 })
    {
        const auto loads = size <= StateReader::maxBytes;
        juce::MemoryBlock bytes (size);
        std::memset (bytes.getData(), ' ', size);
        bytes.copyFrom (preset.toRawUTF8(), 0, preset.getNumBytesAsUTF8());

        params().setParamValue (nullptr, ParamData::hpf2, 0.0f);
        instance->setStateInformation (bytes.getData(), (int) bytes.getSize());
        EXPECT_EQ (params().getParamValue (ParamData::hpf2), loads ? 0.5f : 0.0f) << size << " bytes of state";

        const auto file = folder.getChildFile ("edge.vqrp");
        ASSERT_TRUE (file.replaceWithData (bytes.getData(), bytes.getSize()));
        params().setParamValue (nullptr, ParamData::hpf2, 0.0f);
        EXPECT_EQ (PresetFile::load (*instance, file).wasOk(), loads) << size << " bytes of preset";
        EXPECT_EQ (params().getParamValue (ParamData::hpf2), loads ? 0.5f : 0.0f) << size << " bytes of preset";
    }
}

TEST_F (PresetFileTest, DataInNoneOfTheFormsChangesNothingAndIsRefusedAsNoPreset)
{
    const auto good = state();

    const juce::MemoryBlock truncated (good.getData(), good.getSize() / 2);
    const char png[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR";
    const auto text = juce::String ("just some text, no preset").toStdString();
    const auto noPreset = "the file is not a preset: nothing in it could be applied";

    // A tree cut in half never reaches the manager in pieces: all or nothing.
    for (const auto& [name, bytes] :
         { std::pair<const char*, juce::MemoryBlock> { "other.vqrp", juce::MemoryBlock (png, sizeof (png)) },
           { "text.vqrp", juce::MemoryBlock (text.data(), text.size()) },
           { "cut.vqrp", truncated } })
    {
        const auto file = folder.getChildFile (name);
        ASSERT_TRUE (file.replaceWithData (bytes.getData(), bytes.getSize()));
        expectLoadRefused (file, noPreset);
    }

    // A bank whose active preset is not in it, and whose unit counts only while connected, applies nothing.
    const auto bank = folder.getChildFile ("bank.vqrb");
    ASSERT_TRUE (bank.replaceWithText ("<BANK active=\"7\" devNo=\"3\"><PRESETS>"
                                       "<1><PARAMETERS><3 value=\"0.25\"/></PARAMETERS></1></PRESETS></BANK>"));
    expectLoadRefused (bank, noPreset);
}

TEST_F (PresetFileTest, ABankLoadsThroughTheSameStateReader)
{
    const auto bank = folder.getChildFile ("bank.vqrb");
    ASSERT_TRUE (bank.replaceWithText ("<BANK active=\"2\" devNo=\"-1\"><PRESETS>"
                                       "<1><PARAMETERS><3 value=\"0.25\"/></PARAMETERS></1>"
                                       "<2><PARAMETERS><3 value=\"1.0\"/><10 value=\"0.5\"/></PARAMETERS></2>"
                                       "</PRESETS></BANK>"));

    ASSERT_TRUE (PresetFile::load (*instance, bank).wasOk());
    vqtest::drainMessageLoop();
    EXPECT_EQ (params().getParamValue (ParamData::eq1Gain1), 1.0f);
    EXPECT_EQ (params().getParamValue (ParamData::lpf1), 0.5f);
}
