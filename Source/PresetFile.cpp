#include "PresetFile.h"

#include "FileReplacer.h"
#include "PluginInstance.h"
#include "StateReader.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace
{
/** Why the folder cannot take a new file, or nothing when it can as far as can be told beforehand. */
juce::String findFolderProblem (const juce::File& folder)
{
    if (! folder.exists())
        return "the folder " + folder.getFullPathName() + " does not exist";

    if (! folder.isDirectory())
        return folder.getFullPathName() + " is a file, not a folder";

    if (! folder.hasWriteAccess())
        return "the folder " + folder.getFullPathName() + " is read-only";

    return {};
}

/** Why the chosen file cannot be a preset before it is read, or nothing. */
juce::String findFileProblem (const juce::File& chosen)
{
    if (! chosen.exists())
        return "the file does not exist";

    if (chosen.isDirectory())
        return "it is a folder";

    // A named pipe or a device would block the read or never end it.
    std::error_code error;

    if (! std::filesystem::is_regular_file (chosen.getFullPathName().toStdString(), error))
        return "it is not a regular file";

    const auto size = chosen.getSize();

    if (size == 0)
        return "the file is empty";

    if (size > (juce::int64) StateReader::maxBytes)
        return "the file is too large for a preset (" + juce::String (size) + " bytes; a preset has at most " +
               juce::String (StateReader::maxBytes) + ")";

    return {};
}
} // namespace

juce::File PresetFile::getSaveTarget (const juce::File& chosen)
{
    return chosen.withFileExtension (extension);
}

bool PresetFile::replacesAnotherFile (const juce::File& chosen)
{
    const auto target = getSaveTarget (chosen);
    return target != chosen && target.existsAsFile();
}

juce::String PresetFile::describeWriteFailure (const juce::Result& status, const juce::File& folder)
{
    // The streams report the system's error as its text.
    const auto is = [&status] (int error) { return status.getErrorMessage() == std::strerror (error); };

    if (is (ENOSPC) || is (EDQUOT))
        return "the disk is full";

    if (is (EROFS) || is (EACCES) || is (EPERM))
        return "the folder " + folder.getFullPathName() + " is read-only";

    return "cannot write in " + folder.getFullPathName() + ": " + status.getErrorMessage();
}

juce::Result PresetFile::save (juce::AudioProcessor& processor, const juce::File& chosen,
                               bool replacingAnotherFileConfirmed)
{
    const auto target = getSaveTarget (chosen);
    const auto folder = target.getParentDirectory();
    const auto fail = [&target] (const juce::String& reason)
    { return juce::Result::fail (target.getFileName() + " was not saved: " + reason); };

    if (target.isDirectory())
        return fail ("a folder has that name: " + target.getFullPathName());

    if (const auto problem = findFolderProblem (folder); problem.isNotEmpty())
        return fail (problem);

    if (replacesAnotherFile (chosen) && ! replacingAnotherFileConfirmed)
        return fail (target.getFileName() + " exists and is not the file chosen; not replaced");

    juce::MemoryBlock state;
    processor.getStateInformation (state);

    // An empty block would make JUCE's replace rule delete the user's file: keep it instead.
    if (state.isEmpty())
        return fail ("the state is empty; nothing written");

    const auto outcome = FileReplacer::replace (target, [&state] (juce::OutputStream& out)
                                                { return out.write (state.getData(), state.getSize()); });

    switch (outcome.failure)
    {
        case FileReplacer::Failure::none: break;

        case FileReplacer::Failure::notOpened:
        case FileReplacer::Failure::notWritten: return fail (describeWriteFailure (outcome.status, folder));

        // The system gives no reason for a write cut short: the disk filled up.
        case FileReplacer::Failure::cutShort:
        case FileReplacer::Failure::contentFailed: return fail ("the disk is full");

        case FileReplacer::Failure::notReplaced: return fail ("the old file cannot be replaced");
    }

    return juce::Result::ok();
}

juce::Result PresetFile::load (PlemvoPluginInstance& instance, const juce::File& chosen)
{
    const auto fail = [&chosen] (const juce::String& reason)
    { return juce::Result::fail (chosen.getFileName() + " was not loaded: " + reason); };

    if (const auto problem = findFileProblem (chosen); problem.isNotEmpty())
        return fail (problem);

    juce::FileInputStream in (chosen);

    if (! in.openedOk())
        return fail ("it cannot be opened: " + in.getStatus().getErrorMessage());

    const auto size = (int) chosen.getSize();
    juce::MemoryBlock bytes ((size_t) size);

    if (in.read (bytes.getData(), size) != size)
        return fail ("the file could not be read to its end");

    if (! instance.getPlemvoParams().setStateInformation (bytes.getData(), size))
        return fail ("the file is not a preset: nothing in it could be applied");

    return juce::Result::ok();
}
