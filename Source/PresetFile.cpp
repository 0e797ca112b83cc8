#include "PresetFile.h"

#include "StateReader.h"

juce::File PresetFile::getSaveTarget (const juce::File& chosen)
{
    return chosen.withFileExtension (extension);
}

bool PresetFile::replacesAnotherFile (const juce::File& chosen)
{
    const auto target = getSaveTarget (chosen);
    return target != chosen && target.existsAsFile();
}

juce::Result PresetFile::save (juce::AudioProcessor& processor, const juce::File& chosen,
                               bool replacingAnotherFileConfirmed)
{
    const auto target = getSaveTarget (chosen);

    if (target.isDirectory())
        return juce::Result::fail ("a folder has that name: " + target.getFullPathName());

    if (replacesAnotherFile (chosen) && ! replacingAnotherFileConfirmed)
        return juce::Result::fail (target.getFileName() + " exists and is not the file chosen; not replaced");

    juce::MemoryBlock state;
    processor.getStateInformation (state);

    // An empty block would make JUCE's replace rule delete the user's file: keep it instead.
    if (state.isEmpty())
        return juce::Result::fail ("the state is empty; nothing written");

    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);
    bool written = false;

    {
        juce::FileOutputStream out (temporary.getFile());

        if (out.openedOk())
            written = out.write (state.getData(), state.getSize()) && (out.flush(), out.getStatus().wasOk());
    }

    // A short write (a full disk) must not replace a good file with a truncated one.
    if (! written || temporary.getFile().getSize() != (juce::int64) state.getSize())
        return juce::Result::fail ("cannot write beside " + target.getFullPathName());

    if (! temporary.overwriteTargetFileWithTemporary())
        return juce::Result::fail ("cannot replace " + target.getFullPathName());

    return juce::Result::ok();
}

juce::Result PresetFile::load (juce::AudioProcessor& processor, const juce::File& chosen)
{
    if (! chosen.existsAsFile())
        return juce::Result::fail ("not a file: " + chosen.getFullPathName());

    const auto size = chosen.getSize();

    if (size == 0)
        return juce::Result::fail ("the file is empty");

    if (size > (juce::int64) StateReader::maxBytes)
        return juce::Result::fail ("the file is too large for a preset");

    juce::FileInputStream in (chosen);

    if (! in.openedOk())
        return juce::Result::fail ("cannot open " + chosen.getFullPathName());

    juce::MemoryBlock bytes ((size_t) size);

    if (in.read (bytes.getData(), (int) size) != (int) size)
        return juce::Result::fail ("the file could not be read to its end");

    processor.setStateInformation (bytes.getData(), (int) size);
    return juce::Result::ok();
}
