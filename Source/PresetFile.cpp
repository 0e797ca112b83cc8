#include "PresetFile.h"

#include "FileReplacer.h"
#include "PluginInstance.h"
#include "RegularFileReader.h"
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
    const auto fail = [&target] (const juce::String& reason)
    { return juce::Result::fail (target.getFileName() + " was not saved: " + reason); };

    if (replacesAnotherFile (chosen) && ! replacingAnotherFileConfirmed)
        return fail (target.getFileName() + " exists and is not the file chosen; not replaced");

    juce::MemoryBlock state;
    processor.getStateInformation (state);

    // An empty file would be no preset: the one there is kept instead.
    if (state.isEmpty())
        return fail ("the state is empty; nothing written");

    const auto result = FileReplacer::replace (target, [&state] (juce::OutputStream& out)
                                               { return out.write (state.getData(), state.getSize()); });
    return result.failed() ? fail (result.getErrorMessage()) : result;
}

juce::Result PresetFile::load (PlemvoPluginInstance& instance, const juce::File& chosen)
{
    const auto fail = [&chosen] (const juce::String& reason)
    { return juce::Result::fail (chosen.getFileName() + " was not loaded: " + reason); };

    juce::MemoryBlock bytes;

    if (const auto result = RegularFileReader::read (chosen, StateReader::maxBytes, bytes); result.failed())
        return fail (result.getErrorMessage());

    if (bytes.isEmpty())
        return fail ("the file is empty");

    if (! instance.getPlemvoParams().setStateInformation (bytes.getData(), (int) bytes.getSize()))
        return fail ("the file is not a preset: nothing in it could be applied");

    return juce::Result::ok();
}
