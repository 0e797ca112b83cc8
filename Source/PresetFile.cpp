#include "PresetFile.h"

#include "FileReplacer.h"
#include "PluginInstance.h"
#include "RegularFileReader.h"
#include "StateReader.h"

#include <cerrno>
#include <cstring>

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

    if (! chosen.exists())
        return fail ("the file does not exist");

    juce::MemoryBlock bytes;
    const auto outcome = RegularFileReader::read (chosen, StateReader::maxBytes, bytes);

    switch (outcome.failure)
    {
        case RegularFileReader::Failure::none: break;

        case RegularFileReader::Failure::notOpened:
            return fail ("it cannot be opened: " + outcome.status.getErrorMessage());

        case RegularFileReader::Failure::isFolder: return fail ("it is a folder");

        case RegularFileReader::Failure::notRegular: return fail ("it is not a regular file");

        case RegularFileReader::Failure::tooLarge:
            return fail ("the file is too large for a preset (" + juce::String (outcome.size) +
                         " bytes; a preset has at most " + juce::String (StateReader::maxBytes) + ")");

        case RegularFileReader::Failure::notRead: return fail ("the file could not be read to its end");
    }

    if (bytes.isEmpty())
        return fail ("the file is empty");

    if (! instance.getPlemvoParams().setStateInformation (bytes.getData(), (int) bytes.getSize()))
        return fail ("the file is not a preset: nothing in it could be applied");

    return juce::Result::ok();
}
