#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class PlemvoPluginInstance;

/** The file side of the preset commands, apart from their dialogs so that anything holding a chosen file
    (the dialogs' callbacks, a headless host, tests) saves and loads the same way.

    A preset file holds exactly the bytes of the session state. A save or load that fails says why in
    its result, in words for the user: the file's name, what was not done, and the reason.
*/
class PresetFile
{
public:
    static constexpr const char* extension = ".vqrp";
    static constexpr const char* bankExtension = ".vqrb";

    /** The file a save to the chosen file writes: the same name with the extension ".vqrp". */
    static juce::File getSaveTarget (const juce::File& chosen);

    /** Whether a save to the chosen file would replace an existing file of another name: the dialog's
        overwrite warning covered only the chosen one. */
    static bool replacesAnotherFile (const juce::File& chosen);

    /** Writes the processor's state to getSaveTarget (chosen) through FileReplacer (a link is followed,
        the file's permissions kept), which replaces the target only once every byte is written; on any
        failure the target is left as it was.
        A save that replacesAnotherFile is refused unless the user confirmed it.
    */
    static juce::Result save (juce::AudioProcessor& processor, const juce::File& chosen,
                              bool replacingAnotherFileConfirmed = false);

    /** Reads the file whole and hands the bytes to the instance's state reader. A file that is missing,
        not a regular file, unreadable, empty, too large, not read to its end, or of which nothing could
        be applied fails and changes nothing.
    */
    static juce::Result load (PlemvoPluginInstance& instance, const juce::File& chosen);
};
